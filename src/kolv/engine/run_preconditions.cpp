// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/engine/run_preconditions.h"

#include <algorithm>
#include <cmath>

namespace sodwright::kolv {

namespace {

template <class T>
bool covers(const NodeSeqArray<T>& a, int nodeLow, int nodeHigh, int seqLow, int seqHigh) {
  return a.contains(nodeLow, seqLow) && a.contains(nodeHigh, seqHigh);
}

bool arraysCover(const TransectData& t, int nodeLow, int nodeHigh, int seqLow, int seqHigh) {
  return covers(t.Elev, nodeLow, nodeHigh, seqLow, seqHigh) &&
         covers(t.PL1, nodeLow, nodeHigh, seqLow, seqHigh) &&
         covers(t.PL2, nodeLow, nodeHigh, seqLow, seqHigh) &&
         covers(t.DepthL1, nodeLow, nodeHigh, seqLow, seqHigh) &&
         covers(t.DepthL2, nodeLow, nodeHigh, seqLow, seqHigh) &&
         covers(t.MassL1, nodeLow, nodeHigh, seqLow, seqHigh) &&
         covers(t.MassL2, nodeLow, nodeHigh, seqLow, seqHigh) &&
         covers(t.MassL12, nodeLow, nodeHigh, seqLow, seqHigh) && t.PL3.contains(nodeLow) &&
         t.PL3.contains(nodeHigh);
}

}  // namespace

int highestRunSequence(int nodeCount, int nodeLower, int nodeUpper) {
  const int upstream = (nodeUpper - 1) / 2;                // 2s + 1 <= nodeUpper
  const int downstream = (nodeCount - 2 - nodeLower) / 2;  // N - 2s - 2 >= nodeLower
  return std::min(upstream, downstream);
}

base::Result<> checkRunPreconditions(const KolvState& state) {
  const TranslocationParameters& p = state.params;
  const TransectData& t = state.data;
  const int n = p.NodeCount;
  const int d = p.DistrNodes;
  if (t.Elev.seqUpper() < t.Elev.seqLower() || n < 1 || d < 0)
    return base::fail(kRunNoTransectMessage);
  const bool anyPass = p.LastSeq >= p.StartSeq;
  const int lastColumn = anyPass ? p.LastSeq + 1 : p.StartSeq;
  if (!arraysCover(t, -3 * d - 10, 3 * d + n + 10, p.StartSeq, p.StartSeq)) {
    return base::fail(kRunNoTransectMessage);
  }
  if (!arraysCover(t, -3 * d - 10, 3 * d + n + 10, p.StartSeq, lastColumn)) {
    return base::fail("This transect holds sequences up to " + std::to_string(t.Elev.seqUpper()) +
                      " only; a run up to sequence " + std::to_string(p.LastSeq) +
                      " writes sequence " + std::to_string(lastColumn) +
                      ". Please simulate fewer sequences.");
  }
  if (!(p.Interval > 0) || !(p.BulkDensity1 > 0) || !(p.BulkDensity2 > 0)) {
    return base::fail(kRunZeroDivisorMessage);
  }
  if (!(p.TillDepth > 0)) return base::fail(kRunTillDepthMessage);
  if (!(static_cast<double>(p.SgWeightBack) + p.SgWeightFront > 0))
    return base::fail(kRunNoWeightMessage);
  // The curvature span must stay inside the nodes the arrays hold.
  if (static_cast<float>(2.0 * p.Interval) < p.ScScale) {
    const double span = std::floor(p.ScScale / static_cast<double>(p.Interval) / 2);
    if (span > d + 5) return base::fail(kRunScScaleMessage);
  }
  // A single point has no slope to seed the end zones with.
  if (anyPass && n < 2) return base::fail(kRunTooFewNodesMessage);
  const int highest = highestRunSequence(n, t.Elev.nodeLower(), t.Elev.nodeUpper());
  if (anyPass && p.LastSeq > highest) {
    const std::string limit =
        "the end zones of sequence s read the nodes from " + std::to_string(n) +
        " - 2 x s - 2 to 2 x s + 1, and the arrays of this transect of " + std::to_string(n) +
        " data points hold the nodes " + std::to_string(t.Elev.nodeLower()) + " to " +
        std::to_string(t.Elev.nodeUpper()) + ", so it can be simulated up to sequence " +
        std::to_string(highest) + " only.";
    if (p.StartSeq > highest) {
      return base::fail("This transect is stored at sequence " + std::to_string(p.StartSeq) +
                        " and cannot be simulated further: " + limit);
    }
    return base::fail("The end zones of sequence " + std::to_string(p.LastSeq) +
                      " leave the arrays: " + limit + " Please simulate fewer sequences.");
  }
  return {};
}

}  // namespace sodwright::kolv
