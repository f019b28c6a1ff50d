// SPDX-License-Identifier: GPL-3.0-or-later
// The end zones of a pass and the runs they cannot serve.

#include <cmath>

#include <gtest/gtest.h>

#include "engine_test_state.h"
#include "fakes/recording_services.h"
#include "kolv/engine/end_zones.h"
#include "kolv/engine/run_preconditions.h"
#include "kolv/engine/slope_distribution.h"
#include "kolv/engine/translocation.h"
#include "kolv/state/column_view.h"

namespace sodwright::kolv {
namespace {

using testing::EngineTransect;
using testing::MakeEngineState;
using testing::PointValues;

// A transect whose slope changes along it, 1 m apart, D = 4.
KolvState wavyTransect(int nodes, int fileSeq) {
  EngineTransect shape;
  shape.nodes = nodes;
  shape.fileSeq = fileSeq;
  return MakeEngineState(shape, [](int i) {
    PointValues v;
    v.elev = 100 - 0.05 * i + 0.02 * (i % 3);
    return v;
  });
}

TEST(TranslocationEndZone, SequenceZeroStartsAtTheEndNodes) {
  KolvState state = wavyTransect(30, 0);
  KolvState before = state;
  testing::SetSequenceCount(state, 0);
  platform::RecordingMessageService messages;
  ASSERT_TRUE(runTranslocation(state, messages).ok());
  const auto& e = state.data.Elev;
  for (int i = 0; i < 30; ++i) EXPECT_EQ(e(i, 0), before.data.Elev(i, 0)) << i;
  // Upstream: the slope of nodes 0..1 falls by SG(0) / (3D) per node.
  const double dx = 1.0;
  const double seed = slopePercent(e(0, 0), e(1, 0), dx);
  const double rate = seed / 12;
  EXPECT_EQ(e(-1, 0), e(0, 0) + (seed - rate) * (dx / 100));
  // Ten flat nodes after the taper at each end.
  for (int a = -13; a >= -22; --a) EXPECT_EQ(e(a, 0), e(-12, 0));
  for (int a = 42; a <= 52; ++a) EXPECT_EQ(e(a, 0), e(41, 0));
  // The taper ends level: the last slope is close to zero.
  EXPECT_NEAR(slopePercent(e(-12, 0), e(-11, 0), dx), 0.0, std::abs(seed) / 6);
}

TEST(TranslocationEndZone, SequenceThreeReplacesSixNodesAtEachEnd) {
  KolvState state = wavyTransect(30, 3);
  const KolvState before = state;
  testing::SetSequenceCount(state, 0);
  platform::RecordingMessageService messages;
  ASSERT_TRUE(runTranslocation(state, messages).ok());
  const auto& e = state.data.Elev;
  for (int i = 6; i <= 23; ++i) EXPECT_EQ(e(i, 3), before.data.Elev(i, 3)) << i;
  for (int i : {0, 5, 24, 29}) EXPECT_NE(e(i, 3), before.data.Elev(i, 3)) << i;
  // Node 5 continues from the seed slope of nodes 6, 7 less one step of the taper over 3D + 6
  // nodes.
  const double seed = slopePercent(e(6, 3), e(7, 3), 1.0);
  EXPECT_EQ(e(5, 3), e(6, 3) + (seed - seed / 18) * (1.0 / 100));
  // Downstream: node 24 from the seed slope of nodes 22, 23.
  const double downSeed = slopePercent(e(22, 3), e(23, 3), 1.0);
  EXPECT_EQ(e(24, 3), e(23, 3) - (downSeed - downSeed / 18) * (1.0 / 100));
}

TEST(TranslocationEndZone, DownstreamZoneDecidesWhereTheZonesMeet) {
  // N = 12, s = 4: margins of 8 nodes meet; the downstream zone starts from
  // nodes 2, 3 that the upstream zone has already replaced.
  KolvState state = wavyTransect(12, 0);
  ColumnView<double> e = columnOf(state.data.Elev, 0);
  const double measured3 = e[3];
  replaceEndZones(e, EndZoneShape{12, 4, 4, 1.0});
  EXPECT_NE(e[3], measured3);
  const double seed = slopePercent(e[2], e[3], 1.0);
  EXPECT_EQ(e[4], e[3] - (seed - seed / 20) * (1.0 / 100));
}

TEST(TranslocationEndZone, NoTaperWithoutDistributionNodesAtSequenceZero) {
  // 3D + 2s = 0: both tapers are empty and only the flat nodes follow.
  KolvState state = wavyTransect(10, 0);
  ColumnView<double> e = columnOf(state.data.Elev, 0);
  const double first = e[0], last = e[9];
  replaceEndZones(e, EndZoneShape{10, 0, 0, 1.0});
  for (int a = -1; a >= -10; --a) EXPECT_EQ(e[a], first);
  for (int a = 10; a <= 20; ++a) EXPECT_EQ(e[a], last);
}

TEST(TranslocationEndZone, TwentyPointsRunTwelveSequencesWhereTheZonesMeet) {
  // 2s > N from sequence 10 on: the zones overlap and the downstream one,
  // computed second, decides every measured node of those columns.
  KolvState state = wavyTransect(20, 0);
  testing::SetSequenceCount(state, 12);
  platform::RecordingMessageService messages;
  ASSERT_TRUE(runTranslocation(state, messages).ok());
  EXPECT_TRUE(state.simulated);
  const int n = 20, d = 4, s = 12;
  const ColumnView<const double> e =
      columnOf(static_cast<const NodeSeqArray<double>&>(state.data.Elev), s);
  const double seed = slopePercent(e[n - 2 * s - 2], e[n - 2 * s - 1], 1.0);
  const double rate = seed / (3 * d + 2 * s);
  double slope = seed;
  for (int a = n - 2 * s; a <= n + 3 * d - 1; ++a) {
    ASSERT_EQ(e[a], e[a - 1] - (slope - rate) * (1.0 / 100)) << "node " << a;
    slope = slopePercent(e[a - 1], e[a], 1.0);
  }
  for (int i = 0; i < n; ++i) EXPECT_TRUE(std::isfinite(state.data.Elev(i, s + 1))) << i;
}

TEST(TranslocationEndZone, RunsLeavingTheNodeRangeAreRefusedUnchanged) {
  platform::RecordingMessageService messages;
  // 30 nodes, D = 4, nodes -22 .. 52: the downstream seed N - 2s - 2 reaches
  // -22 at sequence 25.
  KolvState fits = wavyTransect(30, 0);
  testing::SetSequenceCount(fits, 25);
  EXPECT_EQ(highestRunSequence(30, -22, 52), 25);
  EXPECT_TRUE(runTranslocation(fits, messages).ok());

  KolvState tooLong = wavyTransect(30, 0);
  testing::SetSequenceCount(tooLong, 26);
  const std::string before = testing::DescribeArrays(tooLong, -22, 52, 27);
  const auto refusal = runTranslocation(tooLong, messages);
  ASSERT_FALSE(refusal.ok());
  EXPECT_NE(refusal.message().find("up to sequence 25"), std::string::npos) << refusal.message();
  EXPECT_NE(refusal.message().find("nodes -22 to 52"), std::string::npos) << refusal.message();
  EXPECT_EQ(testing::DescribeArrays(tooLong, -22, 52, 27), before);
  EXPECT_FALSE(tooLong.simulated);

  // A transect stored beyond that sequence cannot be run at all.
  KolvState late = wavyTransect(30, 26);
  const auto lateRefusal = runTranslocation(late, messages);
  ASSERT_FALSE(lateRefusal.ok());
  EXPECT_NE(lateRefusal.message().find("stored at sequence 26"), std::string::npos)
      << lateRefusal.message();
  EXPECT_NE(lateRefusal.message().find("up to sequence 25"), std::string::npos)
      << lateRefusal.message();
  EXPECT_TRUE(messages.shown.empty());
  // The upstream seed 2s + 1 bounds a range that ends close to the transect.
  EXPECT_EQ(highestRunSequence(30, -22, 40), 19);
}

TEST(TranslocationEndZone, OtherRunsThatCannotStartAreRefused) {
  platform::RecordingMessageService messages;
  auto refusalOf = [&](auto change) {
    KolvState state = wavyTransect(30, 0);
    change(state);
    return runTranslocation(state, messages).message();
  };
  EXPECT_EQ(refusalOf([](KolvState& s) { s.params.SgWeightFront = s.params.SgWeightBack = 0; }),
            kRunNoWeightMessage);
  EXPECT_EQ(refusalOf([](KolvState& s) { s.params.TillDepth = 0; }), kRunTillDepthMessage);
  EXPECT_EQ(refusalOf([](KolvState& s) { s.params.BulkDensity2 = 0; }), kRunZeroDivisorMessage);
  EXPECT_EQ(refusalOf([](KolvState& s) { s.params.ScScale = 30; }), kRunScScaleMessage);
  EXPECT_EQ(refusalOf([](KolvState& s) { s.params.NodeCount = 1; }), kRunTooFewNodesMessage);
  EXPECT_EQ(refusalOf([](KolvState& s) { s = KolvState{}; }), kRunNoTransectMessage);
  // Columns beyond the arrays: a state whose sequences end at 51.
  const std::string tooMany = refusalOf([](KolvState& s) { s.params.LastSeq = 51; });
  EXPECT_NE(tooMany.find("up to 51"), std::string::npos) << tooMany;
  // One weight alone is enough.
  EXPECT_EQ(refusalOf([](KolvState& s) { s.params.SgWeightBack = 0; }), "");
}

}  // namespace
}  // namespace sodwright::kolv
