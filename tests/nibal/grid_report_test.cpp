// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/grid_report.h"

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "grid_test_support.h"
#include "nibal/grid_model.h"

namespace sodwright::nibal {
namespace {

using testing::makeGrid;

// The report split at CR LF; fails the test on a lone CR or LF.
std::vector<std::string> reportLines(const GridState& state) {
  std::ostringstream out;
  writeGridReport(out, state, "12/08/2026");
  const std::string text = out.str();
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  EXPECT_EQ(start, text.size()) << "the report must end with CR LF";
  for (const std::string& line : lines) EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
  return lines;
}

GridState bumpAfterRun() {
  GridState state = makeGrid(4, 4, [](int r, int c) { return r == 2 && c == 2 ? 1.0 : 0.0; });
  state.info.BettaRow = 3;
  state.info.GammaRow = 6;
  state.info.BettaCol = 6;
  state.info.GammaCol = 12;
  clearGridResults(state);
  computeColumnDirection(state);
  computeRowDirection(state);
  computeSoilLossSum(state);
  return state;
}

TEST(ZoneLine, FieldsStartAtTheNextZoneWithAtLeastOneBlankBefore) {
  EXPECT_EQ(ZoneLine().field("ab").field("cd").text(), "ab            cd");
  EXPECT_EQ(ZoneLine().field("13 characters").field("x").text(), "13 characters x");
  EXPECT_EQ(ZoneLine().field("fourteen chars").field("x").text(), "fourteen chars              x");
  EXPECT_EQ(ZoneLine().field("a field of seventeen").field("x").text().find('x', 1), 28u);
  EXPECT_EQ(ZoneLine().field("").field("x").text(), std::string(14, ' ') + "x");
}

TEST(GridReport, HeaderLinesOneToEighteen) {
  GridState state = bumpAfterRun();
  state.info.RowSpacing = "1.5";
  const std::vector<std::string> lines = reportLines(state);
  ASSERT_GE(lines.size(), 23u);
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1], "NIBAL");
  EXPECT_EQ(lines[3], "12/08/2026");
  EXPECT_EQ(lines[5], std::string(76, '-'));
  EXPECT_EQ(lines[7], "Grid Information:");
  EXPECT_EQ(lines[8], "   4    Rows   Row   Spacing = 1.5");
  EXPECT_EQ(lines[9], "   4  Columns Column Spacing = 1");
  EXPECT_EQ(lines[10], "   Totally, there are  16  Nodes(Points) in the Grid");
  EXPECT_EQ(lines[11], "");
  EXPECT_EQ(lines[12], "Tillage Erosion Model:");
  EXPECT_EQ(lines[13],
            "   Soil Loss = (Betta * Delta SlopeGradient + Gamma * Delta Slope Curvature)/Delta "
            "Distance");
  EXPECT_EQ(lines[15], "Model Parameters:");
  EXPECT_EQ(lines[16],
            "    Row   Direction Parameters:           Betta_R = 3.00              Gamma_R = 6.00");
  EXPECT_EQ(
      lines[17],
      "   Column Direction Parameters:           Betta_C = 6.00              Gamma_C = 12.00");
  EXPECT_EQ(lines[19], std::string(104, '-'));
  EXPECT_EQ(lines[20], "");
  EXPECT_EQ(lines[21], "");
  EXPECT_EQ(lines[22],
            " Row          Col           Easting       Northing      Elev          DGradCol      "
            "DCurvCol      "
            "DGradRow      DCurvRow      SoilLossCol   SoilLossRow   SoilLossSum");
}

TEST(GridReport, FieldsThatFillTheirZoneLeaveAWholeZoneOfBlanks) {
  GridState state = bumpAfterRun();
  state.info.Rows = "20";
  state.info.Columns = "12";
  state.info.BettaRow = 12.5;
  state.info.GammaRow = -0.001;  // rounds to zero: no minus sign
  const std::vector<std::string> lines = reportLines(state);
  EXPECT_EQ(lines[8], "   20    Rows                Row   Spacing = 1");
  EXPECT_EQ(lines[9], "   12  Columns              Column Spacing = 1");
  EXPECT_EQ(lines[16], "    Row   Direction Parameters:           Betta_R = 12.50" +
                           std::string(13, ' ') + "Gamma_R = 0.00");
}

