// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The grid computation node by node, for elevation models far larger than the
// 16-bit node count of the windows (a 4,000 x 4,000 DEM from the batch). Each
// node's seven results need only its two neighbours on either side along its
// row and its column, so a caller can walk the grid one row at a time and
// keep no result grid in memory. The arithmetic is the whole-grid walk's,
// operation for operation, so the results are the same to the last bit.

#include <cstddef>
#include <cstdint>

namespace sodwright::nibal {

// A row-major elevation grid without the unused index 0: node (r, c), both
// counted from 0, is at r x columns + c.
struct ElevationView {
  const double* elevation = nullptr;
  int rows = 0;
  int columns = 0;
  double rowSpacing = 0.0;     // between neighbouring nodes of one row
  double columnSpacing = 0.0;  // between neighbouring nodes of one column
};

struct GridCoefficients {
  double bettaRow = 0.0;
  double gammaRow = 0.0;
  double bettaCol = 0.0;
  double gammaCol = 0.0;
};

// The seven results of one node, as the result grids hold them.
struct NodeResults {
  double dGradCol = 0.0;
  double dCurvCol = 0.0;
  double dGradRow = 0.0;
  double dCurvRow = 0.0;
  double soilLossCol = 0.0;
  double soilLossRow = 0.0;
  double soilLossSum = 0.0;
};

// The name of the first of a node's results that is not finite, in the
// order a run's message names them, or null when all are finite.
const char* firstNonFiniteResult(const NodeResults& n);

// The results of node (r, c), counted from 0.
NodeResults computeNode(const ElevationView& grid, const GridCoefficients& k, int r, int c);

// The results of every node of row r, into out[0 .. columns - 1].
void computeRow(const ElevationView& grid, const GridCoefficients& k, int r, NodeResults* out);

// Part of a larger elevation model held in memory, rows outer: cell (i, j)
// of the block, at elevation[i x stride + j], is cell (firstRow + i,
// firstColumn + j) of the model. NaN marks a no-data cell. A no-data cell
// ends a row or a column as the edge of the model does (level ground beyond,
// one-sided curvature at the last node), and so does the block's own edge:
// the caller holds two cells around every node it asks for, or the model's
// edge.
struct ElevationBlock {
  const double* elevation = nullptr;
  std::ptrdiff_t stride = 0;
  std::int64_t firstRow = 0;
  int rows = 0;
  std::int64_t firstColumn = 0;
  int columns = 0;
  double rowSpacing = 0.0;
  double columnSpacing = 0.0;
};

// The results of model row `row`, columns firstColumn .. firstColumn +
// count - 1 (model numbering, counted from 0), into out[0 .. count - 1]. A
// no-data node gets NaN in all seven results. On a block without no-data
// this is computeRow's arithmetic, bit for bit.
void computeBlockRow(const ElevationBlock& block, const GridCoefficients& k, std::int64_t row,
                     std::int64_t firstColumn, int count, NodeResults* out);

}  // namespace sodwright::nibal
