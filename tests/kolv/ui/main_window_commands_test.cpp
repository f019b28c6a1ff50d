// SPDX-License-Identifier: GPL-3.0-or-later
// The menu commands of the KOLV main window: import rules, the data viewer
// and its timer, the two outputs, Exit, help, copyright and closing.
#include <QFile>
#include <QRadioButton>
#include <QUrl>

#include "kolv_window_fixture.h"
#include "platform/file_dialog.h"
#include "shared_ui/data_viewer.h"
#include "shared_ui/delimiter_dialog.h"
#include "shared_ui/model_chooser.h"
#include "shared_ui/startup_window.h"

namespace sodwright::kolv {
namespace {

using MainCommands = KolvWindowTest;

TEST_F(MainCommands, CsvAndTsvOpenTheDelimiterDialogOnCommaAndTab) {
  fake.fileDialogs.names = {"/data/field.CSV", "/data/field.tsv"};
  main->importFileAction->trigger();
  ASSERT_TRUE(hub->delimiterDialog().isVisible());
  EXPECT_TRUE(hub->delimiterDialog().commaOption->isChecked());
  main->importFileAction->trigger();
  EXPECT_TRUE(hub->delimiterDialog().tabOption->isChecked());
  EXPECT_TRUE(messages().empty());
}

TEST_F(MainCommands, ImportAsksWithTheDataFilterAndFollowsTheExtension) {
  fake.fileDialogs.names = {"/data/field.png", "/data/field.DBF", "/data/field.xls",
                            "/data/field.XLSX", "/data/field.ods"};
  for (int i = 0; i < 5; ++i) main->importFileAction->trigger();
  EXPECT_EQ(fake.fileDialogs.openFilters.front(), platform::kImportFilter);
  ASSERT_EQ(messages().size(), 5u);
  EXPECT_EQ(messages()[0],
            "Sorry, program can not handle this file. Please convert your data into Excel, Text or "
            "DBF file");
  EXPECT_EQ(messages()[1], kDatabaseNotReadMessage);
  // No workbook reader in the fakes: every workbook kind reaches the reader's refusal.
  EXPECT_EQ(messages()[2], kWorkbookNotReadMessage);
  EXPECT_EQ(messages()[3], kWorkbookNotReadMessage);
  EXPECT_EQ(messages()[4], kWorkbookNotReadMessage);
  EXPECT_FALSE(state.imported);
  EXPECT_FALSE(hub->delimiterDialog().isVisible());
}

TEST_F(MainCommands, DelimiterQuitImportsNothing) {
  fake.fileDialogs.names = {writeTransect()};
  main->importFileAction->trigger();
  shared_ui::DelimiterDialog& dialog = hub->delimiterDialog();
  ASSERT_TRUE(dialog.isVisible());
  EXPECT_TRUE(dialog.tabOption->isChecked());
  dialog.quitButton->click();
  EXPECT_FALSE(state.imported);
  EXPECT_TRUE(main->isVisible());
  EXPECT_EQ(hub->dataViewer(), nullptr);
}

TEST_F(MainCommands, ImportShowsTheViewerUntilTheTimerCloses) {
  importTransect(writeTransect());
  ASSERT_TRUE(state.imported);
  EXPECT_EQ(state.params.NodeCount, 40);
  ASSERT_NE(hub->dataViewer(), nullptr);
  EXPECT_TRUE(hub->dataViewer()->isVisible());
  EXPECT_TRUE(main->showDataTimer->isActive());
  EXPECT_EQ(main->showDataTimer->interval(), 2000);
  fireShowDataTimer();
  EXPECT_EQ(hub->dataViewer(), nullptr);
  EXPECT_FALSE(main->showDataTimer->isActive());

  // Opened from the menu the viewer stays.
  main->showDataAction->trigger();
  EXPECT_NE(hub->dataViewer(), nullptr);
  EXPECT_FALSE(main->showDataTimer->isActive());
}

TEST_F(MainCommands, ABadFileIsReportedAndTheOldTransectStays) {
  importTransect(writeTransect());
  ASSERT_EQ(state.params.NodeCount, 40);
  const std::string bad = dir.filePath(QStringLiteral("short.txt")).toStdString();
  {
    std::ofstream out(bad, std::ios::binary);
    out << "Sequence=\t0\tDataPoints:\t 10 \r\n";
  }
  fake.messages.shown.clear();
  importTransect(bad);
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].rfind("Data import failed.", 0), 0u);
  EXPECT_EQ(state.params.NodeCount, 40);
  EXPECT_FALSE(quitCalled);
}

TEST_F(MainCommands, OutputsGoThroughTheSaveDialogToTheEditor) {
  importAndRun();
  const std::string report = dir.filePath(QStringLiteral("report.TXT")).toStdString();
  const std::string last = dir.filePath(QStringLiteral("last.TXT")).toStdString();
  fake.fileDialogs.names = {"", report, last};
  main->compareResultsAction->trigger();  // cancelled: nothing written
  EXPECT_TRUE(fake.programs.textFiles.empty());
  main->compareResultsAction->trigger();
  main->lastSequenceAction->trigger();
  ASSERT_EQ(fake.fileDialogs.saveFilters.size(), 3u);
  EXPECT_EQ(fake.fileDialogs.saveFilters[1], "Text files(*.TXT)|*.TXT");
  EXPECT_EQ(fake.programs.textFiles, (std::vector<std::string>{report, last}));
  QFile reportFile(QString::fromStdString(report));
  ASSERT_TRUE(reportFile.open(QIODevice::ReadOnly));
  EXPECT_TRUE(reportFile.readAll().contains("KOLV Results Report"));
  QFile lastFile(QString::fromStdString(last));
  ASSERT_TRUE(lastFile.open(QIODevice::ReadOnly));
  EXPECT_TRUE(lastFile.readLine().startsWith("Sequence=\t1\t"));
  EXPECT_FALSE(fake.busy.busy);
  EXPECT_FALSE(fake.busy.noteShown);
}

