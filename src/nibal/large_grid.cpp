// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/large_grid.h"

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace sodwright::nibal {
namespace {

// One line of nodes through the node of interest: node i of the line is at
// z[i x step], n nodes, d the spacing of the line's direction.
struct Line {
  const double* z;
  std::ptrdiff_t step;
  int n;
  double d;
};

// Percent gradient of the segment from node i to node i + 1, level ground
// beyond both ends: the same expression as the whole-grid walk.
double gradient(const Line& line, int i) {
  if (i < 0 || i + 1 >= line.n) return 0.0;
  return 100.0 * (line.z[(i + 1) * line.step] - line.z[i * line.step]) / line.d;
}

double deltaGradient(const Line& line, int i) { return gradient(line, i) - gradient(line, i - 1); }

struct LineResult {
  double dGrad;
  double dCurv;
  double loss;
};

LineResult walkNode(const Line& line, int i, double betta, double gamma) {
  const int n = line.n;
  const double d = line.d;
  LineResult out{deltaGradient(line, i), 0.0, 0.0};
  if (n == 1)
    out.dCurv = 0.0;
  else if (i == 0)
    out.dCurv = deltaGradient(line, i + 1) / d;
  else if (i == n - 1)
    out.dCurv = -deltaGradient(line, i - 1) / d;
  else
    out.dCurv = deltaGradient(line, i + 1) / d - deltaGradient(line, i - 1) / d;
  out.loss = -(betta * out.dGrad + gamma * out.dCurv) / d;
  return out;
}

}  // namespace

const char* firstNonFiniteResult(const NodeResults& n) {
  const std::pair<const char*, double> results[] = {
      {"DGradCol", n.dGradCol},      {"DCurvCol", n.dCurvCol},       {"DGradRow", n.dGradRow},
      {"DCurvRow", n.dCurvRow},      {"SoilLossCol", n.soilLossCol}, {"SoilLossRow", n.soilLossRow},
      {"SoilLossSum", n.soilLossSum}};
  for (const auto& [name, value] : results)
    if (!std::isfinite(value)) return name;
  return nullptr;
}

NodeResults computeNode(const ElevationView& grid, const GridCoefficients& k, int r, int c) {
  const std::ptrdiff_t columns = grid.columns;
  const Line column{grid.elevation + c, columns, grid.rows, grid.columnSpacing};
  const Line row{grid.elevation + r * columns, 1, grid.columns, grid.rowSpacing};
  const LineResult col = walkNode(column, r, k.bettaCol, k.gammaCol);
  const LineResult along = walkNode(row, c, k.bettaRow, k.gammaRow);
  return {col.dGrad, col.dCurv,  along.dGrad,          along.dCurv,
          col.loss,  along.loss, col.loss + along.loss};
}

void computeRow(const ElevationView& grid, const GridCoefficients& k, int r, NodeResults* out) {
  const ElevationBlock block{grid.elevation,  grid.columns,      0, grid.rows, 0, grid.columns,
                             grid.rowSpacing, grid.columnSpacing};
  computeBlockRow(block, k, r, 0, grid.columns, out);
}

void computeBlockRow(const ElevationBlock& block, const GridCoefficients& k, std::int64_t row,
                     std::int64_t firstColumn, int count, NodeResults* out) {
  // The same expressions as computeNode, each segment gradient formed once
  // per row: along the row every segment of the block, down the columns the
  // four segments around the row. A segment that leaves the block or touches
  // a no-data cell is level ground (gradient 0).
  const int r = static_cast<int>(row - block.firstRow);
  const int rows = block.rows;
  const int columns = block.columns;
  const auto n = static_cast<std::size_t>(columns);
  const double dRow = block.rowSpacing;
  const double dCol = block.columnSpacing;
  const auto line = [&](int i) {
    return block.elevation + static_cast<std::ptrdiff_t>(i) * block.stride;
  };
  const auto inside = [rows](int i) { return i >= 0 && i < rows; };
  thread_local std::vector<double> scratch;
  scratch.assign(6 * n, 0.0);
  double* const down[4] = {scratch.data(), scratch.data() + n, scratch.data() + 2 * n,
                           scratch.data() + 3 * n};
  double* const along = scratch.data() + 4 * n;
  double* const dGradRow = scratch.data() + 5 * n;
  for (int j = 0; j < 4; ++j) {
    const int i = r - 2 + j;  // segment from row i to row i + 1
    if (!inside(i) || !inside(i + 1)) continue;
    const double* z0 = line(i);
    const double* z1 = line(i + 1);
    for (std::size_t c = 0; c < n; ++c)
      if (!std::isnan(z0[c]) && !std::isnan(z1[c])) down[j][c] = 100.0 * (z1[c] - z0[c]) / dCol;
  }
  const double* z = line(r);
  for (std::size_t c = 0; c + 1 < n; ++c)
    if (!std::isnan(z[c]) && !std::isnan(z[c + 1])) along[c] = 100.0 * (z[c + 1] - z[c]) / dRow;
  // The last node's segment is level ground: along[n - 1] stays 0.
  for (std::size_t c = 0; c < n; ++c) dGradRow[c] = along[c] - (c == 0 ? 0.0 : along[c - 1]);

  const double* zAbove = inside(r - 1) ? line(r - 1) : nullptr;
  const double* zBelow = inside(r + 1) ? line(r + 1) : nullptr;
  const auto from = static_cast<std::size_t>(firstColumn - block.firstColumn);
  for (int at = 0; at < count; ++at) {
    const std::size_t c = from + static_cast<std::size_t>(at);
    NodeResults& node = out[at];
    if (std::isnan(z[c])) {
      const double none = std::numeric_limits<double>::quiet_NaN();
      node = {none, none, none, none, none, none, none};
      continue;
    }
    const bool up = zAbove != nullptr && !std::isnan(zAbove[c]);
    const bool downward = zBelow != nullptr && !std::isnan(zBelow[c]);
    const double above = down[1][c] - down[0][c];  // delta gradient of row r - 1
    node.dGradCol = down[2][c] - down[1][c];
    const double below = down[3][c] - down[2][c];  // of row r + 1
    if (!up && !downward)
      node.dCurvCol = 0.0;
    else if (!up)
      node.dCurvCol = below / dCol;
    else if (!downward)
      node.dCurvCol = -above / dCol;
    else
      node.dCurvCol = below / dCol - above / dCol;
    node.soilLossCol = -(k.bettaCol * node.dGradCol + k.gammaCol * node.dCurvCol) / dCol;
    node.dGradRow = dGradRow[c];
    const bool left = c > 0 && !std::isnan(z[c - 1]);
    const bool right = c + 1 < n && !std::isnan(z[c + 1]);
    if (!left && !right)
      node.dCurvRow = 0.0;
    else if (!left)
      node.dCurvRow = dGradRow[c + 1] / dRow;
    else if (!right)
      node.dCurvRow = -dGradRow[c - 1] / dRow;
    else
      node.dCurvRow = dGradRow[c + 1] / dRow - dGradRow[c - 1] / dRow;
    node.soilLossRow = -(k.bettaRow * node.dGradRow + k.gammaRow * node.dCurvRow) / dRow;
    node.soilLossSum = node.soilLossCol + node.soilLossRow;
  }
}

}  // namespace sodwright::nibal
