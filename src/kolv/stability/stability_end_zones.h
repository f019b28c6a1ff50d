// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which nodes of a sequence lie in an end zone. Before the pass of sequence
// s the engine replaces the elevation of the first 2s and the last 2s
// measured nodes of column s (nodes 0 .. 2s-1 and N-2s .. N-1) by a
// constructed profile, so the values there follow the boundary rule, not
// the tillage. The column a run writes last (LastSeq + 1) is never replaced
// itself, but its end nodes come from the zones of the last pass, so its
// zones are those of LastSeq.

#include <functional>

#include "kolv/state/kolv_state.h"

namespace sodwright::kolv {

// The nodes at each end of column `sequence` that lie in an end zone:
// 2 x min(sequence, lastPass), and never less than 0.
int endZoneMargin(int sequence, int lastPass);

// Whether measured node `node` (0 .. N-1) of column `sequence` lies in an end zone.
bool inEndZone(int node, int sequence, int lastPass, int nodeCount);

// Whether the node lies in an end zone of either of two compared sequences
// (the flag of the comparison output).
bool inEitherEndZone(int node, int first, int last, int lastPass, int nodeCount);

// The flag of the comparison output for a run's parameters: point i lies in
// an end zone of `first` or of `last` (LastSeq the last pass).
std::function<bool(int)> CompareEndZoneFlag(const TranslocationParameters& p, int first, int last);

}  // namespace sodwright::kolv
