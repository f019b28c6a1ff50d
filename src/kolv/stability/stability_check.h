// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// After a run: did the surface stay smooth? Tillage smooths a surface, so the
// short-wave part of the elevation (its second differences) should not grow
// from pass to pass. The check measures it on every stored column of the run
// and names the first sequence at which it has grown past a bound.
//
// Measure of column c: the root mean square of E(i-1, c) - 2 E(i, c) + E(i+1, c)
// over the interior nodes, the same nodes for every column: those that the
// end zones of the last pass and one pass of distribution (D nodes) leave
// alone. Bound: twice the measure of the starting column, and at least
// twice kShortWaveFloor x TillDepth (so that a perfectly smooth surface does
// not flag rounding noise).

#include <vector>

#include "kolv/state/kolv_state.h"

namespace sodwright::kolv {

inline constexpr double kShortWaveFloor = 0.01;
inline constexpr double kShortWaveBoundFactor = 2.0;

struct RunStabilityCheck {
  bool measured = false;           // false before a run or when no interior node is left
  std::vector<double> shortWave;   // the measure of columns StartSeq .. LastSeq + 1, m
  double bound = 0.0;              // m
  int firstUnstableSequence = -1;  // the first column above the bound; -1 when none
  // Growth per pass of the measure over the run: (last / first)^(1 / passes).
  double growthPerPass = 1.0;
  bool unstable() const { return firstUnstableSequence >= 0; }
};

// Reads the columns a run wrote; changes nothing.
RunStabilityCheck checkRunStability(const KolvState& state);

}  // namespace sodwright::kolv
