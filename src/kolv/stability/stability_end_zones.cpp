// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/stability/stability_end_zones.h"

#include <algorithm>

namespace sodwright::kolv {

int endZoneMargin(int sequence, int lastPass) {
  return 2 * std::max(0, std::min(sequence, lastPass));
}

bool inEndZone(int node, int sequence, int lastPass, int nodeCount) {
  const int margin = endZoneMargin(sequence, lastPass);
  return node < margin || node >= nodeCount - margin;
}

bool inEitherEndZone(int node, int first, int last, int lastPass, int nodeCount) {
  return inEndZone(node, first, lastPass, nodeCount) || inEndZone(node, last, lastPass, nodeCount);
}

std::function<bool(int)> CompareEndZoneFlag(const TranslocationParameters& p, int first, int last) {
  const int lastPass = p.LastSeq, n = p.NodeCount;
  return [=](int node) { return inEitherEndZone(node, first, last, lastPass, n); };
}

}  // namespace sodwright::kolv
