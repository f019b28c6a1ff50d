// SPDX-License-Identifier: GPL-3.0-or-later
// The grid window: button states, the grid-size checks, the file dialog, the
// delimiter dialog's two ways out and the data viewer's grid table.

#include <fstream>
#include <memory>

#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

#include "grid_window_fixture.h"
#include "nibal/grid_messages.h"
#include "nibal/ui/grid_parameter_window.h"
#include "platform/memory_worksheet.h"
#include "shared_ui/data_viewer.h"
#include "shared_ui/delimiter_dialog.h"
#include "shared_ui/help_page.h"
#include "shared_ui/viewer_table_model.h"

namespace sodwright::nibal::testing {
namespace {

using GridSizeChecks = GridWindowTest;

TEST_F(GridSizeChecks, ThreeRowsAreRefusedWithTheFocusInRows) {
  typeGrid("3", "10", "5", "5");
  window->importButton->click();
  EXPECT_EQ(fake.messages.texts(), std::vector<std::string>{std::string(kGridValueWrong)});
  EXPECT_TRUE(fake.fileDialogs.openFilters.empty());
  EXPECT_FALSE(window->runButton->isEnabled());
  EXPECT_EQ(window->focusWidget(), window->rowsBox);
}

TEST_F(GridSizeChecks, FourByFourIsAcceptedAndAsksForTheFile) {
  typeGrid("4", "4", "1", "1");
  window->importButton->click();
  EXPECT_TRUE(fake.messages.shown.empty());
  ASSERT_EQ(fake.fileDialogs.openFilters.size(), 1u);
  EXPECT_EQ(fake.fileDialogs.openFilters[0], platform::kGridImportFilter);
}

TEST_F(GridSizeChecks, TwoHundredSquaredOverflowsTheNodeCount) {
  typeGrid("200", "200", "1", "1");
  window->importButton->click();
  EXPECT_EQ(fake.messages.texts(), std::vector<std::string>{std::string(kGridWrongOrImportFailed)});
  EXPECT_TRUE(fake.fileDialogs.openFilters.empty());
  EXPECT_FALSE(window->runButton->isEnabled());
  EXPECT_EQ(window->focusWidget(), window->importButton);
}

TEST_F(GridSizeChecks, CancelledFileDialogSaysNothingAndLeavesRunDisabled) {
  typeGrid("4", "4", "1", "1");
  window->importButton->click();  // the scripted dialog has no name: cancelled
  EXPECT_TRUE(fake.messages.shown.empty());
  EXPECT_FALSE(window->runButton->isEnabled());
  EXPECT_EQ(window->focusWidget(), window->importButton);
}

TEST_F(GridSizeChecks, UnknownFileTypeIsRefused) {
  typeGrid("4", "4", "1", "1");
  fake.fileDialogs.names.push_back(dir.filePath(QStringLiteral("field.dbf")).toStdString());
  window->importButton->click();
  EXPECT_EQ(fake.messages.texts(), std::vector<std::string>{std::string(base::kUnsupportedFile)});
  EXPECT_FALSE(window->runButton->isEnabled());
}

using GridButtonStates = GridWindowTest;

TEST_F(GridButtonStates, LoadDisablesAllButQuitAndTypingEnablesImport) {
  EXPECT_FALSE(window->importButton->isEnabled());
  EXPECT_FALSE(window->runButton->isEnabled());
  EXPECT_FALSE(window->showDataButton->isEnabled());
  EXPECT_TRUE(window->quitButton->isEnabled());
  window->columnsBox->setText(QStringLiteral("4"));
  EXPECT_TRUE(window->importButton->isEnabled());
}

TEST_F(GridButtonStates, BoxesHaveTheirLabelsAndTheWindowItsCaption) {
  EXPECT_EQ(window->windowTitle(), QStringLiteral("NIBAL 04.2"));
  for (QLineEdit* box :
       {window->rowsBox, window->columnsBox, window->rowSpacingBox, window->columnSpacingBox}) {
    bool hasBuddy = false;
    for (QLabel* label : window->findChildren<QLabel*>())
      hasBuddy = hasBuddy || label->buddy() == box;
    EXPECT_TRUE(hasBuddy) << box->objectName().toStdString();
  }
}

TEST_F(GridButtonStates, HelpOpensTheGuideAtTheGridSection) {
  window->onHelpClicked();
  ASSERT_EQ(fake.programs.webAddresses.size(), 1u);
  EXPECT_EQ(fake.programs.webAddresses[0], shared_ui::helpPageAddress(shared_ui::kHelpNibal));
}

using GridTextImport = GridWindowTest;

TEST_F(GridTextImport, DelimiterOkImportsAndTheViewerShowsTheGridTable) {
  typeGrid("4", "4", "1", "1");
  fake.fileDialogs.names.push_back(writeGrid("grid.txt", 4, 4, ' '));
  window->importButton->click();
  shared_ui::DelimiterDialog& dialog = hub.delimiterDialog();
  ASSERT_TRUE(dialog.isVisible());
  EXPECT_TRUE(window->runButton->isEnabled());

  dialog.spaceOption->setChecked(true);
  dialog.okButton->click();
  EXPECT_TRUE(fake.messages.shown.empty()) << fake.messages.texts().front();
  EXPECT_TRUE(window->showDataButton->isEnabled());
  EXPECT_TRUE(window->runButton->isEnabled());
  EXPECT_EQ(state.GridNodeCount, 16);

  ASSERT_NE(hub.dataViewer(), nullptr);
  const shared_ui::ViewerTableModel* table = hub.dataViewer()->table();
  ASSERT_EQ(table->rowCount(), 17);
  ASSERT_EQ(table->columnCount(), 5);
  auto cell = [table](int row, int column) { return table->index(row, column).data().toString(); };
  EXPECT_EQ(cell(0, 4), QStringLiteral("Elevation"));
  EXPECT_EQ(cell(16, 0), QStringLiteral("4"));
  EXPECT_EQ(cell(16, 1), QStringLiteral("4"));
  EXPECT_EQ(cell(16, 2), QStringLiteral("504"));
  EXPECT_EQ(cell(16, 4), QStringLiteral("10.12"));
}

TEST_F(GridTextImport, SwappedSizesWarnAndASkippedHeadingIsInTheViewerTitle) {
  typeGrid("4", "5", "1", "1");  // the file holds 5 rows of 4 nodes
  const std::string path = dir.filePath(QStringLiteral("field.xyz")).toStdString();
  {
    std::ofstream out(path, std::ios::binary);
    out << "X Y Z\n";
    for (int r = 1; r <= 5; ++r)
      for (int c = 1; c <= 4; ++c) out << (500 + c) << ' ' << (900 - r) << " 1.5\n";
  }
  fake.fileDialogs.names.push_back(path);
  window->importButton->click();
  ASSERT_TRUE(hub.delimiterDialog().spaceOption->isChecked());  // as a .xyz file asks
  hub.delimiterDialog().okButton->click();
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].icon, platform::MessageIcon::Warning);
  EXPECT_EQ(
      fake.messages.shown[0].text.rfind("The eastings and northings do not form 4 rows x 5 "
                                        "columns: node (1, 5) has northing 898 where node (1, 1)",
                                        0),
      0u)
      << fake.messages.shown[0].text;
  EXPECT_TRUE(window->runButton->isEnabled());  // a warning: the grid is kept
  ASSERT_NE(hub.dataViewer(), nullptr);
  EXPECT_EQ(hub.dataViewer()->windowTitle(),
            QStringLiteral("Data - First line taken as a heading and skipped: X Y Z"));
}

