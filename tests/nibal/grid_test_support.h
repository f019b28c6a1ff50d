// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Grids built in memory for the NIBAL tests.

#include <functional>
#include <string>

#include "nibal/grid_state.h"

namespace sodwright::nibal::testing {

// An R x C grid with elevation z(r, c), eastings 1000 + c and northings
// "N<r>" (text), spacings as given, as an import would leave it.
inline GridState makeGrid(int rows, int columns, const std::function<double(int, int)>& z,
                          const std::string& rowSpacing = "1",
                          const std::string& columnSpacing = "1") {
  GridState state;
  state.info.Rows = std::to_string(rows);
  state.info.Columns = std::to_string(columns);
  state.info.RowSpacing = rowSpacing;
  state.info.ColumnSpacing = columnSpacing;
  state.GridNodeCount = static_cast<std::int16_t>(rows * columns);
  state.GridEasting.allocate(rows, columns);
  state.GridNorthing.allocate(rows, columns);
  state.GridElevation.allocate(rows, columns);
  for (int r = 1; r <= rows; ++r)
    for (int c = 1; c <= columns; ++c) {
      state.GridEasting(r, c) = 1000.0 + c;
      state.GridNorthing(r, c) = "N" + std::to_string(r);
      state.GridElevation(r, c) = z(r, c);
    }
  return state;
}

}  // namespace sodwright::nibal::testing
