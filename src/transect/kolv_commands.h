#pragma once
// The computation of the KOLV commands that run the model and compare
// sequences, shared by the windows and the batch runner. Each shows its
// messages through the MessageService and says what it did; the caller adds
// what is visible (busy pointer and note, menus, focus, boxes, charts).
//
//   "Run KOLV" (parameter window)  RunKolv:  simulate, compare StartSeq..LastSeq
//   "Run&Model" (main window)      RunModel: simulate, compare the shown pair
//   Redraw (main window)           Redraw:   compare the shown pair only
//
// The shown pair is FirstSeqShown..LastSeqShown. When it is not ordered the
// order message is shown and the pair is reset to StartSeq..LastSeq (the
// boxes must then show the new values: see `pairReset`), as Redraw does.

#include "platform/message_service.h"
#include "transect/kolv_state.h"

namespace sodwright::kolv {

struct CommandOutcome {
  bool simulated = false;  // the simulation ran (else it was refused with a message)
  bool compared = false;   // state.results hold the comparison of the pair below
  Int16 first = 0;         // the pair compared (or that would have been)
  Int16 last = 0;
  bool pairReset = false;  // FirstSeqShown and LastSeqShown were reset
};

// Simulation then comparison of StartSeq and LastSeq with UpLayerDepth and
// SubLayerDepth. A refused run shows its message and compares nothing. With
// SeqCount 0 (StartSeq = LastSeq) the comparison is refused with "The first
// seqence No. must be smaller than the last sequence No.".
CommandOutcome RunKolv(KolvState& state, platform::MessageService& messages);

// Simulation then comparison of the shown pair.
CommandOutcome RunModel(KolvState& state, platform::MessageService& messages);

// Comparison of the shown pair without simulating.
CommandOutcome Redraw(KolvState& state, platform::MessageService& messages);

}  // namespace sodwright::kolv
