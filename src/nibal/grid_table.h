// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The NIBAL table of the data viewer, as cell texts: a heading row, then one
// row per node, rows outer and columns inner. The viewer wraps these in its
// table model.

#include <string>

#include "nibal/grid_state.h"

namespace sodwright::nibal {

inline constexpr int kGridTableColumnCount = 5;  // Row, Col, Easting, Northing, Elevation

// GridNodeCount + 1 rows, the first one the heading (a fixed row).
int gridTableRowCount(const GridState& state);
// Columns 0 and 1 are 500 twips wide, the others 1500; all are centred.
int gridTableColumnWidthTwips(int column);
// The text of a cell: row 0 the headings; row k the k-th node: r and c as
// plain integers, easting and northing as read (a number in its general
// form), the elevation cut to two decimals (T2). Empty outside the table.
std::string gridTableCell(const GridState& state, int row, int column);

}  // namespace sodwright::nibal