TEST_F(GridTextImport, ClosingTheViewerBringsTheGridWindowBack) {
  typeGrid("4", "4", "1", "1");
  fake.fileDialogs.names.push_back(writeGrid("grid.txt", 4, 4, '\t'));
  window->importButton->click();
  hub.delimiterDialog().tabOption->setChecked(true);
  hub.delimiterDialog().okButton->click();
  window->hide();
  ASSERT_NE(hub.dataViewer(), nullptr);
  hub.dataViewer()->close();
  EXPECT_TRUE(window->isVisible());
}

TEST_F(GridTextImport, DelimiterQuitReadsNothingAndDisablesRun) {
  typeGrid("4", "4", "1", "1");
  fake.fileDialogs.names.push_back(writeGrid("grid.txt", 4, 4, ' '));
  window->importButton->click();
  hub.delimiterDialog().quitButton->click();
  EXPECT_FALSE(hub.delimiterDialog().isVisible());
  EXPECT_FALSE(window->runButton->isEnabled());
  EXPECT_FALSE(window->showDataButton->isEnabled());
  EXPECT_EQ(window->focusWidget(), window->importButton);
  EXPECT_FALSE(state.hasGrid());
  EXPECT_EQ(hub.dataViewer(), nullptr);
}

TEST_F(GridTextImport, DelimiterDialogKeepsThePreviousChoice) {
  typeGrid("4", "4", "1", "1");
  fake.fileDialogs.names.push_back(writeGrid("grid.txt", 4, 4, ';'));
  window->importButton->click();
  hub.delimiterDialog().semicolonOption->setChecked(true);
  hub.delimiterDialog().okButton->click();
  fake.fileDialogs.names.push_back(writeGrid("again.txt", 4, 4, ';'));
  window->importButton->click();
  EXPECT_TRUE(hub.delimiterDialog().semicolonOption->isChecked());
}

