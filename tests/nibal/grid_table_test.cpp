// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/grid_table.h"

#include <gtest/gtest.h>

#include "grid_test_support.h"

namespace sodwright::nibal {
namespace {

TEST(GridTable, HeadingThenOneRowPerNodeRowsOuter) {
  GridState state = testing::makeGrid(4, 4, [](int r, int c) { return r * 10 + c + 0.129; });
  state.GridEasting(4, 4) = 512000.125;
  state.GridNorthing(4, 4) = std::string(" 4801000.50");
  ASSERT_EQ(gridTableRowCount(state), 17);
  EXPECT_EQ(gridTableCell(state, 0, 0), "Row");
  EXPECT_EQ(gridTableCell(state, 0, 4), "Elevation");
  EXPECT_EQ(gridTableCell(state, 5, 0), "2");
  EXPECT_EQ(gridTableCell(state, 5, 1), "1");
  EXPECT_EQ(gridTableCell(state, 16, 0), "4");
  EXPECT_EQ(gridTableCell(state, 16, 1), "4");
  EXPECT_EQ(gridTableCell(state, 16, 2), "512000.125");   // a number in its general form
  EXPECT_EQ(gridTableCell(state, 16, 3), " 4801000.50");  // text as read
  EXPECT_EQ(gridTableCell(state, 16, 4), "44.12");        // 44.129 cut, not rounded
  EXPECT_EQ(gridTableCell(state, 1, 4), "11.12");
  EXPECT_EQ(gridTableCell(state, 17, 0), "");
  EXPECT_EQ(gridTableCell(state, 1, 5), "");
  EXPECT_EQ(gridTableColumnWidthTwips(1), 500);
  EXPECT_EQ(gridTableColumnWidthTwips(2), 1500);
}

TEST(GridTable, NegativeElevationsAreCutDownward) {
  GridState state = testing::makeGrid(4, 4, [](int, int) { return -1.001; });
  EXPECT_EQ(gridTableCell(state, 3, 4), "-1.01");
}

}  // namespace
}  // namespace sodwright::nibal
