// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/grid_csv_writer.h"

#include <sstream>

#include <gtest/gtest.h>

#include "base/text/csv_text.h"
#include "base/text/text_file.h"
#include "grid_test_support.h"
#include "nibal/grid_model.h"

namespace sodwright::nibal {
namespace {

// The bump grid: one record per node in node order, text coordinates as
// text (quoted when they hold a comma), every number in full.
TEST(GridCsv, OneRecordPerNodeWithEveryDigit) {
  GridState state =
      testing::makeGrid(4, 4, [](int r, int c) { return r == 2 && c == 2 ? 1.0 : 0.1 * c; });
  state.GridNorthing(4, 4) = std::string("N 4, far");
  readGridParameters(state.info, GridParameterTexts{});
  clearGridResults(state);
  computeColumnDirection(state);
  computeRowDirection(state);
  computeSoilLossSum(state);
  std::ostringstream out;
  writeGridCsv(out, state);
  const auto lines = base::splitLines(out.str());
  ASSERT_EQ(lines.size(), 17u);
  EXPECT_EQ(lines[0],
            "Row,Col,Easting,Northing,Elevation,DGradCol (%),DCurvCol (%/length),DGradRow "
            "(%),DCurvRow (%/length),"
            "SoilLossCol (kg/m2; positive = loss),SoilLossRow (kg/m2; positive = loss),SoilLossSum "
            "(kg/m2; positive = loss)");
  EXPECT_EQ(lines[1].rfind("1,1,1001,N1,0.1,0,", 0), 0u);
  EXPECT_EQ(lines[16].rfind("4,4,1004,\"N 4, far\",0.4,0,0,", 0), 0u);
  std::ostringstream expected;
  const GridResults& res = state.results;
  expected << "2,2,1002,N2,1," << base::exactNumber(res.DGradCol(2, 2));
  EXPECT_EQ(lines[6].substr(0, expected.str().size()), expected.str());
}

}  // namespace
}  // namespace sodwright::nibal
