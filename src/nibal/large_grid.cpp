// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/large_grid.h"

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
  // The same expressions as computeNode, each segment gradient formed once
  // per row: along the row every segment of the row, down the columns the
  // four segments around row r (level ground beyond the edges).
  const int rows = grid.rows;
  const int columns = grid.columns;
  const auto n = static_cast<std::size_t>(columns);
  const double dRow = grid.rowSpacing;
  const double dCol = grid.columnSpacing;
  std::vector<double> scratch(5 * n, 0.0);
  double* const down[4] = {scratch.data(), scratch.data() + n, scratch.data() + 2 * n,
                           scratch.data() + 3 * n};
  double* const along = scratch.data() + 4 * n;
  for (int j = 0; j < 4; ++j) {
    const int i = r - 2 + j;  // segment from row i to row i + 1
    if (i < 0 || i + 1 >= rows) continue;
    const double* z0 = grid.elevation + static_cast<std::ptrdiff_t>(i) * columns;
    const double* z1 = z0 + columns;
    for (std::size_t c = 0; c < n; ++c) down[j][c] = 100.0 * (z1[c] - z0[c]) / dCol;
  }
  const double* z = grid.elevation + static_cast<std::ptrdiff_t>(r) * columns;
  for (std::size_t c = 0; c + 1 < n; ++c) along[c] = 100.0 * (z[c + 1] - z[c]) / dRow;

  for (std::size_t c = 0; c < n; ++c) {
    NodeResults& node = out[c];
    const double above = down[1][c] - down[0][c];  // delta gradient of row r - 1
    node.dGradCol = down[2][c] - down[1][c];
    const double below = down[3][c] - down[2][c];  // of row r + 1
    if (rows == 1)
      node.dCurvCol = 0.0;
    else if (r == 0)
      node.dCurvCol = below / dCol;
    else if (r == rows - 1)
      node.dCurvCol = -above / dCol;
    else
      node.dCurvCol = below / dCol - above / dCol;
    node.soilLossCol = -(k.bettaCol * node.dGradCol + k.gammaCol * node.dCurvCol) / dCol;
    node.dGradRow = along[c] - (c == 0 ? 0.0 : along[c - 1]);
  }
  // The last node's segment is level ground: along[n - 1] stays 0.
  for (std::size_t c = 0; c < n; ++c) {
    NodeResults& node = out[c];
    if (n == 1)
      node.dCurvRow = 0.0;
    else if (c == 0)
      node.dCurvRow = out[c + 1].dGradRow / dRow;
    else if (c == n - 1)
      node.dCurvRow = -out[c - 1].dGradRow / dRow;
    else
      node.dCurvRow = out[c + 1].dGradRow / dRow - out[c - 1].dGradRow / dRow;
    node.soilLossRow = -(k.bettaRow * node.dGradRow + k.gammaRow * node.dCurvRow) / dRow;
    node.soilLossSum = node.soilLossCol + node.soilLossRow;
  }
}

}  // namespace sodwright::nibal
