// Not a check: takes the screenshots of the stability warning for the guide.
// Run under a virtual display:
//   xvfb-run -a -s "-screen 0 1280x900x24" docs/screenshots/capture-stability.sh BUILD_DIR
#include <QDir>
#include <QScreen>

#include "transect/ui/kolv_window_fixture.h"

namespace sodwright::kolv {
namespace {

void capture(QWidget* window, const QString& file) {
  QTest::qWait(400);
  const QRect frame = window->frameGeometry();
  const QPixmap shot =
      window->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
  ASSERT_TRUE(shot.save(file)) << file.toStdString();
}

using StabilityScreenshots = KolvWindowTest;

// The example transect with Betta 0.1 on its 1 m points.
TEST_F(StabilityScreenshots, DISABLED_WarningBeforeAndMarkAfterAnUnstableRun) {
  const QString out = qEnvironmentVariable("SODWRIGHT_SCREENSHOT_DIR", QStringLiteral("."));
  main->move(20, 20);
  importTransect(SODWRIGHT_EXAMPLES_DIR "/hillslope-transect.txt");
  ASSERT_TRUE(state.imported);
  fireShowDataTimer();
  FrmKOLVParameter* window = openParameterWindow();
  ASSERT_NE(window, nullptr);
  window->move(120, 80);
  typeAndLeave(window->TxtSeq, QStringLiteral("19"), window->TxtNodes);
  window->CboTDirect->setCurrentIndex(2);
  emit window->CboTDirect->activated(2);
  typeAndLeave(window->TxtBetta, QStringLiteral("0.1"), window->TxtGamma);
  ASSERT_FALSE(window->LblStability->isHidden());
  capture(window, QDir(out).filePath(QStringLiteral("kolv-parameter-stability-warning.png")));

  window->CmdParaOK->click();
  window->CmdRunKOLV->click();
  QTest::qWait(2500);  // the viewer closes itself again
  activate(main);
  main->repaint();
  QTest::qWait(600);
  capture(main, QDir(out).filePath(QStringLiteral("kolv-main-unstable-run.png")));
}

}  // namespace
}  // namespace sodwright::kolv
