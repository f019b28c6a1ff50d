// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Slope, translocation distance and the exponential distribution of a node's
// tilled layer over the D nodes downstream of it.

#include <cmath>
#include <cstddef>
#include <vector>

namespace sodwright::kolv {

// Pi as the model has always written it; the soft limits depend on its digits.
inline constexpr double kModelPi = 3.14159265357;

// Slope in % between two elevations `run` metres apart; positive when the
// surface falls from `first` to `second`.
inline double slopePercent(double first, double second, double run) {
  return 100.0 * (first - second) / run;
}

// What sets a node's mean translocation distance.
struct DistanceModel {
  double alpha = 0.0;  // m
  double beta = 0.0;   // m per % of slope gradient
  double gamma = 0.0;  // m per % per m of slope curvature
  double dx = 0.0;     // node interval, m
};

// The mean distance before the soft limits: Alpha + Beta SG + Gamma SC + dx / 2.
inline double rawDistance(const DistanceModel& m, double slopeGradient, double slopeCurvature) {
  return m.alpha + m.beta * slopeGradient + m.gamma * slopeCurvature + m.dx / 2;
}

// Keeps a distance between 0.1 dx and 26 dx: below 1.1 dx and above 25 dx it
// bends smoothly toward those bounds (the atan argument is in metres).
double softLimitedDistance(double distance, double dx);

// std::exp(x) bit for bit, given directly as +0 far below the smallest
// subnormal: there the library reaches the same +0 on a slow path, and long
// distribution distances send most shares of a node there.
inline constexpr double kExpIsZeroBelow = -746.0;  // exp(-746) < 2^-1075
inline double expOrZero(double x) { return x < kExpIsZeroBelow ? 0.0 : std::exp(x); }

// Normalised shares of a block of consecutive nodes, stored by share index
// k = 0..D in rows whose position j holds the j-th node of the block. The
// block's size bounds the memory: (D + 1) x block shares, whatever D is.
class ShareBlock {
 public:
  ShareBlock(int distrNodes, int blockSize);

  // Shares of `count` nodes (positions 0 .. count - 1) from their distances
  // L, each exactly as the formula is written, with an exponential of its own:
  //   F0 = 1 - exp(-(dx / 2) / L),  Fk = exp(-(k dx + dx / 2) / L) dx / L,
  // summed F0 + F1 + ... + FD and each divided by that sum. A recurrence
  // (Fk = Fk-1 exp(-dx / L)) would save exponentials but change last bits,
  // and through the Single totals printed digits.
  void fill(int count, const double* distance, double dx);

  int distrNodes() const { return distrNodes_; }
  int blockSize() const { return blockSize_; }
  const double* row(int k) const { return values_.data() + static_cast<std::size_t>(k) * width_; }
  // The sum of the raw shares of the node at `position` of the last fill.
  double rawSum(int position) const { return sums_[static_cast<std::size_t>(position)]; }
  std::size_t byteSize() const { return (values_.size() + sums_.size()) * sizeof(double); }

 private:
  double* mutableRow(int k) { return values_.data() + static_cast<std::size_t>(k) * width_; }

  int distrNodes_;
  int blockSize_;
  std::size_t width_;
  std::vector<double> values_;
  std::vector<double> sums_;
};

}  // namespace sodwright::kolv