TEST_F(MainCommands, ADesktopWithoutProgramsGetsThePathsToOpen) {
  importAndRun();
  fake.programs.desktopHasPrograms = false;
  const std::string report = dir.filePath(QStringLiteral("report.TXT")).toStdString();
  fake.fileDialogs.names = {report};
  fake.messages.shown.clear();
  main->compareResultsAction->trigger();
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0],
            "The report was written to " + report + "\nbut no program was found to show it.");

  main->helpFileAction->trigger();
  ASSERT_EQ(messages().size(), 2u);
  const std::string guide =
      QUrl(QString::fromStdString(fake.programs.webAddresses.at(0))).toLocalFile().toStdString();
  EXPECT_EQ(messages()[1], "No web browser was found to show the help.\nThe guide is at " + guide);
}

TEST_F(MainCommands, AFailedWriteIsReportedWithPointerAndNoteReset) {
  importAndRun();
  fake.fileDialogs.names = {dir.filePath(QStringLiteral("missing/report.TXT")).toStdString()};
  fake.busy.events.clear();
  main->compareResultsAction->trigger();
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].rfind("The output could not be written.", 0), 0u);
  EXPECT_TRUE(fake.programs.textFiles.empty());
  EXPECT_FALSE(fake.busy.busy);
  EXPECT_FALSE(fake.busy.noteShown);
  EXPECT_EQ(fake.busy.events,
            (std::vector<std::string>{"normal", "busy", "showNote", "hideNote", "normal"}));
}

TEST_F(MainCommands, ExitAsksFirst) {
  fake.messages.answers = {platform::MessageAnswer::Cancel, platform::MessageAnswer::Ok};
  main->exitAction->trigger();
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text, "Are you really want to Quit the Program");
  EXPECT_EQ(fake.messages.shown[0].title, "Quit?");
  EXPECT_EQ(fake.messages.shown[0].buttons, platform::MessageButtons::OkCancel);
  EXPECT_FALSE(quitCalled);
  main->exitAction->trigger();
  EXPECT_TRUE(quitCalled);
}

TEST_F(MainCommands, CtrlXReachesExitWhileABoxHasTheFocus) {
  importAndRun();  // leaves the focus in lastSequenceBox, its text unselected
  ASSERT_TRUE(activate(main));
  main->lastSequenceBox->setFocus();
  main->lastSequenceBox->selectAll();
  const QString before = main->lastSequenceBox->text();
  fake.messages.answers = {platform::MessageAnswer::Cancel};
  QTest::keyClick(main->lastSequenceBox, Qt::Key_X, Qt::ControlModifier);
  ASSERT_EQ(fake.messages.texts(),
            (std::vector<std::string>{"Are you really want to Quit the Program"}));
  EXPECT_EQ(main->lastSequenceBox->text(), before);  // nothing was cut
}

TEST_F(MainCommands, TheViewerClosesWithTheWindow) {
  importTransect(writeTransect());
  ASSERT_NE(hub->dataViewer(), nullptr);
  main->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(hub->dataViewer(), nullptr);
  for (QWidget* window : QApplication::topLevelWidgets())
    EXPECT_FALSE(window->isVisible() && window->objectName() == QStringLiteral("FrmShowData"));
}

TEST_F(MainCommands, HelpCopyrightAndClosing) {
  main->helpFileAction->trigger();
  ASSERT_EQ(fake.programs.webAddresses.size(), 1u);
  EXPECT_EQ(fake.programs.webAddresses[0].rfind("file://", 0), 0u);
  EXPECT_NE(fake.programs.webAddresses[0].find("help/index.html#kolv"), std::string::npos);

  main->copyrightAction->trigger();
  ASSERT_NE(hub->startupWindow(), nullptr);
  EXPECT_TRUE(hub->startupWindow()->isVisible());
  EXPECT_FALSE(hub->startupWindow()->closeTimer->isActive());

  EXPECT_EQ(main->importFileAction->shortcut(), QKeySequence(QStringLiteral("Ctrl+I")));
  EXPECT_EQ(main->lastSequenceAction->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
  EXPECT_EQ(main->compareResultsAction->shortcut(), QKeySequence(QStringLiteral("Ctrl+R")));
  EXPECT_EQ(main->exitAction->shortcut(), QKeySequence(QStringLiteral("Ctrl+X")));
  EXPECT_EQ(main->helpFileAction->shortcut(), QKeySequence(QStringLiteral("F1")));

  main->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_NE(hub->chooser(), nullptr);
  EXPECT_TRUE(hub->chooser()->isVisible());
  EXPECT_TRUE(fake.messages.shown.empty());
}

}  // namespace
}  // namespace sodwright::kolv
