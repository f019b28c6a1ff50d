// SPDX-License-Identifier: GPL-3.0-or-later
// Soil and substance balance of the passes: conservation on random
// transects, a flat field that never moves, the layer table, decay and the
// surface input.

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include <gtest/gtest.h>

#include "engine_test_state.h"
#include "fakes/recording_services.h"
#include "kolv/engine/substance_balance.h"
#include "kolv/engine/translocation.h"
#include "kolv/engine/translocation_pass.h"
#include "kolv/state/transect_setup.h"

namespace sodwright::kolv {
namespace {

using testing::EngineTransect;
using testing::MakeEngineState;
using testing::PointValues;

// 160 nodes 0.5 m apart, D = 4; bumps and substance only in the middle, so
// that within five passes nothing crosses the ends of the summed ranges.
KolvState randomTransect(unsigned seed, int direction) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  std::vector<PointValues> points(160);
  for (int i = 0; i < 160; ++i) {
    PointValues& v = points[static_cast<std::size_t>(i)];
    const bool middle = i >= 40 && i < 120;
    v.elev = middle ? 100 + 0.2 * unit(random) : 100;
    v.depthL1 = 0.1 + 0.15 * unit(random);
    v.depthL2 = unit(random) < 0.2 ? 0.0 : 0.12 * unit(random);
    const bool substance = i >= 30 && i < 130;
    v.pl1 = substance ? 50 * unit(random) : 0;
    v.pl2 = substance ? 30 * unit(random) : 0;
  }
  EngineTransect shape;
  shape.nodes = 160;
  shape.interval = 0.5f;
  shape.distrDistance = 2.0f;
  shape.alpha = static_cast<float>(0.2 + 0.3 * unit(random));
  shape.beta = 0.02f;
  shape.gamma = 0.1f;
  KolvState state =
      MakeEngineState(shape, [&](int i) { return points[static_cast<std::size_t>(i)]; });
  testing::SetSequenceCount(state, 4);
  state.params.ScScale = 1.5f;
  state.params.TillDirection = static_cast<Int16>(direction);
  state.params.DirectionSign = static_cast<Int16>(direction == kBackward ? -1 : 1);
  return state;
}

class TranslocationBalance : public ::testing::TestWithParam<int> {};

TEST_P(TranslocationBalance, SoilAndSubstanceAreConservedOnRandomTransects) {
  for (unsigned seed = 1; seed <= 4; ++seed) {
    KolvState state = randomTransect(seed, GetParam());
    platform::RecordingMessageService messages;
    ASSERT_TRUE(runTranslocation(state, messages).ok());
    const TransectData& t = state.data;
    for (int s = 0; s <= 4; ++s) {
      // The nodes -D-5 .. N+D+5 of the pass, which a backward pass mirrors.
      const bool backward = GetParam() == kBackward || (GetParam() == kAlternative && s % 2 == 1);
      const int low = backward ? 160 - 1 - 169 : -9;
      double soilBefore = 0, soilAfter = 0, substanceBefore = 0, substanceAfter = 0;
      for (int i = low; i <= low + 178; ++i) {
        soilBefore += t.Elev(i, s);
        soilAfter += t.Elev(i, s + 1);
      }
      for (int i = 0; i < 160; ++i) {
        substanceBefore += t.MassL1(i, s) + t.MassL2(i, s);
        substanceAfter += t.MassL1(i, s + 1) + t.MassL2(i, s + 1);
      }
      EXPECT_NEAR(soilAfter, soilBefore, 1e-9) << "seed " << seed << " pass " << s;
      EXPECT_NEAR(substanceAfter, substanceBefore, 1e-6 * substanceBefore)
          << "seed " << seed << " pass " << s;
      // The soil moved: the check is not of a standing surface.
      EXPECT_NE(t.Elev(80, s + 1), t.Elev(80, s));
    }
  }
}

TEST_P(TranslocationBalance, FlatFieldStaysFlat) {
  EngineTransect shape;
  shape.nodes = 50;
  shape.distrDistance = 4.0f;
  shape.alpha = shape.beta = shape.gamma = 0.0f;
  KolvState state = MakeEngineState(shape, [](int) { return PointValues{}; });
  testing::SetSequenceCount(state, 20);
  state.params.TillDirection = static_cast<Int16>(GetParam());
  state.params.DirectionSign = static_cast<Int16>(GetParam() == kBackward ? -1 : 1);
  platform::RecordingMessageService messages;
  ASSERT_TRUE(runTranslocation(state, messages).ok());
  // -D-5 .. N+D+4: the nodes a forward and a backward pass both write.
  for (int i = -9; i <= 58; ++i) EXPECT_NEAR(state.data.Elev(i, 21), 100.0, 1e-10) << i;
  for (int i = 0; i < 50; ++i) EXPECT_NEAR(state.data.DepthL1(i, 21), 0.2, 1e-10) << i;
}

INSTANTIATE_TEST_SUITE_P(Directions, TranslocationBalance,
                         ::testing::Values(kForward, kBackward, kAlternative));

// D = 0 on a flat field: every node keeps what it tills, so MassL1 of the
// next column is the tilled amount itself. Bulk densities 1000, dx = 1 m.
KolvState keepingTransect(const std::vector<PointValues>& points) {
  EngineTransect shape;
  shape.nodes = static_cast<int>(points.size());
  shape.distrDistance = 0.5f;
  shape.bd1 = shape.bd2 = shape.bd3 = 1000;
  KolvState state =
      MakeEngineState(shape, [&](int i) { return points[static_cast<std::size_t>(i)]; });
  testing::SetSequenceCount(state, 0);
  return state;
}

PointValues layers(double d1, double d2, double pl1, double pl2, double pl3) {
  PointValues v;
  v.depthL1 = d1;
  v.depthL2 = d2;
  v.pl1 = pl1;
  v.pl2 = pl2;
  v.pl3 = pl3;
  return v;
}

TEST(TranslocationLayers, TillageTakesTheTopOfTheLayersAsTheTableSays) {
  KolvState state = keepingTransect({
      layers(0.1, 0.2, 10, 4, 2),    // TD into layer 2: 1000 + 800 x 0.1 / 0.2
      layers(0.2, 0.1, 10, 4, 2),    // layer 1 exactly TD: all of layer 1, layer 2 stays
      layers(0.05, 0.05, 10, 4, 2),  // TD below both layers: 0.1 m of layer 3 joins
      layers(0.1, 0.0, 10, 0, 3),    // no layer 2, TD below layer 1
      layers(0.3, 0.0, 10, 0, 3),    // no layer 2, TD within layer 1: the rest becomes layer 2
  });
  platform::RecordingMessageService messages;
  ASSERT_TRUE(runTranslocation(state, messages).ok());
  const TransectData& t = state.data;
  EXPECT_NEAR(t.MassL1(0, 1), 1400, 1e-9);
  EXPECT_NEAR(t.DepthL2(0, 1), 0.1, 1e-12);
  EXPECT_NEAR(t.MassL2(0, 1), 400, 1e-4);
  EXPECT_NEAR(t.MassL1(1, 1), 2000, 1e-9);
  EXPECT_NEAR(t.DepthL2(1, 1), 0.1, 1e-12);
  EXPECT_NEAR(t.MassL1(2, 1), 500 + 200 + 0.1 * 2 * 1000, 1e-9);
  EXPECT_EQ(t.DepthL2(2, 1), 0.0);
  EXPECT_EQ(t.MassL2(2, 1), 0.0);  // clamped: the tilled amount exceeds the total
  EXPECT_EQ(t.PL2(2, 1), 0.0);
  EXPECT_NEAR(t.MassL1(3, 1), 1000 + 0.1 * 3 * 1000, 1e-9);
  EXPECT_EQ(t.DepthL2(3, 1), 0.0);
  EXPECT_NEAR(t.MassL1(4, 1), 3000 * 0.2 / 0.3, 1e-9);
  EXPECT_NEAR(t.DepthL2(4, 1), 0.1, 1e-12);
  EXPECT_NEAR(t.PL2(4, 1), 1000.0 / 1000 / 1 / 0.1, 1e-4);
  // New layer 1 is the soil that arrived: TD on a flat field.
  for (int i = 0; i < 5; ++i) EXPECT_NEAR(t.DepthL1(i, 1), 0.2, 1e-12);
  EXPECT_NEAR(t.PL1(0, 1), 1400.0 / 1000 / 1 / 0.2, 1e-9);
  EXPECT_TRUE(messages.shown.empty());
}

TEST(TranslocationLayers, NegativeLayerTwoNotesOncePerNodeAndPass) {
  std::vector<PointValues> points(6, layers(0.2, 0.1, 10, 4, 0));
  points[2].depthL2 = points[4].depthL2 = -0.05;
  KolvState state = keepingTransect(points);
  testing::SetSequenceCount(state, 2);
  platform::RecordingMessageService messages;
  ASSERT_TRUE(runTranslocation(state, messages).ok());
  // Nodes 2 and 4 in the first pass; their new layer 2 keeps what column 1
  // held (0 after an import), so the later passes do not note them again.
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.texts()[0], kLayerNote);
  // The tilled amount keeps its previous value, 0 in the first pass.
  EXPECT_EQ(state.data.MassL1(2, 1), 0.0);
  EXPECT_NEAR(state.data.MassL2(2, 1), static_cast<float>(2000 + 1000 * 4 * -0.05), 1e-9);
}

