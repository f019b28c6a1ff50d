#include "transect/kolv_commands.h"

#include "transect/comparison.h"
#include "transect/main_window_checks.h"
#include "transect/translocation.h"

namespace sodwright::kolv {

namespace {

bool simulate(KolvState& state, platform::MessageService& messages) {
  if (auto refusal = RunTranslocation(state, messages)) {
    messages.inform(*refusal);
    return false;
  }
  return true;
}

// Compares a pair after checking it, so that a refused pair leaves the
// results as they were.
bool compare(KolvState& state, Int16 first, Int16 last, platform::MessageService& messages) {
  if (auto refusal = CheckComparison(state, first, last)) {
    messages.inform(*refusal);
    return false;
  }
  CompareSequences(state, first, last, state.params.UpLayerDepth, state.params.SubLayerDepth, messages);
  return true;
}

void compareShownPair(KolvState& state, platform::MessageService& messages, CommandOutcome& outcome) {
  const SequenceOrderCheck order = checkSequenceOrder(state);
  if (order.message) messages.inform(*order.message);
  outcome.pairReset = order.reset;
  outcome.first = state.params.FirstSeqShown;
  outcome.last = state.params.LastSeqShown;
  if (order.proceed) outcome.compared = compare(state, outcome.first, outcome.last, messages);
}

}  // namespace

CommandOutcome RunKolv(KolvState& state, platform::MessageService& messages) {
  CommandOutcome outcome;
  outcome.first = state.params.StartSeq;
  outcome.last = state.params.LastSeq;
  outcome.simulated = simulate(state, messages);
  if (outcome.simulated) outcome.compared = compare(state, outcome.first, outcome.last, messages);
  return outcome;
}

CommandOutcome RunModel(KolvState& state, platform::MessageService& messages) {
  CommandOutcome outcome;
  outcome.first = state.params.FirstSeqShown;
  outcome.last = state.params.LastSeqShown;
  outcome.simulated = simulate(state, messages);
  if (outcome.simulated) compareShownPair(state, messages, outcome);
  return outcome;
}

CommandOutcome Redraw(KolvState& state, platform::MessageService& messages) {
  CommandOutcome outcome;
  compareShownPair(state, messages, outcome);
  return outcome;
}

}  // namespace sodwright::kolv
