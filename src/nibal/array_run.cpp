// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/array_run.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "base/threads/parallel.h"
#include "nibal/grid_model.h"

namespace sodwright::nibal {

namespace {

// Lines converted at a time: a few hundred kilobytes of doubles on wide grids.
constexpr std::int64_t kStripLines = 64;
// Below this many lines a second worker costs more than it saves.
constexpr std::int64_t kLinesPerWorker = 256;

std::string nodeText(std::int64_t row, std::int64_t column) {
  return "row " + std::to_string(row + 1) + ", column " + std::to_string(column + 1);
}

double cellAt(const ElevationArray& grid, std::int64_t r, std::int64_t c) {
  const std::ptrdiff_t at = static_cast<std::ptrdiff_t>(r) * grid.stride + c;
  return grid.singlePrecision ? static_cast<double>(static_cast<const float*>(grid.cells)[at])
                              : static_cast<const double*>(grid.cells)[at];
}

bool isNoData(const ElevationArray& grid, double v) {
  return grid.noData && (std::isnan(v) || v == *grid.noData);
}

// Lines top .. top + lines - 1 as doubles, NaN at no-data cells.
void convertLines(const ElevationArray& grid, std::int64_t top, std::int64_t lines,
                  std::vector<double>& out) {
  out.resize(static_cast<std::size_t>(lines * grid.columns));
  for (std::int64_t i = 0; i < lines; ++i) {
    double* line = out.data() + i * grid.columns;
    for (std::int64_t c = 0; c < grid.columns; ++c) {
      const double v = cellAt(grid, top + i, c);
      line[c] = isNoData(grid, v) ? std::numeric_limits<double>::quiet_NaN() : v;
    }
  }
}

// What one worker's lines gave.
struct PartOutcome {
  std::int64_t valid = 0;
  std::string fault;  // the first node whose result is not finite
};

void runLines(const ElevationArray& grid, const GridCoefficients& k, const SoilLossBands& out,
              std::int64_t first, std::int64_t end, PartOutcome& outcome) {
  std::vector<double> cells;
  std::vector<NodeResults> nodes(static_cast<std::size_t>(grid.columns));
  const auto columns = static_cast<int>(grid.columns);
  for (std::int64_t y0 = first; y0 < end; y0 += kStripLines) {
    const std::int64_t y1 = std::min(end, y0 + kStripLines);
    // Two lines on each side, fewer at the grid's edge.
    const std::int64_t top = std::max<std::int64_t>(0, y0 - 2);
    const std::int64_t bottom = std::min(grid.rows, y1 + 2);
    convertLines(grid, top, bottom - top, cells);
    const ElevationBlock block{
        cells.data(),    columns,           top, static_cast<int>(bottom - top), 0, columns,
        grid.rowSpacing, grid.columnSpacing};
    for (std::int64_t y = y0; y < y1; ++y) {
      computeBlockRow(block, k, y, 0, columns, nodes.data());
      const double* z = cells.data() + (y - top) * grid.columns;
      const std::size_t at = static_cast<std::size_t>(y * grid.columns);
      for (std::int64_t c = 0; c < grid.columns; ++c) {
        const NodeResults& n = nodes[static_cast<std::size_t>(c)];
        out.soilLossSum[at + c] = n.soilLossSum;
        out.soilLossRow[at + c] = n.soilLossRow;
        out.soilLossCol[at + c] = n.soilLossCol;
        if (std::isnan(z[c])) continue;
        ++outcome.valid;
        if (outcome.fault.empty())
          if (const char* name = firstNonFiniteResult(n))
            outcome.fault =
                nonFiniteRunMessage({name, static_cast<int>(y + 1), static_cast<int>(c + 1)});
      }
      if (!outcome.fault.empty()) return;
    }
  }
}

}  // namespace

std::optional<std::string> arrayRefusal(const ElevationArray& grid, const std::string& name) {
  if (grid.rows < 4 || grid.columns < 4)
    return name + " has " + std::to_string(grid.rows) + " rows x " + std::to_string(grid.columns) +
           " columns; NIBAL needs at least 4 x 4 nodes";
  if (grid.columns > std::numeric_limits<int>::max() || grid.rows > std::numeric_limits<int>::max())
    return name + " has more nodes along a side than a run takes";
  if (grid.noData) return std::nullopt;
  for (std::int64_t r = 0; r < grid.rows; ++r)
    for (std::int64_t c = 0; c < grid.columns; ++c)
      if (const double v = cellAt(grid, r, c); !std::isfinite(v))
        return name + ": the cell at " + nodeText(r, c) + " holds " +
               (std::isnan(v) ? "NaN" : "an infinite value") +
               ", not an elevation (give nodata to mark no-data cells)";
  return std::nullopt;
}

base::Result<> runElevationArray(const ElevationArray& grid, const GridCoefficients& k,
                                 const SoilLossBands& out, int threads, const std::string& name) {
  if (const auto refused = arrayRefusal(grid, name)) return base::fail(*refused);
  const auto workers = static_cast<int>(
      std::clamp<std::int64_t>(grid.rows / kLinesPerWorker, 1, base::workerCount(threads)));
  // Whole strips per worker, in order, so that the first fault of the
  // first failing worker is the grid's first.
  std::vector<PartOutcome> outcomes(static_cast<std::size_t>(workers));
  const std::int64_t share = (grid.rows + workers - 1) / workers;
  base::runParts(workers, [&](int part) {
    const std::int64_t first = std::min(grid.rows, part * share);
    const std::int64_t end = std::min(grid.rows, first + share);
    runLines(grid, k, out, first, end, outcomes[static_cast<std::size_t>(part)]);
  });
  std::int64_t valid = 0;
  for (const PartOutcome& outcome : outcomes) {
    if (!outcome.fault.empty()) return base::fail(outcome.fault);
    valid += outcome.valid;
  }
  if (valid == 0)
    return base::fail(name + ": every cell is no-data, so there is no field to compute.");
  return {};
}

}  // namespace sodwright::nibal
