// The start-up window: its timer leads to the chooser; shown from
// "&Copyright" it stays without a timer.
#include <QElapsedTimer>
#include <QLabel>
#include <gtest/gtest.h>

#include "shell/ui/FrmChoseModel.h"
#include "shell/ui/FrmSplash.h"
#include "shell/ui/hub_fixture.h"

namespace sodwright::shell {
namespace {

class StartupTest : public testing::HubFixture {
 protected:
  // Runs the event loop until the chooser shows or the time runs out.
  qint64 waitForChooser(int limitMs) {
    QElapsedTimer clock;
    clock.start();
    while (!hub->chooser() && clock.elapsed() < limitMs) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return clock.elapsed();
  }
};

TEST_F(StartupTest, TimerShowsTheChooserAfterAboutOneAndAHalfSeconds) {
  hub->showStartupWindow(true);
  QPointer<FrmSplash> startup = hub->startupWindow();
  ASSERT_FALSE(startup.isNull());
  EXPECT_EQ(startup->windowTitle(), QStringLiteral("Welcome!"));
  EXPECT_EQ(startup->LblVersion->text(), QStringLiteral("Version 05.1"));
  EXPECT_TRUE(startup->isVisible());
  EXPECT_EQ(startup->Timer1->interval(), 1500);
  EXPECT_TRUE(startup->Timer1->isActive());
  EXPECT_EQ(hub->chooser(), nullptr);

  const qint64 elapsed = waitForChooser(5000);
  ASSERT_NE(hub->chooser(), nullptr);
  EXPECT_GE(elapsed, 1400);
  EXPECT_TRUE(hub->chooser()->isVisible());
  EXPECT_TRUE(hub->chooser()->isEnabled());
  flushDeletes();
  EXPECT_TRUE(startup.isNull());
}

TEST_F(StartupTest, ShownFromCopyrightItStaysWithoutTimer) {
  hub->showStartupWindow(true);
  hub->showStartupWindow(false);  // "&Copyright" while the first one still waits
  FrmSplash* startup = hub->startupWindow();
  ASSERT_NE(startup, nullptr);
  EXPECT_FALSE(startup->Timer1->isActive());
  waitForChooser(1800);
  EXPECT_EQ(hub->chooser(), nullptr);
  EXPECT_TRUE(startup->isVisible());
  EXPECT_EQ(visibleWindows("FrmSplash"), 1);
}

TEST_F(StartupTest, ClosingStopsTheTimer) {
  hub->showStartupWindow(true);
  QPointer<FrmSplash> startup = hub->startupWindow();
  hub->closeStartupWindow();
  flushDeletes();
  EXPECT_TRUE(startup.isNull());
  waitForChooser(1800);
  EXPECT_EQ(hub->chooser(), nullptr);
  hub->closeStartupWindow();  // nothing open: nothing happens
  EXPECT_EQ(hub->startupWindow(), nullptr);
}

}  // namespace
}  // namespace sodwright::shell

namespace sodwright::shell {
namespace {

TEST_F(StartupTest, ClosedByTheUserWhileWaitingItShowsTheChooserAtOnce) {
  hub->showStartupWindow(true);
  hub->startupWindow()->close();
  ASSERT_NE(hub->chooser(), nullptr);
  EXPECT_TRUE(hub->chooser()->isVisible());
  flushDeletes();
  EXPECT_EQ(hub->startupWindow(), nullptr);
  // Closing the one shown from "&Copyright" brings no chooser.
  hub->chooser()->close();
  flushDeletes();
  hub->showStartupWindow(false);
  hub->startupWindow()->close();
  EXPECT_EQ(hub->chooser(), nullptr);
}

}  // namespace
}  // namespace sodwright::shell
