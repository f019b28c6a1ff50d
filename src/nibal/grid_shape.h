// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether the eastings and northings of an imported grid form the rows and
// columns typed. Along a row the northing stays the same and down a column
// the easting does; a file read with rows and columns swapped breaks this at
// once, and its coordinates tell the shape they do form.

#include <optional>
#include <string>

#include "nibal/grid_state.h"

namespace sodwright::nibal {

struct GridShapeFinding {
  int row = 0;  // the first node, in file order, that breaks the pattern
  int column = 0;
  int suggestedRows = 0;  // the shape the coordinates form; 0 when they suggest none
  int suggestedColumns = 0;
  std::string message;  // what the window and the batch say
};

// Compares every northing with the first of its row and every easting with
// the first of its column; a difference above a hundredth of the spacing
// between those nodes ("Column Spacing" for northings, "Row Spacing" for
// eastings) is a finding. Nothing is found when a coordinate is not a
// number or the grid is empty.
std::optional<GridShapeFinding> findGridShapeMismatch(const GridState& state);

}  // namespace sodwright::nibal
