// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/kolv_commands.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <utility>

#include "kolv/engine/comparison.h"
#include "kolv/engine/translocation.h"
#include "kolv/main_window_checks.h"

namespace sodwright::kolv {

namespace {

std::string place(const char* what, int seq, int node, const char* array) {
  std::string text = what;
  if (seq >= 0) text += "sequence " + std::to_string(seq) + ", ";
  return text + "node " + std::to_string(node) + " (" + array +
         "). Please check your data file and model parameters.";
}

template <class T>
bool finiteAt(const T& value) {
  return std::isfinite(static_cast<double>(value));
}
bool finiteAt(const std::optional<double>& value) { return std::isfinite(valueOrZero(value)); }

bool simulate(KolvState& state, platform::MessageService& messages, CommandOutcome& outcome,
              int threads) {
  if (auto stop = simulate(state, messages, threads)) {
    messages.inform(stop->message);
    outcome.failed = stop->notFinite;
    return false;
  }
  return true;
}

bool compare(KolvState& state, Int16 first, Int16 last, platform::MessageService& messages,
             CommandOutcome& outcome) {
  if (auto stop = compare(state, first, last, messages)) {
    messages.inform(stop->message);
    outcome.failed = stop->notFinite;
    return false;
  }
  return true;
}

void compareShownPair(KolvState& state, platform::MessageService& messages,
                      CommandOutcome& outcome) {
  const SequenceOrderCheck order = checkSequenceOrder(state);
  if (order.message) messages.inform(*order.message);
  outcome.pairReset = order.reset;
  outcome.first = state.params.FirstSeqShown;
  outcome.last = state.params.LastSeqShown;
  if (order.proceed)
    outcome.compared = compare(state, outcome.first, outcome.last, messages, outcome);
}

// Whether the first `count` values hold Infinity or NaN: an exponent of all
// ones, tested on the bits so that the loop runs in vector lanes.
bool anyNotFinite(const double* values, int count) {
  std::uint64_t found = 0;
  for (int i = 0; i < count; ++i) {
    const auto bits = std::bit_cast<std::uint64_t>(values[i]);
    found |= static_cast<std::uint64_t>(((bits >> 52) & 0x7ff) == 0x7ff);
  }
  return found != 0;
}

bool anyNotFinite(const float* values, int count) {
  std::uint32_t found = 0;
  for (int i = 0; i < count; ++i) {
    const auto bits = std::bit_cast<std::uint32_t>(values[i]);
    found |= static_cast<std::uint32_t>(((bits >> 23) & 0xff) == 0xff);
  }
  return found != 0;
}

// Whether every value of column `seq` at nodes 0 .. NodeCount - 1 is
// finite, array by array; only otherwise does the node-by-node search below
// name the first.
bool columnFinite(const KolvState& state, int seq) {
  const TransectData& t = state.data;
  const int n = state.params.NodeCount;
  if (!t.Elev.contains(0, seq) || !t.Elev.contains(n - 1, seq)) return false;
  for (const NodeSeqArray<double>* a :
       {&t.Elev, &t.DepthL1, &t.DepthL2, &t.MassL1, &t.MassL2, &t.PL1, &t.PL2})
    if (anyNotFinite(&(*a)(0, seq), n)) return false;
  return !anyNotFinite(&t.MassL12(0, seq), n);
}

// The first value of column `seq` that is not finite, by node, then array.
base::Result<> nonFiniteColumnValue(const KolvState& state, int seq) {
  if (state.params.NodeCount <= 0 || columnFinite(state, seq)) return {};
  const TransectData& t = state.data;
  for (int i = 0; i < state.params.NodeCount; ++i) {
    const std::pair<const char*, double> values[] = {
        {"Elev", t.Elev(i, seq)},       {"DepthL1", t.DepthL1(i, seq)},
        {"DepthL2", t.DepthL2(i, seq)}, {"MassL1", t.MassL1(i, seq)},
        {"MassL2", t.MassL2(i, seq)},   {"MassL12", t.MassL12(i, seq)},
        {"PL1", t.PL1(i, seq)},         {"PL2", t.PL2(i, seq)}};
    for (const auto& [name, value] : values)
      if (!std::isfinite(value)) return base::fail(place(kRunNotFiniteMessage, seq, i, name));
  }
  return {};
}

}  // namespace

base::Result<> nonFiniteRunValue(const KolvState& state) {
  const TranslocationParameters& p = state.params;
  for (int seq = p.StartSeq; seq <= p.LastSeq + 1; ++seq)
    if (auto finite = nonFiniteColumnValue(state, seq); !finite) return finite;
  return {};
}

base::Result<> nonFiniteComparisonValue(const KolvState& state) {
  const ComparisonResults& r = state.results;
  for (int i = 0; i < state.params.NodeCount; ++i) {
    const std::pair<const char*, bool> values[] = {
        {"DeltaElev", finiteAt(r.DeltaElev(i))},     {"SoilLoss", finiteAt(r.SoilLoss(i))},
        {"UpMassFirst", finiteAt(r.UpMassFirst(i))}, {"SubMassFirst", finiteAt(r.SubMassFirst(i))},
        {"UpConcFirst", finiteAt(r.UpConcFirst(i))}, {"SubConcFirst", finiteAt(r.SubConcFirst(i))},
        {"UpMassLast", finiteAt(r.UpMassLast(i))},   {"SubMassLast", finiteAt(r.SubMassLast(i))},
        {"UpConcLast", finiteAt(r.UpConcLast(i))},   {"SubConcLast", finiteAt(r.SubConcLast(i))}};
    for (const auto& [name, finite] : values)
      if (!finite) return base::fail(place(kComparisonNotFiniteMessage, -1, i, name));
  }
  return {};
}

std::optional<StepStop> simulate(KolvState& state, platform::MessageService& messages,
                                 int threads) {
  // Arrays that keep only some columns are checked column by column while
  // the run holds them; the first value found not finite is the one a check
  // of every column after the run would name.
  std::optional<std::string> notFinite;
  FinishedColumn check;
  if (state.data.columns == TransectData::Columns::RunOnly)
    check = [&state, &notFinite](int seq) {
      if (notFinite) return;
      if (auto finite = nonFiniteColumnValue(state, seq); !finite) notFinite = finite.message();
    };
  if (auto run = runTranslocation(state, messages, threads, check); !run)
    return StepStop{run.message(), false};
  if (!check) {
    if (auto finite = nonFiniteRunValue(state); !finite) notFinite = finite.message();
  }
  if (notFinite) {
    state.simulated = false;
    return StepStop{*notFinite, true};
  }
  return std::nullopt;
}

std::optional<StepStop> compare(KolvState& state, Int16 first, Int16 last,
                                platform::MessageService& messages) {
  if (auto comparable = checkComparison(state, first, last); !comparable)
    return StepStop{comparable.message(), false};
  compareSequences(state, first, last, state.params.UpLayerDepth, state.params.SubLayerDepth,
                   messages);
  if (auto finite = nonFiniteComparisonValue(state); !finite) {
    // Cleared as an import leaves them, so that no report can print them.
    ComparisonResults& r = state.results;
    for (auto* a : {&r.DeltaElev, &r.SoilLoss, &r.SubConcFirst, &r.SubConcLast})
      a->allocate(a->lower(), a->upper());
    for (auto* a : {&r.UpMassFirst, &r.SubMassFirst, &r.UpConcFirst, &r.UpMassLast, &r.SubMassLast,
                    &r.UpConcLast})
      a->allocate(a->lower(), a->upper());
    return StepStop{finite.message(), true};
  }
  return std::nullopt;
}

CommandOutcome runKolv(KolvState& state, platform::MessageService& messages, int threads) {
  CommandOutcome outcome;
  outcome.first = state.params.StartSeq;
  outcome.last = state.params.LastSeq;
  outcome.simulated = simulate(state, messages, outcome, threads);
  if (outcome.simulated)
    outcome.compared = compare(state, outcome.first, outcome.last, messages, outcome);
  return outcome;
}

CommandOutcome runModel(KolvState& state, platform::MessageService& messages, int threads) {
  CommandOutcome outcome;
  outcome.first = state.params.FirstSeqShown;
  outcome.last = state.params.LastSeqShown;
  outcome.simulated = simulate(state, messages, outcome, threads);
  if (outcome.simulated) compareShownPair(state, messages, outcome);
  return outcome;
}

CommandOutcome redraw(KolvState& state, platform::MessageService& messages) {
  CommandOutcome outcome;
  compareShownPair(state, messages, outcome);
  return outcome;
}

}  // namespace sodwright::kolv
