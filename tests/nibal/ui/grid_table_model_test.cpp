// SPDX-License-Identifier: GPL-3.0-or-later
// The viewer's grid table keeps the grid it was filled with.

#include "nibal/ui/grid_table_model.h"

#include <gtest/gtest.h>

#include "nibal/grid_state.h"

namespace sodwright::nibal::testing {
namespace {

GridState gridOf(int rows, int columns, double elevation) {
  GridState state;
  state.GridNodeCount = static_cast<std::int16_t>(rows * columns);
  state.GridEasting.allocate(rows, columns);
  state.GridNorthing.allocate(rows, columns);
  state.GridElevation.allocate(rows, columns);
  for (int r = 1; r <= rows; ++r)
    for (int c = 1; c <= columns; ++c) {
      state.GridEasting(r, c) = std::string("E") + std::to_string(c);
      state.GridNorthing(r, c) = 4801000.5;
      state.GridElevation(r, c) = elevation;
    }
  return state;
}

TEST(GridTableModel, KeepsTheGridItWasFilledWithAndShowsCoordinatesAsRead) {
  GridState state = gridOf(4, 5, 2.345);
  GridTableModel table(state);
  state = gridOf(6, 6, -1.0);  // a later import
  ASSERT_EQ(table.rowCount(), 21);
  EXPECT_EQ(table.fixedRows(), 1);
  EXPECT_EQ(table.fixedColumns(), 0);
  EXPECT_EQ(table.index(20, 0).data().toString(), QStringLiteral("4"));
  EXPECT_EQ(table.index(20, 1).data().toString(), QStringLiteral("5"));
  EXPECT_EQ(table.index(20, 2).data().toString(), QStringLiteral("E5"));
  EXPECT_EQ(table.index(20, 3).data().toString(), QStringLiteral("4801000.5"));
  EXPECT_EQ(table.index(20, 4).data().toString(), QStringLiteral("2.34"));
  EXPECT_EQ(table.columnWidthTwips(1), 500);
  EXPECT_EQ(table.columnWidthTwips(2), 1500);
}

TEST(GridTableModel, ClearDropsEveryCell) {
  GridTableModel table(gridOf(4, 4, 1.0));
  table.clear();
  EXPECT_EQ(table.rowCount(), 0);
  EXPECT_EQ(table.columnCount(), 0);
}

}  // namespace
}  // namespace sodwright::nibal::testing
