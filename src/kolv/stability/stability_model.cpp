// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/stability/stability_model.h"

#include <algorithm>
#include <cmath>

#include "kolv/engine/slope_distribution.h"

namespace sodwright::kolv {

StabilityModel makeStabilityModel(const TranslocationParameters& p) {
  StabilityModel m;
  m.dx = p.Interval;
  m.tillDepth = p.TillDepth;
  m.alpha = p.Alpha;
  m.beta = p.Beta;
  m.gamma = p.Gamma;
  const double weightSum = static_cast<double>(p.SgWeightBack) + p.SgWeightFront;
  if (weightSum > 0) {
    m.weightFront = static_cast<float>(p.SgWeightFront / weightSum);
    m.weightBack = static_cast<float>(p.SgWeightBack / weightSum);
  }
  if (m.dx > 0 && static_cast<float>(2 * m.dx) < p.ScScale) {
    m.curvatureSpan = std::max(1, static_cast<int>(std::floor(p.ScScale / m.dx / 2)));
  }
  m.distrNodes = std::max<int>(0, p.DistrNodes);
  return m;
}

double rawDistanceAt(const StabilityModel& m, const ColumnView<const double>& e, int i,
                     bool mirrored) {
  const double behind = slopePercent(e[i - 1], e[i], m.dx),
               ahead = slopePercent(e[i], e[i + 1], m.dx);
  // Mirrored, the slope ahead becomes the one behind, and both change sign.
  const double gradient = mirrored ? -(m.weightFront * ahead + m.weightBack * behind)
                                   : m.weightFront * behind + m.weightBack * ahead;
  double curvature = 0;
  if (m.curvatureSpan > 0) {
    const int k = m.curvatureSpan;
    const double h = k * m.dx;
    curvature = (slopePercent(e[i], e[i + k], h) - slopePercent(e[i - k], e[i], h)) / h;
  }
  return m.alpha + m.beta * gradient + m.gamma * curvature + m.dx / 2;
}

}  // namespace sodwright::kolv
