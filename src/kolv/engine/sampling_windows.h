// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Substance in the two sampling windows of one node: the up window from the
// surface down to U, the sub window from U down to U + S. Layer 1 (0..L1)
// and layer 2 (L1..L1+L2) hold their amounts spread evenly; layer 3 below
// holds m3 per metre of depth.

#include <optional>

namespace sodwright::kolv {

struct NodeLayers {
  double depthL1 = 0.0;         // L1, m
  double depthL2 = 0.0;         // L2, m
  double massL1 = 0.0;          // M1
  double massL2 = 0.0;          // M2
  float massL12 = 0.0f;         // M12, the Single-held total
  double layer3PerMetre = 0.0;  // m3 = BulkDensity3 x PL3 x Interval
};

struct WindowAmounts {
  double up = 0.0;
  double sub = 0.0;
};

// The amounts of both windows; empty for a negative (or undefined) layer 2,
// where they cannot be taken.
std::optional<WindowAmounts> sampleWindows(const NodeLayers& node, double upDepth, double subDepth);

}  // namespace sodwright::kolv
