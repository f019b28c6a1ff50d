// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The computation of the KOLV commands that run the model and compare
// sequences, shared by the windows and the batch runner. Each shows its
// messages through the MessageService and says what it did; the caller adds
// what is visible (busy pointer and note, menus, focus, boxes, charts).
//
//   "Run KOLV" (parameter window)  RunKolv:  simulate, compare StartSeq..LastSeq
//   "Run&Model" (main window)      RunModel: simulate, compare the shown pair
//   redraw (main window)           Redraw:   compare the shown pair only
//
// The shown pair is FirstSeqShown..LastSeqShown. When it is not ordered the
// order message is shown and the pair is reset to StartSeq..LastSeq (the
// boxes must then show the new values: see `pairReset`), as Redraw does.

#include <optional>
#include <string>

#include "base/result.h"
#include "kolv/state/kolv_state.h"
#include "platform/message_service.h"

namespace sodwright::kolv {

// Extreme but finite inputs can overflow a run to Infinity or NaN; such a run
// is a failure, named by the first value that is not finite.
inline constexpr const char* kRunNotFiniteMessage =
    "The simulation failed: its results hold a value that is not a finite number (Infinity or NaN) "
    "at ";
inline constexpr const char* kComparisonNotFiniteMessage =
    "The comparison failed: its results hold a value that is not a finite number (Infinity or NaN) "
    "at ";

// Fails when a run's columns StartSeq .. LastSeq + 1 hold a value that is not
// finite at a node 0 .. NodeCount - 1, with the message naming the first (by
// sequence, then node); succeeds when every value is finite.
base::Result<> nonFiniteRunValue(const KolvState& state);

// The same for the comparison results of nodes 0 .. NodeCount - 1.
base::Result<> nonFiniteComparisonValue(const KolvState& state);

// Why a step did not go through: refused before it started (nothing
// changed), or failed with values that are not finite.
struct StepStop {
  std::string message;
  bool notFinite = false;
};

// The simulation as every command runs it: the run, then the check of its
// results. Returns the refusal or failure (its message not shown); a failed
// run leaves `simulated` false.
// `threads` as runTranslocation takes it.
std::optional<StepStop> simulate(KolvState& state, platform::MessageService& messages,
                                 int threads = 0);

// The comparison of `first` and `last` as every command runs it: the check of
// the pair, the comparison, the check of its results. Returns the refusal or
// failure (its message not shown); after a failure the results are cleared
// as an import leaves them.
std::optional<StepStop> compare(KolvState& state, Int16 first, Int16 last,
                                platform::MessageService& messages);

struct CommandOutcome {
  bool simulated = false;  // the simulation ran (else it was refused with a message)
  bool compared = false;   // state.results hold the comparison of the pair below
  Int16 first = 0;         // the pair compared (or that would have been)
  Int16 last = 0;
  bool pairReset = false;  // FirstSeqShown and LastSeqShown were reset
  bool failed = false;     // the run or comparison gave values that are not finite
};

// Simulation then comparison of StartSeq and LastSeq with UpLayerDepth and
// SubLayerDepth. A refused run shows its message and compares nothing. With
// SeqCount 0 (StartSeq = LastSeq) the comparison is refused with "The first
// seqence No. must be smaller than the last sequence No.".
// `threads` as simulate takes it.
CommandOutcome runKolv(KolvState& state, platform::MessageService& messages, int threads = 0);

// Simulation then comparison of the shown pair.
CommandOutcome runModel(KolvState& state, platform::MessageService& messages, int threads = 0);

// Comparison of the shown pair without simulating.
CommandOutcome redraw(KolvState& state, platform::MessageService& messages);

}  // namespace sodwright::kolv
