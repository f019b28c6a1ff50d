// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/grid_stability.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <functional>
#include <limits>
#include <numbers>
#include <vector>

namespace sodwright::nibal {
namespace {

// A stencil weight: the loss at a node per metre of elevation at (dr, dc) from it.
struct Weight {
  int dr;
  int dc;
  double w;
};

// The weights, read off the soil loss of a flat grid with one node raised
// by 1 m, far enough from the edge that no edge rule applies: the node at
// (-dr, -dc) from the raised one feels it with weight w(dr, dc).
std::vector<Weight> stencil(const GridCoefficients& k, double rowSpacing, double columnSpacing) {
  constexpr int n = 9;
  constexpr int centre = 4;
  std::vector<double> z(n * n, 0.0);
  z[centre * n + centre] = 1.0;
  const ElevationBlock block{z.data(), n, 0, n, 0, n, rowSpacing, columnSpacing};
  std::vector<NodeResults> line(n);
  std::vector<Weight> weights;
  for (int r = centre - 2; r <= centre + 2; ++r) {
    computeBlockRow(block, k, r, 0, n, line.data());
    for (int c = centre - 2; c <= centre + 2; ++c)
      if (const double w = line[static_cast<std::size_t>(c)].soilLossSum; w != 0.0)
        weights.push_back({centre - r, centre - c, w});
  }
  return weights;
}

std::complex<double> symbol(const std::vector<Weight>& weights, double a, double b) {
  std::complex<double> s = 0.0;
  for (const Weight& w : weights) s += w.w * std::polar(1.0, w.dc * a + w.dr * b);
  return s;
}

// The largest value of f over the waves (a, b) in [-pi, pi]^2: a grid of
// 129 x 129 wave numbers, then its best points refined by shrinking grids.
double largestOverWaves(const std::function<double(double, double)>& f) {
  constexpr double pi = std::numbers::pi;
  constexpr int n = 129;
  const double step = 2.0 * pi / (n - 1);
  struct Point {
    double value, a, b;
  };
  std::vector<Point> grid;
  grid.reserve(n * n);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) {
      const double a = -pi + i * step;
      const double b = -pi + j * step;
      grid.push_back({f(a, b), a, b});
    }
  const auto better = [](const Point& x, const Point& y) { return x.value > y.value; };
  const std::size_t keep = 8;
  std::partial_sort(grid.begin(), grid.begin() + keep, grid.end(), better);
  double best = grid.front().value;
  for (std::size_t s = 0; s < keep; ++s) {
    Point at = grid[s];
    double half = step;
    for (int round = 0; round < 40; ++round) {
      Point centre = at;
      for (int i = -4; i <= 4; ++i)
        for (int j = -4; j <= 4; ++j) {
          const double a = std::clamp(centre.a + i * half / 4, -pi, pi);
          const double b = std::clamp(centre.b + j * half / 4, -pi, pi);
          const double v = f(a, b);
          if (v > at.value) at = {v, a, b};
        }
      half *= 0.5;
    }
    best = std::max(best, at.value);
  }
  return best;
}

}  // namespace

StepStability stepStability(const GridCoefficients& k, double rowSpacing, double columnSpacing,
                            double bulkDensity, long long passesPerYear) {
  const std::vector<Weight> weights = stencil(k, rowSpacing, columnSpacing);
  double scale = 0.0;
  for (const Weight& w : weights) scale += std::abs(w.w);
  StepStability out;
  const double tau = 1.0 / (static_cast<double>(passesPerYear) * bulkDensity);
  out.largestAmplification = std::sqrt(largestOverWaves(
      [&](double a, double b) { return std::norm(1.0 - symbol(weights, a, b) * tau); }));
  out.amplifies = out.largestAmplification > 1.0 + 1e-12;

  // K >= |L^|^2 / (2 rho Re L^) at every wave; no K when a wave has an
  // imaginary part and no damping (Re L^ <= 0).
  const double tiny = 1e-12 * scale;
  const double most = largestOverWaves([&](double a, double b) {
    const std::complex<double> s = symbol(weights, a, b);
    if (std::abs(s) <= tiny) return 0.0;
    if (s.real() <= tiny) return std::numeric_limits<double>::infinity();
    return std::norm(s) / (2.0 * bulkDensity * s.real());
  });
  if (std::isfinite(most) && most < 9.0e15)
    out.smallestStablePasses =
        std::max(1LL, static_cast<long long>(std::ceil(most * (1.0 - 1e-12))));
  return out;
}

}  // namespace sodwright::nibal
