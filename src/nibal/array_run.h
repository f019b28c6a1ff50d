// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// NIBAL on an elevation grid that a caller holds in memory (a numpy array
// from the Python module, a DEM read by another program), without copying
// it: the run converts a strip of lines plus two on each side to doubles at
// a time, so it takes little memory beyond the three result bands. Each
// node's results are computeBlockRow's, so they are those of the streamed
// raster run and of the grid window to the last bit.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "base/result.h"
#include "nibal/large_grid.h"

namespace sodwright::nibal {

// Rows outer; cell (r, c) is at cells[r x stride + c] (stride in cells).
struct ElevationArray {
  const void* cells = nullptr;
  bool singlePrecision = false;  // float cells; else double
  std::int64_t rows = 0;
  std::int64_t columns = 0;
  std::ptrdiff_t stride = 0;
  double rowSpacing = 0.0;     // between neighbouring nodes of one row
  double columnSpacing = 0.0;  // between neighbouring nodes of one column
  // Cells equal to it, and NaN cells, are no-data: the edge of the field.
  // Without it every cell must be a finite elevation.
  std::optional<double> noData;
};

// Three bands of rows x columns doubles each, rows outer, no gaps; NaN at
// no-data nodes.
struct SoilLossBands {
  double* soilLossSum = nullptr;
  double* soilLossRow = nullptr;
  double* soilLossCol = nullptr;
};

// The reason an array cannot be a grid (too small, a cell that is no
// elevation), or empty when it can; `name` names the array in the message.
std::optional<std::string> arrayRefusal(const ElevationArray& grid, const std::string& name);

// The run over `threads` workers (0: the machine's cores). Refused: an
// array arrayRefusal refuses, every cell no-data, a node whose result is not
// a finite number (the first, rows outer, as the batch names it).
base::Result<> runElevationArray(const ElevationArray& grid, const GridCoefficients& k,
                                 const SoilLossBands& out, int threads, const std::string& name);

}  // namespace sodwright::nibal