TEST(TranslocationLayers, DecayEmptiesLayerOneBeforeTheInput) {
  std::vector<PointValues> points(8, layers(0.2, 0.1, 10, 4, 0));
  KolvState state = keepingTransect(points);
  state.params.DecayRate1 = 1;
  state.params.DecayRate2 = 0.1;
  state.params.InputAmount = 0.5;
  platform::RecordingMessageService messages;
  ASSERT_TRUE(runTranslocation(state, messages).ok());
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(state.data.MassL1(i, 1), 0.5);
    EXPECT_NEAR(state.data.MassL2(i, 1), 0.9 * 400, 1e-4);
    EXPECT_NEAR(state.data.PL1(i, 1), 0.5 / 1000 / 1 / 0.2, 1e-15);
  }
}

TEST(TranslocationLayers, InputEveryThirdPassFallsInPassesThreeAndSix) {
  std::vector<PointValues> points(20, layers(0.2, 0.1, 0, 0, 0));
  KolvState state = keepingTransect(points);
  testing::SetSequenceCount(state, 6);  // seven passes
  state.params.InputFrequency = 3;
  state.params.InputAmount = 0.5;
  platform::RecordingMessageService messages;
  ASSERT_TRUE(runTranslocation(state, messages).ok());
  const double expected[8] = {0, 0, 0, 0.5, 0.5, 0.5, 1.0, 1.0};
  for (int c = 1; c <= 7; ++c) {
    EXPECT_EQ(state.data.MassL1(10, c), expected[c]) << c;
    // Beyond the measured nodes nothing is carried over, but the input of the pass lands there too.
    EXPECT_EQ(state.data.MassL1(-10, c), c == 3 || c == 6 ? 0.5 : 0.0) << c;
  }
}

