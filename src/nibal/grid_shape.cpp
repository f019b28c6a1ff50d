// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/grid_shape.h"

#include <cmath>
#include <variant>

#include "base/number_text.h"

namespace sodwright::nibal {

namespace {

std::optional<double> coordinateValue(const GridCoordinate& coordinate) {
  if (const double* value = std::get_if<double>(&coordinate)) return *value;
  return base::parseStrictNumber(std::get<std::string>(coordinate));
}

std::optional<GridArray<double>> numericGrid(const GridArray<GridCoordinate>& grid) {
  GridArray<double> values(grid.rows(), grid.columns());
  for (int r = 1; r <= grid.rows(); ++r)
    for (int c = 1; c <= grid.columns(); ++c) {
      const std::optional<double> value = coordinateValue(grid(r, c));
      if (!value || !std::isfinite(*value)) return std::nullopt;
      values(r, c) = *value;
    }
  return values;
}

std::string nodeText(int r, int c) {
  return "node (" + std::to_string(r) + ", " + std::to_string(c) + ")";
}

// How many records, counted in file order from the first, share the first
// record's value: the length of one row of the file (northings) or of one
// column (eastings, for a file that lists columns).
int leadingRun(const GridArray<double>& grid, double tolerance) {
  const int columns = grid.columns();
  const double first = grid(1, 1);
  const int total = grid.rows() * columns;
  int n = 1;
  while (n < total && std::fabs(grid(n / columns + 1, n % columns + 1) - first) <= tolerance) ++n;
  return n;
}

}  // namespace

std::optional<GridShapeFinding> findGridShapeMismatch(const GridState& state) {
  if (state.GridEasting.empty() || state.GridNorthing.empty()) return std::nullopt;
  const std::optional<double> rowSpacing = base::parseStrictNumber(state.info.RowSpacing);
  const std::optional<double> columnSpacing = base::parseStrictNumber(state.info.ColumnSpacing);
  if (!rowSpacing || !columnSpacing) return std::nullopt;
  const std::optional<GridArray<double>> easting = numericGrid(state.GridEasting);
  const std::optional<GridArray<double>> northing = numericGrid(state.GridNorthing);
  if (!easting || !northing) return std::nullopt;
  const double eastingTolerance = std::fabs(*rowSpacing) / 100.0;
  const double northingTolerance = std::fabs(*columnSpacing) / 100.0;

  const int rows = easting->rows();
  const int columns = easting->columns();
  GridShapeFinding finding;
  std::string fault;
  for (int r = 1; r <= rows && fault.empty(); ++r)
    for (int c = 1; c <= columns && fault.empty(); ++c) {
      const double e = (*easting)(r, c);
      const double n = (*northing)(r, c);
      if (std::fabs(n - (*northing)(r, 1)) > northingTolerance)
        fault = "has northing " + base::generalText(n) + " where " + nodeText(r, 1) +
                " of its row has " + base::generalText((*northing)(r, 1));
      else if (std::fabs(e - (*easting)(1, c)) > eastingTolerance)
        fault = "has easting " + base::generalText(e) + " where " + nodeText(1, c) +
                " of its column has " + base::generalText((*easting)(1, c));
      if (!fault.empty()) {
        finding.row = r;
        finding.column = c;
      }
    }
  if (fault.empty()) return std::nullopt;

  finding.message = "The eastings and northings do not form " + std::to_string(rows) + " rows x " +
                    std::to_string(columns) + " columns: " + nodeText(finding.row, finding.column) +
                    " " + fault + ".";
  const int total = rows * columns;
  const int rowLength = leadingRun(*northing, northingTolerance);
  if (rowLength > 1 && rowLength < total && total % rowLength == 0) {
    finding.suggestedRows = total / rowLength;
    finding.suggestedColumns = rowLength;
    finding.message += " The coordinates suggest " + std::to_string(finding.suggestedRows) +
                       " rows x " + std::to_string(finding.suggestedColumns) + " columns.";
  } else if (rowLength == 1) {
    const int columnLength = leadingRun(*easting, eastingTolerance);
    if (columnLength > 1 && columnLength < total)
      finding.message += " The file seems to list the nodes column by column (" +
                         std::to_string(columnLength) +
                         " to a column); the nodes must run along the rows.";
  }
  return finding;
}

}  // namespace sodwright::nibal
