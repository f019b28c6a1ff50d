#pragma once
// Slope, translocation distance and the exponential distribution of a node's
// tilled layer over the D nodes downstream of it.

#include <vector>

namespace sodwright::kolv {

// Pi as the model has always written it; the soft limits depend on its digits.
inline constexpr double kModelPi = 3.14159265357;

// Slope in % between two elevations `run` metres apart; positive when the
// surface falls from `first` to `second`.
inline double SlopePercent(double first, double second, double run) { return 100.0 * (first - second) / run; }

// What sets a node's mean translocation distance.
struct DistanceModel {
  double alpha = 0.0;  // m
  double beta = 0.0;   // m per % of slope gradient
  double gamma = 0.0;  // m per % per m of slope curvature
  double dx = 0.0;     // node interval, m
};

// The mean distance before the soft limits: Alpha + Beta SG + Gamma SC + dx / 2.
inline double RawDistance(const DistanceModel& m, double slopeGradient, double slopeCurvature) {
  return m.alpha + m.beta * slopeGradient + m.gamma * slopeCurvature + m.dx / 2;
}

// Keeps a distance between 0.1 dx and 26 dx: below 1.1 dx and above 25 dx it
// bends smoothly toward those bounds (the atan argument is in metres).
double SoftLimitedDistance(double distance, double dx);

// Normalised shares of consecutive nodes, stored by share index k = 0..D in
// rows whose position p holds node (firstNode - D + p): a node's shares
// reach back D nodes, so each block keeps the D nodes before it.
class ShareWindow {
 public:
  ShareWindow(int distrNodes, int blockSize);

  // Starts the block that begins `previousCount` nodes after the last one:
  // the shares of the D nodes just before it move to positions 0..D-1.
  void advance(int previousCount);

  // Shares of `count` nodes (positions D .. D + count - 1) from their
  // distances L: F0 = 1 - exp(-(dx/2)/L), Fk = exp(-(k dx + dx/2)/L) dx / L,
  // each divided by their sum. F0 and F1 take the exponential directly; the
  // tail k >= 2 follows from F1 by the factor exp(-dx/L), within a few
  // rounding units of the direct exponential (two exponentials per node
  // instead of D + 1).
  void fill(int count, const double* distance, double dx);

  int distrNodes() const { return distrNodes_; }
  int blockSize() const { return blockSize_; }
  const double* row(int k) const { return values_.data() + static_cast<std::size_t>(k) * width_; }
  // The sum of the raw shares of the node at `position` of the last fill.
  double rawSum(int position) const { return sums_[static_cast<std::size_t>(position - distrNodes_)]; }

 private:
  double* mutableRow(int k) { return values_.data() + static_cast<std::size_t>(k) * width_; }

  int distrNodes_;
  int blockSize_;
  std::size_t width_;
  std::vector<double> values_;
  std::vector<double> sums_;
  std::vector<double> factors_;
  std::vector<double*> rowStarts_;
};

}  // namespace sodwright::kolv
