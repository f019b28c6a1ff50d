#include "transect/stability_end_zones.h"

#include <algorithm>

namespace sodwright::kolv {

int EndZoneMargin(int sequence, int lastPass) {
  return 2 * std::max(0, std::min(sequence, lastPass));
}

bool InEndZone(int node, int sequence, int lastPass, int nodeCount) {
  const int margin = EndZoneMargin(sequence, lastPass);
  return node < margin || node >= nodeCount - margin;
}

bool InEitherEndZone(int node, int first, int last, int lastPass, int nodeCount) {
  return InEndZone(node, first, lastPass, nodeCount) || InEndZone(node, last, lastPass, nodeCount);
}

std::function<bool(int)> CompareEndZoneFlag(const TranslocationParameters& p, int first, int last) {
  const int lastPass = p.LastSeq, n = p.NodeCount;
  return [=](int node) { return InEitherEndZone(node, first, last, lastPass, n); };
}

}  // namespace sodwright::kolv
