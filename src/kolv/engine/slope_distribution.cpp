// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/engine/slope_distribution.h"

#include <cmath>

#include "kolv/engine/vector_clones.h"

namespace sodwright::kolv {

double softLimitedDistance(double distance, double dx) {
  const double lowBend = 1.1 * dx;
  const double highBend = 25 * dx;
  if (distance <= lowBend) return lowBend + (2 * dx / kModelPi) * std::atan(distance - lowBend);
  if (distance >= highBend) return highBend + (2 * dx / kModelPi) * std::atan(distance - highBend);
  return distance;
}

namespace {

// Each share divided by its node's sum; one division per element, so the
// vector version rounds exactly as the plain one.
SODWRIGHT_VECTOR_CLONES
void normaliseRows(double* values, std::size_t width, int d, std::size_t n,
                   const double* __restrict sum) {
  for (int k = 0; k <= d; ++k) {
    double* __restrict fk = values + static_cast<std::size_t>(k) * width;
    for (std::size_t j = 0; j < n; ++j) fk[j] = fk[j] / sum[j];
  }
}

// f[j] = 1 - exp(numerator / length[j]); sum[j] = f[j]
void startRow(double* __restrict f, double numerator, const double* __restrict length,
              double* __restrict sum, std::size_t n) {
  for (std::size_t j = 0; j < n; ++j) {
    f[j] = 1 - expOrZero(numerator / length[j]);
    sum[j] = f[j];
  }
}

// f[j] = exp(numerator / length[j]) * dx / length[j]; sum[j] += f[j]. The
// divisions and the running sum overlap the exponential's own work, as they
// do in the single expression; run apart in vector lanes they cost as much
// again.
void fillRow(double* __restrict f, double numerator, double dx, const double* __restrict length,
             double* __restrict sum, std::size_t n) {
  for (std::size_t j = 0; j < n; ++j) {
    f[j] = expOrZero(numerator / length[j]) * dx / length[j];
    sum[j] += f[j];
  }
}

}  // namespace

ShareBlock::ShareBlock(int distrNodes, int blockSize)
    : distrNodes_(distrNodes),
      blockSize_(blockSize),
      width_(static_cast<std::size_t>(blockSize)),
      values_(static_cast<std::size_t>(distrNodes + 1) * width_),
      sums_(static_cast<std::size_t>(blockSize)) {}

void ShareBlock::fill(int count, const double* distance, double dx) {
  const int d = distrNodes_;
  const std::size_t n = static_cast<std::size_t>(count);
  double* sum = sums_.data();
  // Each share row in one sweep over the nodes. Every element goes through
  // the same operations in the same order as the single expression
  //   exp(-(k dx + dx / 2) / L) dx / L
  // (the numerator -(k dx + dx / 2) is the same for all nodes of a row).
  for (int k = 0; k <= d; ++k) {
    double* fk = mutableRow(k);
    const double numerator = k == 0 ? -(dx / 2) : -(k * dx + dx / 2);
    if (k == 0) {
      startRow(fk, numerator, distance, sum, n);  // F0 = 1 - exp(-(dx / 2) / L)
    } else {
      fillRow(fk, numerator, dx, distance, sum, n);
    }
  }
  normaliseRows(values_.data(), width_, d, n, sum);
}

}  // namespace sodwright::kolv
