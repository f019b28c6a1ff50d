// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The KOLV engine: one tillage pass per sequence s = StartSeq .. LastSeq,
// each pass reading column s and writing column s + 1 of the transect
// arrays (so a run fills columns StartSeq + 1 .. LastSeq + 1). Each pass also
// replaces the end zones of the elevation of its column s.

#include <functional>
#include <optional>
#include <string>

#include "base/result.h"
#include "kolv/state/kolv_state.h"
#include "platform/message_service.h"

namespace sodwright::kolv {

// Runs the passes. The layer note of a node whose layer 2 is negative goes
// through `messages`, once per node and pass. With the Alternative direction
// DirectionSign flips after every pass.
// Returns the message to show when the run is refused before it starts (and
// then nothing is changed); empty when the run went through. A run is refused
// when no transect is loaded, when the arrays cannot hold the sequences, when
// the interval, bulk densities 1 and 2 or the tillage depth are not positive,
// when both SG weights are 0, when the curvature span leaves the arrays, and
// when the end zones of the last pass would leave the node range of the
// arrays (see HighestRunSequence).
// The nodes of a pass are shared among `threads` threads (0: one per core);
// every result is the same bit for bit whatever their number.
// `finished`, when given, is called with each column of the run, from
// StartSeq to LastSeq + 1, once it holds its final values and while the
// arrays still hold it (a rolling array's column is gone two passes later).
using FinishedColumn = std::function<void(int seq)>;
base::Result<> runTranslocation(KolvState& state, platform::MessageService& messages,
                                int threads = 0, const FinishedColumn& finished = {});

}  // namespace sodwright::kolv
