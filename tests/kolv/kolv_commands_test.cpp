// SPDX-License-Identifier: GPL-3.0-or-later
// The run and redraw commands: which sequences they compare, which
// messages they show, and what a refused step leaves.

#include "kolv/kolv_commands.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include <gtest/gtest.h>

#include "engine_test_state.h"
#include "fakes/recording_services.h"
#include "kolv/engine/comparison.h"
#include "kolv/engine/run_preconditions.h"
#include "kolv/stability/stability_check.h"
#include "kolv/state/transect_setup.h"

namespace sodwright::kolv {
namespace {

KolvState slopedState(int seqCount) {
  testing::EngineTransect shape;
  shape.nodes = 40;
  KolvState state = testing::MakeEngineState(shape, [](int i) {
    testing::PointValues v;
    v.elev = 100 - 0.1 * i + 0.3 * std::sin(i * 0.4);
    v.pl1 = 10;
    v.pl2 = 5;
    return v;
  });
  testing::SetSequenceCount(state, seqCount);
  return state;
}

TEST(KolvCommands, RunKolvComparesStartAndLastSequence) {
  KolvState state = slopedState(4);
  platform::RecordingMessageService messages;
  const CommandOutcome outcome = runKolv(state, messages);
  EXPECT_TRUE(outcome.simulated);
  EXPECT_TRUE(outcome.compared);
  EXPECT_EQ(outcome.first, 0);
  EXPECT_EQ(outcome.last, 4);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(state.results.DeltaElev(20),
            static_cast<float>(state.data.Elev(20, 4) - state.data.Elev(20, 0)));
  EXPECT_NE(state.results.DeltaElev(20), 0.0f);
}

TEST(KolvCommands, RunKolvWithoutSequencesRefusesTheComparisonOnly) {
  KolvState state = slopedState(0);
  platform::RecordingMessageService messages;
  const CommandOutcome outcome = runKolv(state, messages);
  EXPECT_TRUE(outcome.simulated);
  EXPECT_FALSE(outcome.compared);
  EXPECT_EQ(
      messages.texts(),
      std::vector<std::string>{"The first seqence No. must be smaller than the last sequence No."});
  EXPECT_NE(state.data.Elev(20, 1), 0.0);  // the one pass ran
}

TEST(KolvCommands, RefusedRunComparesNothing) {
  KolvState state = slopedState(3);
  state.params.SgWeightFront = state.params.SgWeightBack = 0;
  platform::RecordingMessageService messages;
  for (const CommandOutcome& outcome : {runKolv(state, messages), runModel(state, messages)}) {
    EXPECT_FALSE(outcome.simulated);
    EXPECT_FALSE(outcome.compared);
  }
  EXPECT_EQ(messages.texts(), (std::vector<std::string>{kRunNoWeightMessage, kRunNoWeightMessage}));
  EXPECT_FALSE(state.simulated);
}

TEST(KolvCommands, RunModelResetsAnUnorderedShownPair) {
  KolvState state = slopedState(5);
  state.params.FirstSeqShown = 3;
  state.params.LastSeqShown = 3;
  platform::RecordingMessageService messages;
  const CommandOutcome outcome = runModel(state, messages);
  EXPECT_TRUE(outcome.simulated);
  EXPECT_TRUE(outcome.compared);
  EXPECT_TRUE(outcome.pairReset);
  EXPECT_EQ(state.params.FirstSeqShown, 0);
  EXPECT_EQ(state.params.LastSeqShown, 5);
  EXPECT_EQ(messages.texts(), std::vector<std::string>{kComparisonOrderMessage});
}

TEST(KolvCommands, RedrawComparesTheShownPairWithoutSimulating) {
  KolvState state = slopedState(5);
  platform::RecordingMessageService messages;
  ASSERT_TRUE(runKolv(state, messages).compared);
  const double elevBefore = state.data.Elev(20, 6);
  state.params.FirstSeqShown = 2;
  state.params.LastSeqShown = 4;
  state.params.UpLayerDepth = 0.1;
  const CommandOutcome outcome = redraw(state, messages);
  EXPECT_FALSE(outcome.simulated);
  EXPECT_TRUE(outcome.compared);
  EXPECT_FALSE(outcome.pairReset);
  EXPECT_EQ(state.data.Elev(20, 6), elevBefore);
  EXPECT_EQ(state.results.DeltaElev(20),
            static_cast<float>(state.data.Elev(20, 4) - state.data.Elev(20, 2)));
  EXPECT_TRUE(messages.shown.empty());

  // A reset pair that is still not ordered (no sequences simulated) is not compared.
  state.params.LastSeq = state.params.StartSeq;
  state.params.FirstSeqShown = state.params.LastSeqShown = 2;
  const CommandOutcome refused = redraw(state, messages);
  EXPECT_TRUE(refused.pairReset);
  EXPECT_FALSE(refused.compared);
  EXPECT_EQ(messages.texts(), std::vector<std::string>{kComparisonOrderMessage});
}

TEST(KolvCommands, ARunThatOverflowsFailsNamingTheFirstSequenceAndNode) {
  // Concentrations near the largest Double overflow the amounts of node 7.
  KolvState state = slopedState(3);
  state.data.PL1(7, 0) = 1e306;
  state.data.PL1(9, 0) = 1e306;
  platform::RecordingMessageService messages;
  for (const CommandOutcome& outcome : {runKolv(state, messages), runModel(state, messages)}) {
    EXPECT_FALSE(outcome.simulated);
    EXPECT_FALSE(outcome.compared);
    EXPECT_TRUE(outcome.failed);
  }
  const std::string expected =
      std::string(kRunNotFiniteMessage) +
      "sequence 0, node 7 (MassL1). Please check your data file and model parameters.";
  EXPECT_EQ(messages.texts(), (std::vector<std::string>{expected, expected}));
  EXPECT_FALSE(state.simulated);
}

// The check after a run screens whole columns and names a value only when
// one is not finite: one Infinity or NaN anywhere in a run's columns, in a
// Double or the Single total, at the last node too, is found and named.
TEST(KolvCommands, EveryValueOfARunIsCheckedForInfinityAndNaN) {
  KolvState state = slopedState(3);
  platform::RecordingMessageService messages;
  ASSERT_TRUE(runKolv(state, messages).compared);
  ASSERT_TRUE(nonFiniteRunValue(state));
  const int last = state.params.NodeCount - 1, column = state.params.LastSeq + 1;
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::pair<NodeSeqArray<double>*, const char*> arrays[] = {
      {&state.data.Elev, "Elev"},       {&state.data.DepthL1, "DepthL1"},
      {&state.data.DepthL2, "DepthL2"}, {&state.data.MassL1, "MassL1"},
      {&state.data.MassL2, "MassL2"},   {&state.data.PL1, "PL1"},
      {&state.data.PL2, "PL2"}};
  for (const auto& [array, name] : arrays) {
    for (double bad : {inf, -inf, nan}) {
      const double kept = (*array)(last, column);
      (*array)(last, column) = bad;
      const auto found = nonFiniteRunValue(state);
      EXPECT_EQ(found.message(), std::string(kRunNotFiniteMessage) + "sequence " +
                                     std::to_string(column) + ", node " + std::to_string(last) +
                                     " (" + name +
                                     "). Please check your data file and model parameters.");
      (*array)(last, column) = kept;
    }
  }
  const float kept = state.data.MassL12(0, state.params.StartSeq);
  state.data.MassL12(0, state.params.StartSeq) = std::numeric_limits<float>::infinity();
  EXPECT_FALSE(nonFiniteRunValue(state));
  state.data.MassL12(0, state.params.StartSeq) = kept;
  EXPECT_TRUE(nonFiniteRunValue(state));
}

// Arrays that keep only the columns a batch run reads (the rest share two
// slots) give the same bits as whole arrays: the kept columns of every array,
// every elevation column and the stability measure read from them, the
// comparison, in both directions, with decay and input; and an overflow in a
// column they do not keep is named as the check of every column names it.
TEST(KolvCommands, ARunOnRollingColumnsEqualsTheRunOnWholeArrays) {
  KolvState whole = slopedState(9);
  whole.params.TillDirection = kAlternative;
  whole.params.DecayRate1 = 0.05;
  whole.params.InputAmount = 3;
  whole.params.InputFrequency = 2;
  whole.params.FirstSeqShown = 3;
  KolvState rolling = whole;
  const std::vector<int> kept = {0, 3, 9, 10};
  keepRunColumnsOnly(rolling.data, kept);
  ASSERT_TRUE(rolling.data.MassL1.sharesColumn(5));
  platform::RecordingMessageService messages;
  ASSERT_TRUE(runModel(whole, messages).compared);
  ASSERT_TRUE(runModel(rolling, messages).compared);
  auto sameColumn = [](const auto& a, const auto& b, int seq) {
    const std::size_t bytes = (a.nodeUpper() - a.nodeLower() + 1) * sizeof(*a.column(seq));
    return std::memcmp(a.column(seq), b.column(seq), bytes) == 0;
  };
  const TransectData &w = whole.data, &r = rolling.data;
  for (int seq : kept) {
    EXPECT_TRUE(sameColumn(w.PL1, r.PL1, seq) && sameColumn(w.PL2, r.PL2, seq) &&
                sameColumn(w.DepthL1, r.DepthL1, seq) && sameColumn(w.DepthL2, r.DepthL2, seq) &&
                sameColumn(w.MassL1, r.MassL1, seq) && sameColumn(w.MassL2, r.MassL2, seq) &&
                sameColumn(w.MassL12, r.MassL12, seq))
        << "sequence " << seq;
  }
  for (int seq = 0; seq <= 10; ++seq) EXPECT_TRUE(sameColumn(w.Elev, r.Elev, seq)) << seq;
  EXPECT_EQ(checkRunStability(whole).shortWave, checkRunStability(rolling).shortWave);
  for (int i = 0; i < whole.params.NodeCount; ++i) {
    const ComparisonResults &wr = whole.results, &rr = rolling.results;
    EXPECT_EQ(std::bit_cast<std::uint32_t>(wr.SoilLoss(i)),
              std::bit_cast<std::uint32_t>(rr.SoilLoss(i)));
    EXPECT_EQ(wr.UpConcLast(i).has_value(), rr.UpConcLast(i).has_value());
    EXPECT_EQ(std::bit_cast<std::uint64_t>(valueOrZero(wr.UpConcLast(i))),
              std::bit_cast<std::uint64_t>(valueOrZero(rr.UpConcLast(i))));
  }

  // A large input every other sequence overflows the amounts at sequence 2.
  KolvState overflowing = slopedState(6);
  overflowing.params.InputAmount = 1e308;
  overflowing.params.InputFrequency = 2;
  KolvState overflowingRolling = overflowing;
  keepRunColumnsOnly(overflowingRolling.data, {0, 6, 7});
  platform::RecordingMessageService wholeMessages, rollingMessages;
  EXPECT_TRUE(runKolv(overflowing, wholeMessages).failed);
  EXPECT_TRUE(runKolv(overflowingRolling, rollingMessages).failed);
  EXPECT_EQ(rollingMessages.texts(), wholeMessages.texts());
  ASSERT_FALSE(wholeMessages.texts().empty());
  EXPECT_NE(wholeMessages.texts().back().find("sequence 2, "), std::string::npos);
}

TEST(KolvCommands, AComparisonThatOverflowsFailsAndLeavesNoResults) {
  KolvState state = slopedState(3);
  platform::RecordingMessageService messages;
  ASSERT_TRUE(runKolv(state, messages).compared);
  ASSERT_NE(state.results.SoilLoss(20), 0.0f);
  // Soil loss per sequence beyond the range of a Single.
  state.params.BulkDensity1 = 1e300;
  const CommandOutcome outcome = redraw(state, messages);
  EXPECT_FALSE(outcome.compared);
  EXPECT_TRUE(outcome.failed);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.texts()[0].rfind(kComparisonNotFiniteMessage, 0), 0u) << messages.texts()[0];
  EXPECT_NE(messages.texts()[0].find("(SoilLoss)"), std::string::npos) << messages.texts()[0];
  for (int i = 0; i < state.params.NodeCount; ++i) {
    EXPECT_EQ(state.results.SoilLoss(i), 0.0f);
    EXPECT_FALSE(state.results.UpMassLast(i).has_value());
  }
  // A refusal is not a failure.
  state.params.BulkDensity1 = 0;
  EXPECT_FALSE(redraw(state, messages).failed);
}

}  // namespace
}  // namespace sodwright::kolv