TEST_F(GridTextImport, FailedImportKeepsTheProgramAndDisablesRun) {
  typeGrid("5", "4", "1", "1");  // the file holds only 16 of the 20 nodes
  fake.fileDialogs.names.push_back(writeGrid("short.txt", 4, 4, ' '));
  window->importButton->click();
  hub.delimiterDialog().spaceOption->setChecked(true);
  hub.delimiterDialog().okButton->click();
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text.rfind(std::string(base::kImportFailed), 0), 0u);
  EXPECT_FALSE(window->runButton->isEnabled());
  EXPECT_FALSE(window->showDataButton->isEnabled());
  EXPECT_FALSE(state.hasGrid());
}

TEST_F(GridTextImport, ChangingABoxAfterTheImportAsksForANewImport) {
  typeGrid("4", "4", "1", "1");
  fake.fileDialogs.names.push_back(writeGrid("grid.txt", 4, 4, ' '));
  window->importButton->click();
  hub.delimiterDialog().spaceOption->setChecked(true);
  hub.delimiterDialog().okButton->click();
  window->rowSpacingBox->setText(QStringLiteral("2"));
  EXPECT_TRUE(window->importButton->isEnabled());
  EXPECT_FALSE(window->runButton->isEnabled());
  EXPECT_FALSE(window->showDataButton->isEnabled());
}

TEST_F(GridTextImport, RunNibalOpensTheParameterWindowAndLocksImport) {
  typeGrid("4", "4", "1", "1");
  fake.fileDialogs.names.push_back(writeGrid("grid.txt", 4, 4, ' '));
  window->importButton->click();
  hub.delimiterDialog().spaceOption->setChecked(true);
  hub.delimiterDialog().okButton->click();
  window->runButton->click();
  EXPECT_FALSE(window->importButton->isEnabled());
  ASSERT_NE(window->parameterWindow(), nullptr);
  EXPECT_TRUE(window->parameterWindow()->isVisible());
}

// A workbook reader that hands out one sheet held in memory.
class OneSheetReader : public platform::WorkbookReader {
 public:
  base::Result<std::unique_ptr<platform::Worksheet>> openFirstSheet(const std::string&) override {
    return std::unique_ptr<platform::Worksheet>(std::make_unique<platform::MemoryWorksheet>(sheet));
  }
  platform::MemoryWorksheet sheet;
};

TEST_F(GridTextImport, WorkbookImportsWithoutTheDelimiterDialog) {
  OneSheetReader reader;
  for (int n = 1; n <= 16; ++n) {
    reader.sheet.setNumber(n, 1, 500.0 + n);
    reader.sheet.setText(n, 2, "N" + std::to_string(n));
    reader.sheet.setNumber(n, 3, n == 16 ? 10.129 : 1.0);
  }
  fake.context.workbooks = &reader;
  typeGrid("4", "4", "1", "1");
  fake.fileDialogs.names.push_back(dir.filePath(QStringLiteral("field.XLSX")).toStdString());
  window->importButton->click();
  EXPECT_TRUE(fake.messages.shown.empty());
  EXPECT_FALSE(hub.delimiterDialog().isVisible());
  EXPECT_TRUE(window->showDataButton->isEnabled());
  ASSERT_NE(hub.dataViewer(), nullptr);
  const shared_ui::ViewerTableModel* table = hub.dataViewer()->table();
  ASSERT_EQ(table->rowCount(), 17);
  EXPECT_EQ(table->index(16, 3).data().toString(), QStringLiteral("N16"));
  EXPECT_EQ(table->index(16, 4).data().toString(), QStringLiteral("10.12"));
  fake.context.workbooks = nullptr;
}

TEST_F(GridTextImport, QuitShowsTheChooserAndClosesTheWindow) {
  window->quitButton->click();
  EXPECT_NE(hub.chooser(), nullptr);
  EXPECT_FALSE(window && window->isVisible());
}

}  // namespace
}  // namespace sodwright::nibal::testing
