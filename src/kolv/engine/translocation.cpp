// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/engine/translocation.h"

#include <algorithm>

#include "kolv/engine/end_zones.h"
#include "kolv/engine/run_preconditions.h"
#include "kolv/engine/substance_balance.h"
#include "kolv/engine/translocation_pass.h"
#include "kolv/state/column_view.h"

namespace sodwright::kolv {

namespace {

// Mirrors column c of the six arrays a pass moves (node m takes node N-1-m
// over -3D-10 .. N+3D+9), so that a backward pass runs as a forward one.
void mirrorColumn(TransectData& t, int c, int nodeCount, int distrNodes) {
  const int low = -3 * distrNodes - 10;
  const int high = nodeCount + 3 * distrNodes + 9;
  auto flip = [&](auto& array) {
    auto column = columnOf(array, c);
    std::reverse(column.at(low), column.at(high) + 1);
  };
  flip(t.Elev);
  flip(t.MassL1);
  flip(t.MassL2);
  flip(t.MassL12);
  flip(t.DepthL1);
  flip(t.DepthL2);
}

void initialAmounts(TransectData& t, const TranslocationParameters& p) {
  const int c = p.StartSeq;
  const double dx = p.Interval;
  const ColumnView<double> m1 = columnOf(t.MassL1, c), m2 = columnOf(t.MassL2, c);
  const ColumnView<float> m12 = columnOf(t.MassL12, c);
  const ColumnView<double> p1 = columnOf(t.PL1, c), p2 = columnOf(t.PL2, c);
  const ColumnView<double> d1 = columnOf(t.DepthL1, c), d2 = columnOf(t.DepthL2, c);
  for (int i = 0; i < p.NodeCount; ++i) {
    m1[i] = p.BulkDensity1 * p1[i] * dx * d1[i];
    m2[i] = p.BulkDensity2 * p2[i] * dx * d2[i];
    m12[i] = static_cast<float>(m1[i] + m2[i]);
  }
}

// A column a run is about to write reads 0 everywhere, also where a rolling
// array lends it the storage of an earlier column.
void clearSharedColumns(TransectData& t, int c) {
  for (auto* a : {&t.Elev, &t.PL1, &t.PL2, &t.DepthL1, &t.DepthL2, &t.MassL1, &t.MassL2})
    a->clearSharedColumn(c);
  t.MassL12.clearSharedColumn(c);
}

}  // namespace

base::Result<> runTranslocation(KolvState& state, platform::MessageService& messages, int threads,
                                const FinishedColumn& finished) {
  if (auto runnable = checkRunPreconditions(state); !runnable) return runnable;
  TranslocationParameters& p = state.params;
  TransectData& t = state.data;
  const int n = p.NodeCount;
  const int d = p.DistrNodes;
  const double dx = p.Interval;
  const PassSettings settings = makePassSettings(p);
  PassWorkspace work(n, d, threads);
  InputCounter input(p.InputFrequency);
  const int zoneLow = -3 * d - 10;
  const int zoneHigh = 3 * d + n + 10;

  initialAmounts(t, p);
  for (int s = p.StartSeq; s <= p.LastSeq; ++s) {
    clearSharedColumns(t, s + 1);
    const bool backward = p.DirectionSign == -1;
    if (backward) mirrorColumn(t, s, n, d);
    replaceEndZones(columnOf(t.Elev, s), EndZoneShape{n, d, s, dx});
    moveSoilAndSubstance(t, s, backward, settings, work, messages);
    const ColumnView<double> m1 = columnOf(t.MassL1, s + 1), m2 = columnOf(t.MassL2, s + 1);
    const ColumnView<float> m12 = columnOf(t.MassL12, s + 1);
    decayColumn(m1, m2, m12, zoneLow, zoneHigh, p.DecayRate1, p.DecayRate2);
    if (input.due()) addSurfaceInput(m1, m2, m12, zoneLow, zoneHigh, dx * p.InputAmount);
    if (backward) {
      mirrorColumn(t, s, n, d);
      mirrorColumn(t, s + 1, n, d);
    }
    if (p.TillDirection == kAlternative) p.DirectionSign = static_cast<Int16>(-p.DirectionSign);
    updateConcentrations(t, s + 1, n, dx, p.BulkDensity1, p.BulkDensity2);
    // Column s is final: later passes read and write only the columns after it.
    if (finished) finished(s);
  }
  if (finished && p.LastSeq + 1 >= p.StartSeq) finished(p.LastSeq + 1);
  state.simulated = true;
  return {};
}

}  // namespace sodwright::kolv
