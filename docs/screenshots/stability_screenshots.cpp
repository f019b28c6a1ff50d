// SPDX-License-Identifier: GPL-3.0-or-later
// Not a check: takes the screenshots of the stability warning for the guide.
// Run under a virtual display:
//   xvfb-run -a -s "-screen 0 1280x900x24" docs/screenshots/capture-stability.sh BUILD_DIR
#include "kolv/ui/kolv_window_fixture.h"
#include "window_capture.h"

namespace sodwright::kolv {
namespace {

using screenshots::capture;

using StabilityScreenshots = KolvWindowTest;

// The example transect with Betta 0.1 on its 1 m points.
TEST_F(StabilityScreenshots, DISABLED_WarningBeforeAndMarkAfterAnUnstableRun) {
  main->move(20, 20);
  importTransect(SODWRIGHT_EXAMPLES_DIR "/hillslope-transect.txt");
  ASSERT_TRUE(state.imported);
  fireShowDataTimer();
  KolvParameterWindow* window = openParameterWindow();
  ASSERT_NE(window, nullptr);
  window->move(120, 80);
  typeAndLeave(window->sequenceCountBox, QStringLiteral("19"), window->nodeCountBox);
  window->tillageDirectionList->setCurrentIndex(2);
  emit window->tillageDirectionList->activated(2);
  typeAndLeave(window->betaBox, QStringLiteral("0.1"), window->gammaBox);
  ASSERT_FALSE(window->stabilityLabel->isHidden());
  capture(window, QStringLiteral("kolv-parameter-stability-warning.png"));

  window->okButton->click();
  window->runKolvButton->click();
  QTest::qWait(2500);  // the viewer closes itself again
  activate(main);
  main->repaint();
  QTest::qWait(600);
  capture(main, QStringLiteral("kolv-main-unstable-run.png"));
}

}  // namespace
}  // namespace sodwright::kolv
