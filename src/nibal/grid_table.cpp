// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/grid_table.h"

#include <array>
#include <string_view>

#include "base/number_text.h"

namespace sodwright::nibal {

namespace {

constexpr std::array<std::string_view, kGridTableColumnCount> kHeadings = {"Row", "Col", "Easting",
                                                                           "Northing", "Elevation"};

std::string coordinateText(const GridCoordinate& value) {
  if (const double* number = std::get_if<double>(&value)) return base::generalText(*number);
  return std::get<std::string>(value);
}

}  // namespace

int gridTableRowCount(const GridState& state) {
  return state.GridElevation.rows() * state.GridElevation.columns() + 1;
}

int gridTableColumnWidthTwips(int column) { return column < 2 ? 500 : 1500; }

std::string gridTableCell(const GridState& state, int row, int column) {
  if (column < 0 || column >= kGridTableColumnCount || row < 0 || row >= gridTableRowCount(state))
    return {};
  if (row == 0) return std::string(kHeadings[static_cast<std::size_t>(column)]);
  const int columns = state.GridElevation.columns();
  const int r = (row - 1) / columns + 1;
  const int c = (row - 1) % columns + 1;
  switch (column) {
    case 0:
      return std::to_string(r);
    case 1:
      return std::to_string(c);
    case 2:
      return coordinateText(state.GridEasting(r, c));
    case 3:
      return coordinateText(state.GridNorthing(r, c));
    default:
      return base::t2Text(state.GridElevation(r, c));
  }
}

}  // namespace sodwright::nibal
