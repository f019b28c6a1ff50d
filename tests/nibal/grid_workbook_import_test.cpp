// SPDX-License-Identifier: GPL-3.0-or-later
// Grid records read from an in-memory worksheet (columns A, B, C from row 1)
// and the "Import Data" step for a workbook.
#include "nibal/grid_workbook_import.h"

#include <map>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "fakes/recording_services.h"
#include "nibal/grid_commands.h"
#include "nibal/grid_messages.h"
#include "nibal/grid_test_support.h"
#include "platform/memory_worksheet.h"

namespace sodwright::nibal {
namespace {

using platform::MemoryWorksheet;

// A 4 x 4 grid: eastings as numbers, northings as texts, elevation 50 + n.
MemoryWorksheet gridSheet() {
  MemoryWorksheet sheet;
  for (int n = 1; n <= 16; ++n) {
    sheet.setNumber(n, 1, 500000.5 + n);
    sheet.setText(n, 2, "N" + std::to_string(n));
    sheet.setNumber(n, 3, 50.0 + n);
  }
  sheet.setNumber(17, 3, 999);  // after the range: not read
  return sheet;
}

TEST(GridWorksheet, ReadsOneNodePerRowRowsOuterColumnsInner) {
  MemoryWorksheet sheet = gridSheet();
  sheet.set(6, 3, {});            // empty elevation reads as 0
  sheet.setText(7, 3, " 12.5 ");  // a number typed as text
  const base::Result<GridData> result = readGridWorksheet(sheet, 4, 4);
  ASSERT_TRUE(result.ok()) << result.message();
  const GridData& data = *result;
  EXPECT_EQ(std::get<double>(data.easting(1, 1)), 500001.5);
  EXPECT_EQ(std::get<std::string>(data.northing(2, 3)), "N7");  // record 7 is node (2, 3)
  EXPECT_EQ(data.elevation(2, 2), 0.0);
  EXPECT_EQ(data.elevation(2, 3), 12.5);
  EXPECT_EQ(data.elevation(4, 4), 66.0);
}

TEST(GridWorksheet, TextElevationAndMissingRecordsNameTheirCell) {
  MemoryWorksheet text = gridSheet();
  text.setText(4, 3, "n/a");
  base::Result<GridData> result = readGridWorksheet(text, 4, 4);
  ASSERT_FALSE(result.ok());
  EXPECT_EQ(result.message(),
            std::string(base::kImportFailed) + "\nCell C4: the elevation \"n/a\" is not a number.");

  MemoryWorksheet shortSheet = gridSheet();
  for (int column = 1; column <= 3; ++column) shortSheet.set(16, column, {});
  result = readGridWorksheet(shortSheet, 4, 4);
  ASSERT_FALSE(result.ok());
  EXPECT_NE(result.message().find("Row 16: cells A16 to C16 are empty, but the grid has 16 nodes"),
            std::string::npos)
      << result.message();
}

// Hands out the sheets it holds by file name.
class SheetsByName : public platform::WorkbookReader {
 public:
  base::Result<std::unique_ptr<platform::Worksheet>> openFirstSheet(
      const std::string& path) override {
    const auto found = sheets.find(path);
    if (found == sheets.end()) return base::fail("The file cannot be opened.");
    return std::unique_ptr<platform::Worksheet>(std::make_unique<MemoryWorksheet>(found->second));
  }
  std::map<std::string, MemoryWorksheet> sheets;
};

GridDefinition fourByFour() { return GridDefinition{4, 4, "4", "4", "2", "2"}; }

TEST(ImportGridWorkbookStep, ReplacesTheGridUnderTheBusyNote) {
  platform::FakePlatform fakes;
  SheetsByName reader;
  reader.sheets["grid.ods"] = gridSheet();
  fakes.context.workbooks = &reader;
  GridState state = testing::makeGrid(5, 5, [](int, int) { return 1.0; });
  ASSERT_TRUE(importGridFile(state, fakes.context, fourByFour(), "grid.ods",
                             platform::ImportKind::Ods, '\0'));
  EXPECT_TRUE(fakes.messages.shown.empty());
  EXPECT_EQ(state.GridNodeCount, 16);
  EXPECT_EQ(state.info.Rows, "4");
  EXPECT_EQ(state.GridElevation(4, 4), 66.0);
  EXPECT_EQ(fakes.busy.events,
            (std::vector<std::string>{"busy", "showNote", "hideNote", "normal"}));
}

TEST(ImportGridWorkbookStep, FailureShowsTheMessageAndKeepsTheOldGrid) {
  platform::FakePlatform fakes;
  SheetsByName reader;
  reader.sheets["grid.xlsx"] = gridSheet();
  reader.sheets["grid.xlsx"].setText(4, 3, "n/a");
  fakes.context.workbooks = &reader;
  GridState state = testing::makeGrid(5, 5, [](int r, int c) { return r + 0.1 * c; });
  for (const char* file : {"grid.xlsx", "missing.xls"}) {
    EXPECT_FALSE(importGridFile(state, fakes.context, fourByFour(), file,
                                platform::importKindOf(file), '\0'));
  }
  ASSERT_EQ(fakes.messages.texts().size(), 2u);
  EXPECT_NE(fakes.messages.texts()[0].find("Cell C4"), std::string::npos);
  EXPECT_EQ(fakes.messages.texts()[1],
            std::string(base::kImportFailed) + "\nFile missing.xls: The file cannot be opened.");
  EXPECT_EQ(state.GridNodeCount, 25);
  EXPECT_EQ(state.GridElevation(5, 5), 5.5);
  EXPECT_FALSE(fakes.busy.busy);
  EXPECT_FALSE(fakes.busy.noteShown);
}

}  // namespace
}  // namespace sodwright::nibal
