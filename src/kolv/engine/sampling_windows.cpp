// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/engine/sampling_windows.h"

namespace sodwright::kolv {

std::optional<WindowAmounts> sampleWindows(const NodeLayers& n, double u, double s) {
  const double l1 = n.depthL1, l2 = n.depthL2;
  const double m1 = n.massL1, m2 = n.massL2, m3 = n.layer3PerMetre;
  const double m12 = n.massL12;
  const double bothLayers = l1 + l2;
  const double bothWindows = u + s;
  WindowAmounts w;
  if (l2 > 0) {
    if (bothLayers <= u) {  // both layers inside the up window
      w.up = m3 * (u - l1 - l2) + m12;
      w.sub = m3 * s;
      return w;
    }
    w.up = u >= l1 ? (u - l1) / l2 * m2 + m1 : u / l1 * m1;
    if (u < l1 && !(bothWindows > l1)) {  // both windows inside layer 1
      w.sub = (m1 - w.up) - (l1 - u - s) / l1 * m1;
    } else if (bothLayers < bothWindows) {  // the sub window reaches layer 3
      w.sub = (m12 - w.up) + m3 * (u + s - l1 - l2);
    } else {  // the sub window ends within layer 2
      w.sub = (m12 - w.up) - (l1 + l2 - u - s) / l2 * m2;
    }
    return w;
  }
  if (l2 == 0) {
    if (u >= l1) {
      w.up = m3 * (u - l1) + m1;
      w.sub = m3 * s;
      return w;
    }
    w.up = u / l1 * m1;
    w.sub =
        bothWindows > l1 ? (m1 - w.up) + m3 * (u + s - l1) : (m1 - w.up) - (l1 - u - s) / l1 * m1;
    return w;
  }
  return std::nullopt;
}

}  // namespace sodwright::kolv