TEST(TranslocationLayers, SubstanceNearTheUpstreamEndOnlyLeaves) {
  EngineTransect shape;
  shape.nodes = 30;
  KolvState state = MakeEngineState(shape, [](int) { return layers(0.2, 0.1, 10, 4, 0); });
  testing::SetSequenceCount(state, 0);
  platform::RecordingMessageService messages;
  ASSERT_TRUE(runTranslocation(state, messages).ok());
  const TransectData& t = state.data;
  for (int i = 0; i < 3; ++i) EXPECT_LT(t.MassL1(i, 1), t.MassL1(i + 1, 1)) << i;
  EXPECT_NEAR(t.MassL1(15, 1), t.MassL1(15, 0), 1e-9);  // the interior receives what it gives
}

// The concentrations worked out in vector lanes equal the node-by-node
// formulas bit for bit, layer 2 present, empty, negative (-0 and NaN alike),
// on a count that leaves lanes over.
TEST(TranslocationLayers, ConcentrationLanesEqualThePlainFormulas) {
  TranslocationParameters p;
  p.NodeCount = p.DataPointCount = 1003;
  p.DistrNodes = 3;
  KolvState lanes;
  allocateTransect(p, lanes.data, lanes.results);
  std::mt19937 random(20261209);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  const double layer2[] = {0.0, -0.0, -0.05, std::numeric_limits<double>::quiet_NaN(), 1e-300};
  for (int i = 0; i < p.NodeCount; ++i) {
    lanes.data.MassL1(i, 4) = 10 * unit(random);
    lanes.data.MassL2(i, 4) = 10 * unit(random);
    lanes.data.DepthL1(i, 4) = 0.01 + 0.3 * unit(random);
    lanes.data.DepthL2(i, 4) = i % 7 < 5 ? layer2[i % 7] : 0.2 * unit(random);
  }
  KolvState plain = lanes;
  updateConcentrations(lanes.data, 4, p.NodeCount, 0.1, 1300, 1450.5);
  updateConcentrationsPlain(plain.data, 4, p.NodeCount, 0.1, 1300, 1450.5);
  for (int i = 0; i < p.NodeCount; ++i) {
    const double got[] = {lanes.data.PL1(i, 4), lanes.data.PL2(i, 4)};
    const double want[] = {plain.data.PL1(i, 4), plain.data.PL2(i, 4)};
    EXPECT_EQ(std::memcmp(got, want, sizeof got), 0) << "node " << i;
  }
}

}  // namespace
}  // namespace sodwright::kolv
