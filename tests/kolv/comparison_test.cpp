// SPDX-License-Identifier: GPL-3.0-or-later
// The sequence comparison: the sampling windows case by case, soil loss,
// concentrations, the notes of a negative layer 2 and refused pairs.

#include "kolv/engine/comparison.h"

#include <gtest/gtest.h>

#include "engine_test_state.h"
#include "fakes/recording_services.h"
#include "kolv/engine/sampling_windows.h"

namespace sodwright::kolv {
namespace {

// Layers with amounts M1 = 100, M2 = 60 and 1000 per metre of layer 3.
NodeLayers node(double l1, double l2, double m3 = 1000) {
  return NodeLayers{l1, l2, 100, 60, 160.0f, m3};
}

void expectWindows(const NodeLayers& layers, double up, double sub, double upAmount,
                   double subAmount) {
  const auto w = sampleWindows(layers, up, sub);
  ASSERT_TRUE(w);
  EXPECT_NEAR(w->up, upAmount, 1e-9);
  EXPECT_NEAR(w->sub, subAmount, 1e-9);
}

TEST(ComparisonWindows, BothLayersTwoLayersDeep) {
  // a: the up window holds both layers exactly.
  expectWindows(node(0.1, 0.1), 0.2, 0.1, 160, 100);
  // a: and layer-3 soil below them.
  expectWindows(node(0.1, 0.1), 0.3, 0.1, 160 + 100, 100);
  // b1: L1 = L2 = 0.1, U = 0.15, S = 0.1: up M1 + M2/2, sub M2/2 + m3 x 0.05.
  expectWindows(node(0.1, 0.1), 0.15, 0.1, 130, 30 + 50);
  // b2: the windows end exactly where layer 2 does: no correction.
  expectWindows(node(0.25, 0.25), 0.375, 0.125, 130, 30);
  // c1, c2, c3: the up window ends inside layer 1.
  expectWindows(node(0.25, 0.25), 0.125, 0.5, 50, 110 + 125);
  expectWindows(node(0.25, 0.25), 0.125, 0.375, 50, 110);
  expectWindows(node(0.25, 0.25), 0.125, 0.0625, 50, 25);
  // Without layer-3 substance the sub window holds only what layers 1 and 2 give.
  expectWindows(node(0.1, 0.1, 0), 0.15, 0.3, 130, 30);
}

TEST(ComparisonWindows, LayersOfDifferentThickness) {
  // L1 = 0.2 and L2 = 0.3 (or 0.1 and 0.3): a depth divided by the other
  // layer's thickness changes every amount below.
  expectWindows(node(0.1, 0.3), 0.15, 0.3, 110, 50 + 50);  // b1
  expectWindows(node(0.1, 0.3), 0.15, 0.1, 110, 20);       // b2
  expectWindows(node(0.2, 0.3), 0.1, 0.5, 50, 110 + 100);  // c1
  expectWindows(node(0.2, 0.3), 0.1, 0.3, 50, 90);         // c2
  expectWindows(node(0.2, 0.3), 0.05, 0.1, 25, 50);        // c3: both windows inside layer 1
}

TEST(ComparisonWindows, LayerOneOnly) {
  // d: layer 1 and layer-3 soil down to U.
  expectWindows(node(0.25, 0.0), 0.5, 0.25, 100 + 250, 250);
  expectWindows(node(0.25, 0.0), 0.25, 0.25, 100, 250);
  // e1, e2.
  expectWindows(node(0.25, 0.0), 0.125, 0.25, 50, 50 + 125);
  expectWindows(node(0.25, 0.0), 0.125, 0.0625, 50, 25);
}

TEST(ComparisonWindows, NegativeLayerTwoHasNoAmounts) {
  EXPECT_FALSE(sampleWindows(node(0.1, -0.01), 0.2, 0.2));
}

// Three nodes, sequences 0 and 10 filled by hand.
KolvState comparedState() {
  testing::EngineTransect shape;
  shape.nodes = 3;
  shape.interval = 0.5f;
  KolvState state = testing::MakeEngineState(shape, [](int) { return testing::PointValues{}; });
  TransectData& t = state.data;
  for (int j = 0; j < 3; ++j) {
    t.PL3(j) = 2;
    for (int s : {0, 10}) {
      t.Elev(j, s) = s == 0 ? 100 : 99.99;
      t.DepthL1(j, s) = 0.1;
      t.DepthL2(j, s) = 0.1;
      t.MassL1(j, s) = 100 + j + s;
      t.MassL2(j, s) = 60;
      t.MassL12(j, s) = static_cast<float>(t.MassL1(j, s) + 60);
    }
  }
  return state;
}

TEST(ComparisonSequences, SoilLossAndConcentrations) {
  KolvState state = comparedState();
  platform::RecordingMessageService messages;
  compareSequences(state, 0, 10, 0.2, 0.2, messages);
  EXPECT_TRUE(messages.shown.empty());
  const ComparisonResults& r = state.results;
  // The surface dropped 0.01 m over 10 sequences, BD1 1300: 1.3 kg/m2 per sequence.
  EXPECT_EQ(r.DeltaElev(1), static_cast<float>(99.99 - 100.0));
  EXPECT_NEAR(r.SoilLoss(1), 1.3, 1e-6);
  // U = L1 + L2: case a, up = M12 and sub = m3 S with m3 = 1450 x 2 x 0.5.
  EXPECT_NEAR(valueOrZero(r.UpMassFirst(2)), 162, 1e-9);
  EXPECT_NEAR(valueOrZero(r.SubMassFirst(2)), 1450.0 * 2 * 0.5 * 0.2, 1e-9);
  EXPECT_NEAR(valueOrZero(r.UpMassLast(2)), 172, 1e-9);
  EXPECT_NEAR(valueOrZero(r.UpConcLast(2)), 172.0 / 1300 / 0.5 / 0.2, 1e-12);
  EXPECT_EQ(r.SubConcFirst(2), static_cast<float>(290.0 / 1350 / 0.5 / 0.2));
}

TEST(ComparisonSequences, NegativeLayerTwoKeepsTheAmountsAndNotes) {
  KolvState state = comparedState();
  platform::RecordingMessageService messages;
  compareSequences(state, 0, 10, 0.2, 0.2, messages);
  const double lastBefore = valueOrZero(state.results.UpMassLast(1));
  state.data.DepthL2(1, 10) = -0.05;
  state.data.MassL1(1, 0) = 500;  // the first sequence is taken afresh
  state.data.MassL12(1, 0) = 560;
  state.data.MassL1(1, 10) = 900;  // the last is not
  compareSequences(state, 0, 10, 0.2, 0.2, messages);
  ASSERT_EQ(messages.texts(), std::vector<std::string>{kLastSequenceNote});
  EXPECT_EQ(valueOrZero(state.results.UpMassLast(1)), lastBefore);
  EXPECT_NEAR(valueOrZero(state.results.UpMassFirst(1)), 560, 1e-9);

  // A fresh comparison with a negative first layer 2: the first note, empty amounts count as 0.
  KolvState fresh = comparedState();
  fresh.data.DepthL2(0, 0) = -0.05;
  messages.shown.clear();
  compareSequences(fresh, 0, 10, 0.2, 0.2, messages);
  ASSERT_EQ(messages.texts(), std::vector<std::string>{kFirstSequenceNote});
  EXPECT_FALSE(fresh.results.UpMassFirst(0).has_value());
  EXPECT_EQ(valueOrZero(fresh.results.UpConcFirst(0)), 0.0);
}

TEST(ComparisonSequences, RefusedPairsChangeNothing) {
  KolvState state = comparedState();
  platform::RecordingMessageService messages;
  compareSequences(state, 10, 10, 0.2, 0.2, messages);
  compareSequences(state, 10, 0, 0.2, 0.2, messages);
  EXPECT_EQ(messages.texts(),
            (std::vector<std::string>{kComparisonOrderMessage, kComparisonOrderMessage}));
  EXPECT_EQ(std::string(kComparisonOrderMessage),
            "The first seqence No. must be smaller than the last sequence No.");
  compareSequences(state, 0, 60, 0.2, 0.2, messages);
  EXPECT_NE(messages.texts().back().find("60"), std::string::npos);
  state.params.BulkDensity1 = 0;
  compareSequences(state, 0, 10, 0.2, 0.2, messages);
  EXPECT_EQ(messages.texts().back(), kComparisonDivisorMessage);
  EXPECT_FALSE(state.results.UpMassFirst(0).has_value());
  EXPECT_EQ(state.results.SoilLoss(0), 0.0f);
}

TEST(ComparisonSequences, EmptySubWindowHasNoConcentration) {
  KolvState state = comparedState();
  platform::RecordingMessageService messages;
  compareSequences(state, 0, 10, 0.2, 0.0, messages);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(valueOrZero(state.results.SubMassLast(0)), 0.0);
  EXPECT_EQ(state.results.SubConcLast(0), 0.0f);
}

}  // namespace
}  // namespace sodwright::kolv
