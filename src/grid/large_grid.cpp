#include "grid/large_grid.h"

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
  return {col.dGrad, col.dCurv, along.dGrad, along.dCurv, col.loss, along.loss, col.loss + along.loss};
}

void computeRow(const ElevationView& grid, const GridCoefficients& k, int r, NodeResults* out) {
  for (int c = 0; c < grid.columns; ++c) out[c] = computeNode(grid, k, r, c);
}

}  // namespace sodwright::nibal
