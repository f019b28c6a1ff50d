// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up window: its timer leads to the chooser; shown from
// "&Copyright" it stays without a timer.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPointer>
#include <QTimer>

#include "shared_ui/hub_fixture.h"
#include "shared_ui/model_chooser.h"
#include "shared_ui/startup_window.h"

namespace sodwright::shared_ui {
namespace {

class StartupTest : public testing::HubFixture {
 protected:
  // Timer1 elapses now: what its settings promise is checked, not the clock.
  static void fire(StartupWindow& startup) {
    ASSERT_TRUE(QMetaObject::invokeMethod(startup.closeTimer, "timeout", Qt::DirectConnection));
  }
};

TEST_F(StartupTest, TimerShowsTheChooserOnceAfterOneAndAHalfSeconds) {
  hub->showStartupWindow(true);
  QPointer<StartupWindow> startup = hub->startupWindow();
  ASSERT_FALSE(startup.isNull());
  EXPECT_EQ(startup->windowTitle(), QStringLiteral("Welcome!"));
  EXPECT_EQ(startup->versionLabel->text(), QStringLiteral("Version 05.1"));
  EXPECT_TRUE(startup->isVisible());
  // 1500 ms, never early (a coarse timer may fire up to 5 % before its time), once.
  EXPECT_EQ(startup->closeTimer->interval(), 1500);
  EXPECT_EQ(startup->closeTimer->timerType(), Qt::PreciseTimer);
  EXPECT_TRUE(startup->closeTimer->isSingleShot());
  EXPECT_TRUE(startup->closeTimer->isActive());
  EXPECT_EQ(hub->chooser(), nullptr);

  fire(*startup);
  ASSERT_NE(hub->chooser(), nullptr);
  EXPECT_TRUE(hub->chooser()->isVisible());
  EXPECT_TRUE(hub->chooser()->isEnabled());
  flushDeletes();
  EXPECT_TRUE(startup.isNull());
}

TEST_F(StartupTest, ShownFromCopyrightItStaysWithoutTimer) {
  hub->showStartupWindow(true);
  hub->showStartupWindow(false);  // "&Copyright" while the first one still waits
  StartupWindow* startup = hub->startupWindow();
  ASSERT_NE(startup, nullptr);
  EXPECT_FALSE(startup->closeTimer->isActive());
  QCoreApplication::processEvents();
  EXPECT_EQ(hub->chooser(), nullptr);
  EXPECT_TRUE(startup->isVisible());
  EXPECT_EQ(visibleWindows("FrmSplash"), 1);
}

TEST_F(StartupTest, ClosingStopsTheTimer) {
  hub->showStartupWindow(true);
  QPointer<StartupWindow> startup = hub->startupWindow();
  hub->closeStartupWindow();
  flushDeletes();
  EXPECT_TRUE(startup.isNull());  // and its timer with it
  QCoreApplication::processEvents();
  EXPECT_EQ(hub->chooser(), nullptr);
  hub->closeStartupWindow();  // nothing open: nothing happens
  EXPECT_EQ(hub->startupWindow(), nullptr);
}

}  // namespace
}  // namespace sodwright::shared_ui

namespace sodwright::shared_ui {
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
}  // namespace sodwright::shared_ui
