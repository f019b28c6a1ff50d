#include "transect/run_preconditions.h"

#include <cmath>

namespace sodwright::kolv {

namespace {

template <class T>
bool covers(const NodeSeqArray<T>& a, int nodeLow, int nodeHigh, int seqLow, int seqHigh) {
  return a.contains(nodeLow, seqLow) && a.contains(nodeHigh, seqHigh);
}

bool arraysCover(const TransectData& t, int nodeLow, int nodeHigh, int seqLow, int seqHigh) {
  return covers(t.Elev, nodeLow, nodeHigh, seqLow, seqHigh) && covers(t.PL1, nodeLow, nodeHigh, seqLow, seqHigh) &&
         covers(t.PL2, nodeLow, nodeHigh, seqLow, seqHigh) &&
         covers(t.DepthL1, nodeLow, nodeHigh, seqLow, seqHigh) &&
         covers(t.DepthL2, nodeLow, nodeHigh, seqLow, seqHigh) &&
         covers(t.MassL1, nodeLow, nodeHigh, seqLow, seqHigh) &&
         covers(t.MassL2, nodeLow, nodeHigh, seqLow, seqHigh) &&
         covers(t.MassL12, nodeLow, nodeHigh, seqLow, seqHigh) && t.PL3.contains(nodeLow) &&
         t.PL3.contains(nodeHigh);
}

}  // namespace

int HighestRunSequence(int nodeCount) { return nodeCount >= 2 ? (nodeCount - 2) / 2 : -1; }

std::optional<std::string> CheckRunPreconditions(const KolvState& state) {
  const TranslocationParameters& p = state.params;
  const TransectData& t = state.data;
  const int n = p.NodeCount;
  const int d = p.DistrNodes;
  if (t.Elev.seqUpper() < t.Elev.seqLower() || n < 1 || d < 0) return std::string(kRunNoTransectMessage);
  const bool anyPass = p.LastSeq >= p.StartSeq;
  const int lastColumn = anyPass ? p.LastSeq + 1 : p.StartSeq;
  if (!arraysCover(t, -3 * d - 10, 3 * d + n + 10, p.StartSeq, p.StartSeq)) {
    return std::string(kRunNoTransectMessage);
  }
  if (!arraysCover(t, -3 * d - 10, 3 * d + n + 10, p.StartSeq, lastColumn)) {
    return "This transect holds sequences up to " + std::to_string(t.Elev.seqUpper()) +
           " only; a run up to sequence " + std::to_string(p.LastSeq) + " writes sequence " +
           std::to_string(lastColumn) + ". Please simulate fewer sequences.";
  }
  if (!(p.Interval > 0) || !(p.BulkDensity1 > 0) || !(p.BulkDensity2 > 0)) {
    return std::string(kRunZeroDivisorMessage);
  }
  if (!(p.TillDepth > 0)) return std::string(kRunTillDepthMessage);
  if (!(static_cast<double>(p.SgWeightBack) + p.SgWeightFront > 0)) return std::string(kRunNoWeightMessage);
  // The curvature span must stay inside the nodes the arrays hold.
  if (static_cast<float>(2.0 * p.Interval) < p.ScScale) {
    const double span = std::floor(p.ScScale / static_cast<double>(p.Interval) / 2);
    if (span > d + 5) return std::string(kRunScScaleMessage);
  }
  if (anyPass && HighestRunSequence(n) < 0) return std::string(kRunTooFewNodesMessage);
  const int highest = HighestRunSequence(n);
  if (anyPass && p.LastSeq > highest) {
    const std::string limit = "each end zone of sequence s takes 2 x s data points, so this transect of " +
                              std::to_string(n) + " data points can be simulated up to sequence " +
                              std::to_string(highest) + " only.";
    if (p.StartSeq > highest) {
      return "This transect is stored at sequence " + std::to_string(p.StartSeq) +
             " and cannot be simulated further: " + limit;
    }
    return "The end zones of sequence " + std::to_string(p.LastSeq) + " reach beyond the transect: " + limit +
           " Please simulate fewer sequences.";
  }
  return std::nullopt;
}

}  // namespace sodwright::kolv
