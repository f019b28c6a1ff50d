// SPDX-License-Identifier: GPL-3.0-or-later
// A tool, not a check: takes the screenshots of the KOLV windows for the
// guide. Built on request (target kolv_screenshots) and run under a virtual
// display with a window manager by docs/screenshots/capture-kolv.sh.
#include "kolv/ui/kolv_window_fixture.h"
#include "window_capture.h"

namespace sodwright::kolv {
namespace {

using screenshots::capture;

using KolvScreenshots = KolvWindowTest;

TEST_F(KolvScreenshots, ParameterWindowAndMainWindowAfterARun) {
  main->move(20, 20);
  capture(main, QStringLiteral("kolv-main-before-import.png"));
  importTransect(SODWRIGHT_EXAMPLES_DIR "/hillslope-transect.txt");
  ASSERT_TRUE(state.imported);
  fireShowDataTimer();
  KolvParameterWindow* window = openParameterWindow();
  ASSERT_NE(window, nullptr);
  window->move(120, 80);
  typeAndLeave(window->sequenceCountBox, QStringLiteral("10"), window->nodeCountBox);
  window->tillageDirectionList->setCurrentIndex(2);
  emit window->tillageDirectionList->activated(2);
  typeAndLeave(window->inputAmountBox, QStringLiteral("0.5"), window->sequenceCountBox);
  capture(window, QStringLiteral("kolv-parameter-window.png"));

  window->okButton->click();
  window->runKolvButton->click();
  QTest::qWait(2500);  // the viewer closes itself again
  EXPECT_TRUE(messages().empty());
  activate(main);
  main->repaint();
  QTest::qWait(600);
  capture(main, QStringLiteral("kolv-main-after-run.png"));
}

}  // namespace
}  // namespace sodwright::kolv
