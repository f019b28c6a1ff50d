#include "transect/slope_distribution.h"

#include <cmath>
#include <cstring>

#include "transect/vector_clones.h"

namespace sodwright::kolv {

double SoftLimitedDistance(double distance, double dx) {
  const double lowBend = 1.1 * dx;
  const double highBend = 25 * dx;
  if (distance <= lowBend) return lowBend + (2 * dx / kModelPi) * std::atan(distance - lowBend);
  if (distance >= highBend) return highBend + (2 * dx / kModelPi) * std::atan(distance - highBend);
  return distance;
}

ShareWindow::ShareWindow(int distrNodes, int blockSize)
    : distrNodes_(distrNodes),
      blockSize_(blockSize),
      width_(static_cast<std::size_t>(distrNodes + blockSize)),
      values_(static_cast<std::size_t>(distrNodes + 1) * width_, 0.0),
      sums_(static_cast<std::size_t>(blockSize), 0.0),
      factors_(static_cast<std::size_t>(blockSize), 0.0) {}

void ShareWindow::advance(int previousCount) {
  const std::size_t keep = static_cast<std::size_t>(distrNodes_);
  if (keep == 0) return;
  for (int k = 0; k <= distrNodes_; ++k) {
    double* r = mutableRow(k);
    std::memmove(r, r + previousCount, keep * sizeof(double));
  }
}

namespace {

// Rows 1..D from the factor q, the sums, and the division by the sums.
SODWRIGHT_VECTOR_CLONES
void completeShares(double* const* rows, int d, std::size_t n, const double* __restrict q, double* __restrict sum) {
  // Share index outside, nodes inside: each node's sum still adds F0, F1,
  // ..., FD in that order, and the node loop vectorises.
  if (d >= 1) {
    const double* __restrict f1 = rows[1];
    for (std::size_t j = 0; j < n; ++j) sum[j] += f1[j];
  }
  for (int k = 2; k <= d; ++k) {
    double* __restrict fk = rows[k];
    const double* __restrict prev = rows[k - 1];
    for (std::size_t j = 0; j < n; ++j) {
      fk[j] = prev[j] * q[j];
      sum[j] += fk[j];
    }
  }
  for (int k = 0; k <= d; ++k) {
    double* __restrict fk = rows[k];
    for (std::size_t j = 0; j < n; ++j) fk[j] = fk[j] / sum[j];
  }
}

}  // namespace

void ShareWindow::fill(int count, const double* distance, double dx) {
  const int d = distrNodes_;
  const std::size_t n = static_cast<std::size_t>(count);
  double* f0 = mutableRow(0) + d;
  double* sum = sums_.data();
  double* q = factors_.data();
  for (std::size_t j = 0; j < n; ++j) {
    const double length = distance[j];
    const double half = std::exp(-(dx / 2) / length);
    f0[j] = 1 - half;
    sum[j] = f0[j];
    q[j] = half * half;  // exp(-dx / L), the ratio of neighbouring tail shares
  }
  if (d >= 1) {
    double* f1 = mutableRow(1) + d;
    for (std::size_t j = 0; j < n; ++j) {
      const double length = distance[j];
      f1[j] = std::exp(-(1 * dx + dx / 2) / length) * dx / length;
    }
  }
  rowStarts_.resize(static_cast<std::size_t>(d + 1));
  for (int k = 0; k <= d; ++k) rowStarts_[static_cast<std::size_t>(k)] = mutableRow(k) + d;
  completeShares(rowStarts_.data(), d, n, q, sum);
}

}  // namespace sodwright::kolv
