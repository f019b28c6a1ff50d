// SPDX-License-Identifier: GPL-3.0-or-later
// Tillage direction: a backward pass is the forward pass of the mirrored
// transect (layer 3 read at the physical node), and "Alternative" flips
// the direction after every pass.

#include <cmath>

#include <gtest/gtest.h>

#include "engine_test_state.h"
#include "fakes/recording_services.h"
#include "kolv/engine/translocation.h"

namespace sodwright::kolv {
namespace {

using testing::EngineTransect;
using testing::MakeEngineState;
using testing::PointValues;

constexpr int kNodes = 60;

// Uneven surface and layers; layer 2 absent in one block and thin in
// another so that the tillage reaches layer 3, whose concentration varies.
PointValues uneven(int i) {
  PointValues v;
  v.elev = 100 - 0.03 * i + 0.2 * std::sin(i * 0.31);
  v.depthL1 = 0.15 + 0.05 * std::cos(i * 0.7);
  v.depthL2 = (i >= 20 && i < 26) ? 0.0 : (i >= 40 && i < 45 ? 0.01 : 0.08);
  v.pl1 = 20 + 5 * std::sin(i * 0.2);
  v.pl2 = 10 + (i % 7);
  v.pl3 = 1 + 0.1 * i;
  return v;
}

EngineTransect unevenSpec() {
  EngineTransect shape;
  shape.nodes = kNodes;
  shape.interval = 0.5f;
  shape.distrDistance = 2.5f;
  shape.gamma = 0.05f;
  return shape;
}

TEST(TranslocationDirection, BackwardRunIsTheMirroredForwardRun) {
  KolvState backward = MakeEngineState(unevenSpec(), uneven);
  KolvState mirrored = MakeEngineState(unevenSpec(), [](int i) { return uneven(kNodes - 1 - i); });
  for (KolvState* s : {&backward, &mirrored}) {
    testing::SetSequenceCount(*s, 6);
    s->params.ScScale = 1.6f;
    s->params.DecayRate1 = 0.02;
    s->params.InputFrequency = 2;
    s->params.InputAmount = 0.3;
  }
  backward.params.TillDirection = kBackward;
  backward.params.DirectionSign = -1;
  platform::RecordingMessageService messages;
  ASSERT_TRUE(runTranslocation(backward, messages).ok());
  ASSERT_TRUE(runTranslocation(mirrored, messages).ok());
  const TransectData& b = backward.data;
  const TransectData& f = mirrored.data;
  for (int c = 0; c <= 7; ++c) {
    for (int i = 0; i < kNodes; ++i) {
      const int m = kNodes - 1 - i;
      ASSERT_EQ(b.Elev(i, c), f.Elev(m, c)) << c << " " << i;
      ASSERT_EQ(b.DepthL1(i, c), f.DepthL1(m, c)) << c << " " << i;
      ASSERT_EQ(b.DepthL2(i, c), f.DepthL2(m, c)) << c << " " << i;
      ASSERT_EQ(b.MassL1(i, c), f.MassL1(m, c)) << c << " " << i;
      ASSERT_EQ(b.MassL2(i, c), f.MassL2(m, c)) << c << " " << i;
      ASSERT_EQ(b.MassL12(i, c), f.MassL12(m, c)) << c << " " << i;
      ASSERT_EQ(b.PL1(i, c), f.PL1(m, c)) << c << " " << i;
      ASSERT_EQ(b.PL2(i, c), f.PL2(m, c)) << c << " " << i;
    }
  }
  EXPECT_EQ(backward.params.DirectionSign, -1);
}

TEST(TranslocationDirection, BackwardMovesSubstanceTowardNodeZero) {
  EngineTransect shape;
  shape.nodes = 30;
  shape.distrDistance = 2.0f;
  KolvState state = MakeEngineState(shape, [](int i) {
    PointValues v;
    v.elev = 100 + 0.01 * i;  // falls toward node 0
    v.depthL1 = 0.2;
    v.pl1 = i == 15 ? 40.0 : 0.0;
    return v;
  });
  state.params.TillDirection = kBackward;
  state.params.DirectionSign = -1;
  testing::SetSequenceCount(state, 0);
  platform::RecordingMessageService messages;
  ASSERT_TRUE(runTranslocation(state, messages).ok());
  const TransectData& t = state.data;
  EXPECT_GT(t.MassL1(14, 1), 0.0);
  EXPECT_GT(t.MassL1(13, 1), 0.0);
  EXPECT_EQ(t.MassL1(16, 1), 0.0);
  EXPECT_NEAR(t.MassL1(13, 1) + t.MassL1(14, 1) + t.MassL1(15, 1), t.MassL1(15, 0), 1e-9);
}

TEST(TranslocationDirection, AlternativeRunsForwardBackwardForward) {
  KolvState alternative = MakeEngineState(unevenSpec(), uneven);
  testing::SetSequenceCount(alternative, 2);
  alternative.params.TillDirection = kAlternative;
  alternative.params.DirectionSign = 1;
  platform::RecordingMessageService messages;
  ASSERT_TRUE(runTranslocation(alternative, messages).ok());
  EXPECT_EQ(alternative.params.DirectionSign, -1);

  // The same three passes as three runs of one pass each.
  KolvState single = MakeEngineState(unevenSpec(), uneven);
  const Int16 signs[3] = {1, -1, 1};
  for (Int16 s = 0; s < 3; ++s) {
    single.params.StartSeq = single.params.LastSeq = s;
    single.params.TillDirection = signs[s] == 1 ? kForward : kBackward;
    single.params.DirectionSign = signs[s];
    ASSERT_TRUE(runTranslocation(single, messages).ok());
  }
  const TransectData& a = alternative.data;
  const TransectData& b = single.data;
  for (int c = 1; c <= 3; ++c) {
    for (int i = 0; i < kNodes; ++i) {
      ASSERT_EQ(a.Elev(i, c), b.Elev(i, c)) << c << " " << i;
      ASSERT_EQ(a.DepthL1(i, c), b.DepthL1(i, c)) << c << " " << i;
      ASSERT_EQ(a.DepthL2(i, c), b.DepthL2(i, c)) << c << " " << i;
      // A new run takes its amounts from the concentrations again.
      ASSERT_NEAR(a.MassL1(i, c), b.MassL1(i, c), 1e-9 * std::abs(b.MassL1(i, c))) << c << " " << i;
    }
  }
  // A second run starts from the sign the first left: backward, forward, backward.
  ASSERT_TRUE(runTranslocation(alternative, messages).ok());
  EXPECT_EQ(alternative.params.DirectionSign, 1);
  EXPECT_NE(alternative.data.Elev(5, 1), b.Elev(5, 1));  // its first pass now ran backward
}

TEST(TranslocationDirection, SignZeroBeforeAnyImportRunsForward) {
  KolvState zero = MakeEngineState(unevenSpec(), uneven);
  KolvState forward = MakeEngineState(unevenSpec(), uneven);
  for (KolvState* s : {&zero, &forward}) testing::SetSequenceCount(*s, 3);
  zero.params.TillDirection = kAlternative;
  zero.params.DirectionSign = 0;
  platform::RecordingMessageService messages;
  ASSERT_TRUE(runTranslocation(zero, messages).ok());
  ASSERT_TRUE(runTranslocation(forward, messages).ok());
  EXPECT_EQ(zero.params.DirectionSign, 0);
  zero.params.DirectionSign = forward.params.DirectionSign;
  zero.params.TillDirection = forward.params.TillDirection;
  EXPECT_EQ(testing::DescribeArrays(zero, 0, kNodes - 1, 4),
            testing::DescribeArrays(forward, 0, kNodes - 1, 4));
}

}  // namespace
}  // namespace sodwright::kolv
