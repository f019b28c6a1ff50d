// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/grid_import.h"

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/text/text_file.h"
#include "nibal/grid_messages.h"

namespace sodwright::nibal {
namespace {

// A 4 x 4 grid file whose node n (from 1) has elevation n.
std::string sixteenRecords(const std::string& lineEnd = "\r\n", char delimiter = ',') {
  std::string text;
  for (int n = 1; n <= 16; ++n)
    text += "E" + std::to_string(n) + delimiter + "N" + std::to_string(n) + delimiter +
            std::to_string(n) + lineEnd;
  return text;
}

std::string secondLine(const std::string& message) {
  return message.substr(message.find('\n') + 1);
}

TEST(GridLineFields, DelimitersAtTheEndsAreDroppedAndEveryOtherSplits) {
  EXPECT_EQ(gridLineFields("1  2  3", ' '), (std::vector<std::string>{"1", "", "2", "", "3"}));
  EXPECT_EQ(gridLineFields("\t\tP2\t5000.0\t100.4\t\t", '\t'),
            (std::vector<std::string>{"P2", "5000.0", "100.4"}));
  EXPECT_EQ(gridLineFields(";a;;b;", ';'), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(gridLineFields(" a, b ,c", ','), (std::vector<std::string>{" a", " b ", "c"}));
}

TEST(GridTextImport, FillsNodesRowsOuterColumnsInnerAndKeepsCoordinateTexts) {
  const base::Result<GridData> result = parseGridText(sixteenRecords(), ',', 4, 4);
  ASSERT_TRUE(result.ok()) << result.message();
  const GridData& data = *result;
  EXPECT_EQ(data.elevation(1, 1), 1.0);
  EXPECT_EQ(data.elevation(1, 4), 4.0);
  EXPECT_EQ(data.elevation(2, 1), 5.0);
  EXPECT_EQ(data.elevation(4, 4), 16.0);
  EXPECT_EQ(std::get<std::string>(data.easting(3, 2)), "E10");
  EXPECT_EQ(std::get<std::string>(data.northing(4, 4)), "N16");
}

TEST(GridTextImport, SpaceDelimitedLineWithDoubleBlanksReadsTheMiddleNumber) {
  std::string text;
  for (int n = 0; n < 16; ++n) text += "1  2  3\n";
  const base::Result<GridData> result = parseGridText(text, ' ', 4, 4);
  ASSERT_TRUE(result.ok()) << result.message();
  EXPECT_EQ(result->elevation(4, 4), 2.0);
  EXPECT_EQ(std::get<std::string>(result->northing(4, 4)), "");
}

TEST(GridTextImport, EveryLineEndStyleAndBlankLinesAreAccepted) {
  for (const std::string& end : {std::string("\r\n"), std::string("\r"), std::string("\n")}) {
    const base::Result<GridData> result =
        parseGridText(sixteenRecords(end) + end + "  ,\t" + end, ',', 4, 4);
    ASSERT_TRUE(result.ok()) << result.message();
    EXPECT_EQ(result->elevation(4, 4), 16.0);
  }
  const base::Result<GridData> blankBetween =
      parseGridText("\n\n" + sixteenRecords("\n\n"), ',', 4, 4);
  EXPECT_TRUE(blankBetween.ok()) << blankBetween.message();
}

TEST(GridTextImport, FaultsNameTheLineAndWhatIsWrong) {
  struct Case {
    std::string text;
    std::string expectedSecondLine;
  };
  const std::string fifteen = sixteenRecords().substr(0, sixteenRecords().rfind("E16"));
  const std::vector<Case> cases = {
      {"a,1,x\n" + sixteenRecords("\n"), "Line 1: the third field \"x\" is not a number."},
      {"\na,b,,4\n", "Line 2: the third field \"\" is not a number."},
      {"a,b,1,4,5,6,7,8,9,10,11\n", "Line 1: more than 10 fields."},
      {"a,1\n", "Line 1: fewer than three fields. The line has 2 fields with the delimiter Comma."},
      {"245.0;5000.0;12.5\n",
       "Line 1: fewer than three fields. The line has 1 field with the delimiter Comma. It seems "
       "to use Semicolon."},
      {sixteenRecords("\n") + "\nE17,N17,17\n",
       "Line 18: more records than the 16 nodes of the grid (4 rows x 4 columns)."},
      {fifteen,
       "After line 15: only 15 records for the 16 nodes of the grid (4 rows x 4 columns)."},
      {"", "Line 1: only 0 records for the 16 nodes of the grid (4 rows x 4 columns)."},
      {"\n\n" + std::string(base::kLongestTextLine + 1, '\0'),
       "Line 3: the line is longer than 65536 characters."},
  };
  for (const Case& c : cases) {
    const base::Result<GridData> result = parseGridText(c.text, ',', 4, 4);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.message().substr(0, result.message().find('\n')), base::kImportFailed);
    EXPECT_EQ(secondLine(result.message()), c.expectedSecondLine);
  }
}

TEST(GridTextImport, QuotedFieldsAndAHeadingLineAreRead) {
  // As spreadsheets export it: every field quoted, the columns named first.
  std::string text = "\"Easting\",\"Northing\",\"Elevation\"\r\n";
  for (int n = 1; n <= 16; ++n)
    text += "\"245.0" + std::to_string(n) + "\",\"5000\",\"" + std::to_string(n) + ".5\"\r\n";
  const base::Result<GridData> result = parseGridText(text, ',', 4, 4);
  ASSERT_TRUE(result.ok()) << result.message();
  EXPECT_EQ(result->elevation(4, 4), 16.5);
  EXPECT_EQ(std::get<std::string>(result->easting(1, 2)), "245.02");
  EXPECT_EQ(result->skippedHeading, "\"Easting\",\"Northing\",\"Elevation\"");
  // Without a heading nothing is skipped; a heading is only ever the first line.
  EXPECT_EQ(parseGridText(sixteenRecords(), ',', 4, 4)->skippedHeading, "");
  EXPECT_FALSE(parseGridText(sixteenRecords() + "x,y,z\n", ',', 4, 4).ok());
}

TEST(GridTextImport, AnEndlessFileIsRefusedAtItsFirstLine) {
  const auto link = std::filesystem::temp_directory_path() / "sodwright_endless_grid.txt";
  std::filesystem::remove(link);
  std::filesystem::create_symlink("/dev/zero", link);
  const base::Result<GridData> result = readGridTextFile(link.string(), ',', 4, 4);
  std::filesystem::remove(link);
  ASSERT_FALSE(result.ok());
  EXPECT_EQ(secondLine(result.message()), "Line 1: the line is longer than 65536 characters.");
}

TEST(GridTextImport, TenFieldsAreStillOneRecord) {
  std::string text;
  for (int n = 0; n < 16; ++n) text += "a,b,7.5,4,5,6,7,8,9,10\n";
  const base::Result<GridData> result = parseGridText(text, ',', 4, 4);
  ASSERT_TRUE(result.ok()) << result.message();
  EXPECT_EQ(result->elevation(2, 3), 7.5);
}

TEST(GridRecordBuilder, WorkbookCellsFeedTheSameValidation) {
  GridRecordBuilder builder(4, 5);
  for (int n = 0; n < 20; ++n)
    EXPECT_FALSE(builder.add(1000.0 + n, std::string("N"), n * 0.5).has_value());
  EXPECT_FALSE(builder.missingRecords().has_value());
  EXPECT_TRUE(builder.add(1.0, 2.0, 3.0).has_value());  // a twenty-first record does not fit
  GridData data = builder.take();
  EXPECT_EQ(std::get<double>(data.easting(2, 1)), 1005.0);
  EXPECT_EQ(data.elevation(4, 5), 9.5);

  GridRecordBuilder short_(4, 4);
  ASSERT_FALSE(short_.add(1.0, 2.0, 3.0).has_value());
  EXPECT_EQ(short_.missingRecords().value_or(""),
            "only 1 records for the 16 nodes of the grid (4 rows x 4 columns)");
}

TEST(GridReplace, PutsTheDefinitionTheCountAndTheGridsIntoTheStateAndDropsResults) {
  GridState state;
  state.results.allocate(2, 2);
  const GridDefinition definition{4, 4, "4", "4.0", "2", "3"};
  base::Result<GridData> result = parseGridText(sixteenRecords(), ',', 4, 4);
  ASSERT_TRUE(result.ok());
  replaceGrid(state, definition, std::move(*result));
  EXPECT_EQ(state.info.Rows, "4");
  EXPECT_EQ(state.info.Columns, "4.0");
  EXPECT_EQ(state.info.RowSpacing, "2");
  EXPECT_EQ(state.info.ColumnSpacing, "3");
  EXPECT_EQ(state.GridNodeCount, 16);
  EXPECT_EQ(state.GridElevation(4, 4), 16.0);
  EXPECT_TRUE(state.results.SoilLossSum.empty());
}

}  // namespace
}  // namespace sodwright::nibal
