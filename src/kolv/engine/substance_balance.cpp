// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/engine/substance_balance.h"

namespace sodwright::kolv {

bool tillNode(const TillageLayers& layers, double d1, double d2, double m1, double m2, double c3,
              double& tilledAmount, double& newDepthL2) {
  const double td = layers.tillDepth;
  if (d2 > 0) {
    if (d1 + d2 >= td) {
      tilledAmount = td > d1 ? m1 + m2 * (td - d1) / d2 : m1 * td / d1;
      newDepthL2 = d2 + d1 - td;
    } else {
      tilledAmount = m1 + m2 + (td - d1 - d2) * layers.dx * c3 * layers.bulkDensity3;
      newDepthL2 = 0;
    }
    return true;
  }
  if (d2 == 0) {
    if (td > d1) {
      tilledAmount = m1 + (td - d1) * layers.dx * c3 * layers.bulkDensity3;
      newDepthL2 = 0;
    } else {
      tilledAmount = m1 * td / d1;
      newDepthL2 = d1 - td;
    }
    return true;
  }
  return false;
}

void decayColumn(const ColumnView<double>& massL1, const ColumnView<double>& massL2,
                 const ColumnView<float>& massL12, int first, int last, double decayRate1,
                 double decayRate2) {
  const double keep1 = 1 - decayRate1;
  const double keep2 = 1 - decayRate2;
  double* m1 = massL1.at(first);
  double* m2 = massL2.at(first);
  float* m12 = massL12.at(first);
  const int count = last - first + 1;
  for (int j = 0; j < count; ++j) {
    m1[j] = keep1 * m1[j];
    m2[j] = keep2 * m2[j];
    m12[j] = static_cast<float>(m1[j] + m2[j]);
  }
}

void addSurfaceInput(const ColumnView<double>& massL1, const ColumnView<double>& massL2,
                     const ColumnView<float>& massL12, int first, int last, double perNode) {
  double* m1 = massL1.at(first);
  const double* m2 = massL2.at(first);
  float* m12 = massL12.at(first);
  const int count = last - first + 1;
  for (int j = 0; j < count; ++j) {
    m1[j] = m1[j] + perNode;
    m12[j] = static_cast<float>(m1[j] + m2[j]);
  }
}

}  // namespace sodwright::kolv
