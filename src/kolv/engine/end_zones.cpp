// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/engine/end_zones.h"

#include "kolv/engine/slope_distribution.h"

namespace sodwright::kolv {

namespace {

// Rate at which the slope falls per node; a zero-length taper has none.
double taperRate(double seedSlope, int taperNodes) {
  return taperNodes == 0 ? 0.0 : seedSlope / taperNodes;
}

}  // namespace

void replaceEndZones(const ColumnView<double>& e, const EndZoneShape& shape) {
  const int n = shape.nodeCount;
  const int d = shape.distrNodes;
  const int margin = 2 * shape.sequence;
  const double dx = shape.dx;
  const double step = dx / 100;
  // Formed as a whole number of nodes.
  const int taperNodes = 3 * d + margin;

  // Upstream: walk from the seed slope at node 2s toward -3D.
  double slope = slopePercent(e[margin], e[margin + 1], dx);
  double rate = taperRate(slope, taperNodes);
  for (int a = margin - 1; a >= -3 * d; --a) {
    e[a] = e[a + 1] + (slope - rate) * step;
    slope = slopePercent(e[a], e[a + 1], dx);
  }
  for (int a = -3 * d - 1; a >= -3 * d - 10; --a) e[a] = e[a + 1];

  // Downstream: from the seed slope at node N-2s-1 toward N+3D.
  slope = slopePercent(e[n - margin - 2], e[n - margin - 1], dx);
  rate = taperRate(slope, taperNodes);
  for (int a = n - margin; a <= n + 3 * d - 1; ++a) {
    e[a] = e[a - 1] - (slope - rate) * step;
    slope = slopePercent(e[a - 1], e[a], dx);
  }
  for (int a = n + 3 * d; a <= n + 3 * d + 10; ++a) e[a] = e[a - 1];
}

}  // namespace sodwright::kolv
