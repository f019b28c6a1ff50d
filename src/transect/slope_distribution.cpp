#include "transect/slope_distribution.h"

#include <cmath>
#include <cstring>

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

void ShareWindow::fill(int count, const double* distance, double dx) {
  const int d = distrNodes_;
  const std::size_t n = static_cast<std::size_t>(count);
  double* f0 = mutableRow(0) + d;
  double* sum = sums_.data();
  double* q = factors_.data();
  for (std::size_t j = 0; j < n; ++j) {
    const double length = distance[j];
    f0[j] = 1 - std::exp(-(dx / 2) / length);
    sum[j] = f0[j];
  }
  if (d >= 1) {
    double* f1 = mutableRow(1) + d;
    for (std::size_t j = 0; j < n; ++j) {
      const double length = distance[j];
      f1[j] = std::exp(-(1 * dx + dx / 2) / length) * dx / length;
      q[j] = std::exp(-dx / length);
    }
  }
  // Share index outside, nodes inside: each node's sum still adds F0, F1,
  // ..., FD in that order, and the node loop vectorises.
  for (int k = 1; k <= d; ++k) {
    double* fk = mutableRow(k) + d;
    if (k >= 2) {
      const double* prev = mutableRow(k - 1) + d;
      for (std::size_t j = 0; j < n; ++j) fk[j] = prev[j] * q[j];
    }
    for (std::size_t j = 0; j < n; ++j) sum[j] += fk[j];
  }
  for (int k = 0; k <= d; ++k) {
    double* fk = mutableRow(k) + d;
    for (std::size_t j = 0; j < n; ++j) fk[j] = fk[j] / sum[j];
  }
}

}  // namespace sodwright::kolv
