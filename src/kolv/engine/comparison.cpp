// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/engine/comparison.h"

#include <string>

#include "kolv/engine/sampling_windows.h"
#include "kolv/state/column_view.h"

namespace sodwright::kolv {

namespace {

bool holdsSequence(const KolvState& state, int seq) {
  const TransectData& t = state.data;
  const int last = state.params.NodeCount - 1;
  return t.Elev.contains(0, seq) && t.Elev.contains(last, seq) && t.DepthL1.contains(last, seq) &&
         t.DepthL2.contains(last, seq) && t.MassL1.contains(last, seq) &&
         t.MassL2.contains(last, seq) && t.MassL12.contains(last, seq) &&
         t.DepthL1.contains(0, seq) && t.DepthL2.contains(0, seq) && t.MassL1.contains(0, seq) &&
         t.MassL2.contains(0, seq) && t.MassL12.contains(0, seq);
}

bool resultsHold(const KolvState& state) {
  const ComparisonResults& r = state.results;
  const int last = state.params.NodeCount - 1;
  auto holds = [last](const auto& a) { return a.contains(0) && a.contains(last); };
  return holds(r.DeltaElev) && holds(r.SoilLoss) && holds(r.UpMassFirst) && holds(r.SubMassFirst) &&
         holds(r.UpConcFirst) && holds(r.SubConcFirst) && holds(r.UpMassLast) &&
         holds(r.SubMassLast) && holds(r.UpConcLast) && holds(r.SubConcLast) &&
         holds(state.data.PL3);
}

// A window of no thickness holds no soil; its concentration is taken as 0.
double concentration(double amount, double bulkDensity, double dx, double depth) {
  return depth == 0 ? 0.0 : amount / bulkDensity / dx / depth;
}

struct SequenceSide {
  int seq;
  std::optional<double>& up;
  std::optional<double>& sub;
  const char* note;
};

}  // namespace

base::Result<> checkComparison(const KolvState& state, int first, int last) {
  const TranslocationParameters& p = state.params;
  if (first >= last) return base::fail(kComparisonOrderMessage);
  if (p.NodeCount < 1 || !resultsHold(state)) return base::fail(kComparisonNoDataMessage);
  for (int seq : {first, last}) {
    if (!holdsSequence(state, seq)) {
      return base::fail("Sequence No. " + std::to_string(seq) +
                        " is not held: sequences run from " +
                        std::to_string(state.data.Elev.seqLower()) + " to " +
                        std::to_string(state.data.Elev.seqUpper()) + ".");
    }
  }
  if (!(p.Interval > 0) || !(p.BulkDensity1 > 0) || !(p.BulkDensity2 > 0)) {
    return base::fail(kComparisonDivisorMessage);
  }
  return {};
}

void compareSequences(KolvState& state, Int16 first, Int16 last, double upDepth, double subDepth,
                      platform::MessageService& messages) {
  if (auto comparable = checkComparison(state, first, last); !comparable) {
    messages.inform(comparable.message());
    return;
  }
  const TranslocationParameters& p = state.params;
  const TransectData& t = state.data;
  ComparisonResults& r = state.results;
  const double dx = p.Interval;
  const Int16 sequences = static_cast<Int16>(last - first);
  for (int j = 0; j < p.NodeCount; ++j) {
    r.DeltaElev(j) = static_cast<float>(t.Elev(j, last) - t.Elev(j, first));
    r.SoilLoss(j) =
        static_cast<float>(-(static_cast<double>(r.DeltaElev(j)) * p.BulkDensity1) / sequences);
    const double layer3PerMetre = p.BulkDensity3 * t.PL3(j) * dx;
    SequenceSide sides[2] = {{first, r.UpMassFirst(j), r.SubMassFirst(j), kFirstSequenceNote},
                             {last, r.UpMassLast(j), r.SubMassLast(j), kLastSequenceNote}};
    for (int side = 0; side < 2; ++side) {
      SequenceSide& at = sides[side];
      const NodeLayers layers{t.DepthL1(j, at.seq), t.DepthL2(j, at.seq), t.MassL1(j, at.seq),
                              t.MassL2(j, at.seq),  t.MassL12(j, at.seq), layer3PerMetre};
      if (const auto amounts = sampleWindows(layers, upDepth, subDepth)) {
        at.up = amounts->up;
        at.sub = amounts->sub;
      } else {
        messages.inform(at.note);  // the node keeps the amounts it held
      }
      const double upConc = concentration(valueOrZero(at.up), p.BulkDensity1, dx, upDepth);
      const float subConc =
          static_cast<float>(concentration(valueOrZero(at.sub), p.BulkDensity2, dx, subDepth));
      if (side == 0) {
        r.UpConcFirst(j) = upConc;
        r.SubConcFirst(j) = subConc;
      } else {
        r.UpConcLast(j) = upConc;
        r.SubConcLast(j) = subConc;
      }
    }
  }
}

}  // namespace sodwright::kolv
