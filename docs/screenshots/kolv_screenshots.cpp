// A tool, not a check: takes the screenshots of the KOLV windows for the
// guide. Built on request (target kolv_screenshots) and run under a virtual
// display with a window manager by docs/screenshots/capture-kolv.sh.
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

using KolvScreenshots = KolvWindowTest;

TEST_F(KolvScreenshots, ParameterWindowAndMainWindowAfterARun) {
  const QString out = qEnvironmentVariable("SODWRIGHT_SCREENSHOT_DIR", QStringLiteral("."));
  main->move(20, 20);
  capture(main, QDir(out).filePath(QStringLiteral("kolv-main-before-import.png")));
  importTransect(SODWRIGHT_EXAMPLES_DIR "/hillslope-transect.txt");
  ASSERT_TRUE(state.imported);
  fireShowDataTimer();
  FrmKOLVParameter* window = openParameterWindow();
  ASSERT_NE(window, nullptr);
  window->move(120, 80);
  typeAndLeave(window->TxtSeq, QStringLiteral("10"), window->TxtNodes);
  window->CboTDirect->setCurrentIndex(2);
  emit window->CboTDirect->activated(2);
  typeAndLeave(window->TxtInputAmt, QStringLiteral("0.5"), window->TxtSeq);
  capture(window, QDir(out).filePath(QStringLiteral("kolv-parameter-window.png")));

  window->CmdParaOK->click();
  window->CmdRunKOLV->click();
  QTest::qWait(2500);  // the viewer closes itself again
  EXPECT_TRUE(messages().empty());
  activate(main);
  main->repaint();
  QTest::qWait(600);
  capture(main, QDir(out).filePath(QStringLiteral("kolv-main-after-run.png")));
}

}  // namespace
}  // namespace sodwright::kolv
