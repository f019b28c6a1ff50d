#include "transect/slope_distribution.h"

#include <cmath>

#include "transect/vector_clones.h"

namespace sodwright::kolv {

double SoftLimitedDistance(double distance, double dx) {
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
void normaliseRows(double* values, std::size_t width, int d, std::size_t n, const double* __restrict sum) {
  for (int k = 0; k <= d; ++k) {
    double* __restrict fk = values + static_cast<std::size_t>(k) * width;
    for (std::size_t j = 0; j < n; ++j) fk[j] = fk[j] / sum[j];
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
  double* f0 = mutableRow(0);
  for (std::size_t j = 0; j < n; ++j) {
    const double length = distance[j];
    f0[j] = 1 - std::exp(-(dx / 2) / length);
    sum[j] = f0[j];
  }
  // Share index outside, nodes inside: each node still sums F0, F1, ..., FD
  // in that order.
  for (int k = 1; k <= d; ++k) {
    double* fk = mutableRow(k);
    for (std::size_t j = 0; j < n; ++j) {
      const double length = distance[j];
      fk[j] = std::exp(-(k * dx + dx / 2) / length) * dx / length;
      sum[j] += fk[j];
    }
  }
  normaliseRows(values_.data(), width_, d, n, sum);
}

}  // namespace sodwright::kolv
