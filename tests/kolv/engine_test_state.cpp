// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine_test_state.h"

#include <cmath>
#include <sstream>

namespace sodwright::kolv::testing {

KolvState MakeEngineState(const EngineTransect& shape,
                          const std::function<PointValues(int)>& point) {
  KolvState state;
  TranslocationParameters& p = state.params;
  p.FileSeqNo = static_cast<Int16>(shape.fileSeq);
  p.StartSeq = p.FirstSeqShown = p.LastSeqShown = p.FileSeqNo;
  p.LastSeq = static_cast<Int16>(p.FileSeqNo + 1);
  p.SeqCount = 1;
  p.NodeCount = p.DataPointCount = static_cast<Int16>(shape.nodes);
  p.Interval = shape.interval;
  p.DistrDistance = shape.distrDistance;
  p.DistrNodes =
      static_cast<Int16>(std::floor(static_cast<double>(shape.distrDistance) / shape.interval));
  p.TillDepth = p.UpLayerDepth = p.SubLayerDepth = shape.tillDepth;
  p.BulkDensity1 = shape.bd1;
  p.BulkDensity2 = shape.bd2;
  p.BulkDensity3 = shape.bd3;
  p.Alpha = shape.alpha;
  p.Beta = shape.beta;
  p.Gamma = shape.gamma;
  p.ScScale = 0;
  p.TillDirection = kForward;
  p.DirectionSign = 1;
  p.SgWeightFront = p.SgWeightBack = 0.5f;
  p.InputFrequency = 1;
  const int d = p.DistrNodes;
  const int lower = -3 * d - 10, upper = 3 * d + shape.nodes + 10;
  const int seqUpper = shape.fileSeq + 51;
  TransectData& t = state.data;
  for (auto* a : {&t.Elev, &t.PL1, &t.PL2, &t.DepthL1, &t.DepthL2, &t.MassL1, &t.MassL2}) {
    a->allocate(lower, upper, 0, seqUpper);
  }
  t.MassL12.allocate(lower, upper, 0, seqUpper);
  t.PL3.allocate(lower, upper);
  t.SubstanceUnit = "mg";
  ComparisonResults& r = state.results;
  r.DeltaElev.allocate(lower, upper);
  r.SoilLoss.allocate(lower, upper);
  r.SubConcFirst.allocate(lower, upper);
  r.SubConcLast.allocate(lower, upper);
  for (auto* a : {&r.UpMassFirst, &r.SubMassFirst, &r.UpConcFirst, &r.UpMassLast, &r.SubMassLast,
                  &r.UpConcLast}) {
    a->allocate(lower, upper);
  }
  const int s = shape.fileSeq;
  for (int i = 0; i < shape.nodes; ++i) {
    const PointValues v = point(i);
    t.PL1(i, s) = v.pl1;
    t.PL2(i, s) = v.pl2;
    t.PL3(i) = v.pl3;
    t.DepthL1(i, s) = v.depthL1;
    t.DepthL2(i, s) = v.depthL2;
    t.Elev(i, s) = v.elev;
  }
  state.imported = true;
  return state;
}

void SetSequenceCount(KolvState& state, int seqCount) {
  TranslocationParameters& p = state.params;
  p.SeqCount = static_cast<Int16>(seqCount);
  p.LastSeq = static_cast<Int16>(p.StartSeq + seqCount);
  p.LastSeqShown = p.LastSeq;
}

std::string DescribeArrays(const KolvState& state, int lower, int upper, int lastSeq) {
  const TransectData& t = state.data;
  std::ostringstream out;
  out.precision(17);
  for (int s = 0; s <= lastSeq; ++s) {
    for (int i = lower; i <= upper; ++i) {
      out << s << ' ' << i << ' ' << t.Elev(i, s) << ' ' << t.DepthL1(i, s) << ' '
          << t.DepthL2(i, s) << ' ' << t.MassL1(i, s) << ' ' << t.MassL2(i, s) << ' '
          << t.MassL12(i, s) << ' ' << t.PL1(i, s) << ' ' << t.PL2(i, s) << '\n';
    }
  }
  out << "sign " << state.params.DirectionSign << '\n';
  return out.str();
}

}  // namespace sodwright::kolv::testing