// The fields of a table line by zone, each checked to start exactly at its
// zone (all table fields here are shorter than a zone).
std::vector<std::string> zoneFields(const std::string& line) {
  std::vector<std::string> fields;
  for (std::size_t start = 0; start < line.size(); start += kPrintZoneWidth) {
    std::string zone = line.substr(start, kPrintZoneWidth);
    EXPECT_NE(zone.front(), ' ') << "zone at " << start << " of [" << line << "]";
    zone.erase(zone.find_last_not_of(' ') + 1);
    fields.push_back(zone);
  }
  return fields;
}

TEST(GridReport, SixteenTableLinesInNodeOrderWithTheirMasks) {
  GridState state = bumpAfterRun();
  state.GridElevation(4, 4) = 5.5;  // shown as given, results are not recomputed here
  state.GridEasting(1, 1) = std::string(" 512000.125 ");
  state.GridEasting(1, 2) = std::string("P2");
  state.GridNorthing(1, 3) = -0.001;
  const std::vector<std::string> lines = reportLines(state);
  ASSERT_EQ(lines.size(), 23u + 16u);
  std::vector<std::vector<std::string>> table;
  for (std::size_t n = 23; n < lines.size(); ++n) {
    // Row and column numbers are printed with a blank before and after.
    ASSERT_EQ(lines[n].substr(0, 3), " " + std::to_string((n - 23) / 4 + 1) + " ");
    ASSERT_EQ(lines[n].substr(14, 3), " " + std::to_string((n - 23) % 4 + 1) + " ");
    table.push_back(zoneFields(lines[n].substr(28)));
  }
  using Fields = std::vector<std::string>;
  EXPECT_EQ(table[0], (Fields{"512000.13", "N1", "0.000", "0.000", "0.000", "0.000", "0.000",
                              "0.000", "0.000", "0.000"}));
  EXPECT_EQ(table[1], (Fields{"P2", "N1", "0.000", "100.000", "-200.000", "0.000", "0.000",
                              "1800.000", "0.000", "1800.000"}));
  EXPECT_EQ(table[2][1], "0.00");
  EXPECT_EQ(table[5], (Fields{"1002.00", "N2", "1.000", "-200.000", "0.000", "-200.000", "0.000",
                              "1200.000", "600.000", "1800.000"}));
  EXPECT_EQ(table[10], (Fields{"1003.00", "N3", "0.000", "0.000", "0.000", "0.000", "0.000",
                               "0.000", "0.000", "0.000"}));
  EXPECT_EQ(table[13][7], "1200.000");
  EXPECT_EQ(table[15][2], "5.500");
}

TEST(GridReport, CoordinatesAreFormattedOnlyWhenTheyAreNumbers) {
  EXPECT_EQ(reportCoordinateText(4801000.5, 2), "4801000.50");
  EXPECT_EQ(reportCoordinateText(std::string("\t5000.0 "), 2), "5000.00");
  EXPECT_EQ(reportCoordinateText(std::string("-.125"), 2), "-0.13");
  EXPECT_EQ(reportCoordinateText(std::string("5000 m"), 2), "5000 m");
  EXPECT_EQ(reportCoordinateText(std::string(""), 2), "");
}

TEST(GridReport, FileWritingFailsVisiblyAndOverwritesOldFiles) {
  const GridState state = bumpAfterRun();
  EXPECT_FALSE(writeGridReportFile("/nonexistent-folder/report.txt", state, "d").ok());
  if (std::ifstream("/dev/full").good()) {  // a device that is always full
    EXPECT_FALSE(writeGridReportFile("/dev/full", state, "d").ok());
  }
  GridState noRun = makeGrid(4, 4, [](int, int) { return 0.0; });
  EXPECT_EQ(writeGridReportFile(::testing::TempDir() + "nibal_norun.txt", noRun, "d").message(),
            "the grid has no results to report");

  const std::string path = ::testing::TempDir() + "nibal_report_test.txt";
  ASSERT_TRUE(writeGridReportFile(path, state, "first").ok());
  ASSERT_TRUE(writeGridReportFile(path, state, "second").ok());
  std::ostringstream expected;
  writeGridReport(expected, state, "second");
  std::ifstream in(path, std::ios::binary);
  const std::string written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(written, expected.str());
}

}  // namespace
}  // namespace sodwright::nibal
