// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Many runs of one study, each member with its own parameter set: the one
// loop that fitting and ensembles share. Each worker thread owns a copy of
// the study that it resets before every member, so the arrays are allocated
// once per worker, not once per run. A member's results depend only on its
// parameters, never on the worker or the thread count.

#include <atomic>
#include <cstddef>
#include <functional>
#include <optional>

#include "kolv/kolv_commands.h"
#include "kolv/state/kolv_state.h"

namespace sodwright::kolv {

// The study that fits and ensembles start from, in the windows and in the
// batch alike: the imported transect and the parameter set as the boxes hold
// them, the first pass in the direction the list names. A run does not reset
// DirectionSign (an alternating run leaves it as its number of passes gave
// it), so a window's state after a run may hold the other sign; a study
// never starts from it.
KolvState studyFromBoxes(const KolvState& state);

struct StudyRunOptions {
  int threads = 0;      // workers; 0: one per core
  bool compare = true;  // also compare StartSeq and LastSeq after the run
  // Set from another thread to stop: members not yet started are skipped
  // (their collect is not called).
  const std::atomic<bool>* cancel = nullptr;
};

// Changes the member's parameters (the study's, copied) before its run.
using PrepareMember = std::function<void(std::size_t member, TranslocationParameters& params)>;

// Reads a member after its run. `stop` holds why the run or comparison did
// not go through; then the state's results are not to be used. Called on the
// worker's thread: write only what belongs to `member`.
using CollectMember = std::function<void(std::size_t member, const KolvState& state,
                                         const std::optional<StepStop>& stop)>;

// Runs members 0 .. count - 1 of `study` (which must hold an imported
// transect) and returns how many ran (fewer when cancelled). Messages a run
// would show (layer notes) are dropped; refusals come back through `stop`.
std::size_t runStudies(const KolvState& study, std::size_t count, const PrepareMember& prepare,
                       const CollectMember& collect, const StudyRunOptions& options = {});

// One member on the caller's thread, in a workspace the caller keeps between
// calls (a sequential optimiser's loop): `workspace` is reset from `study`.
std::optional<StepStop> runStudyMember(const KolvState& study, KolvState& workspace,
                                       const PrepareMember& prepare, std::size_t member,
                                       bool compare = true, int threads = 1);

}  // namespace sodwright::kolv
