// SPDX-License-Identifier: GPL-3.0-or-later
// The nodes of a pass shared among threads: every array of a run is the
// same bit for bit whatever the number of threads.

#include <cmath>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "engine_test_state.h"
#include "fakes/recording_services.h"
#include "kolv/engine/translocation.h"

namespace sodwright::kolv {
namespace {

// Long enough for several chunks, with substance, a negative layer 2 here
// and there (notes), decay and input, alternating directions.
KolvState busyTransect() {
  testing::EngineTransect shape;
  shape.nodes = 1500;
  shape.interval = 0.25f;
  shape.distrDistance = 3.0f;
  KolvState state = testing::MakeEngineState(shape, [](int i) {
    testing::PointValues v;
    v.elev = 100 - 0.01 * i + 0.4 * std::sin(i * 0.05) + 0.05 * std::sin(i * 1.3);
    v.pl1 = 10 + std::sin(i * 0.1);
    v.pl2 = 5;
    v.pl3 = 1;
    v.depthL1 = 0.15 + 0.05 * std::cos(i * 0.07);
    v.depthL2 = i % 97 == 5 ? -0.01 : 0.1;
    return v;
  });
  TranslocationParameters& p = state.params;
  p.TillDirection = kAlternative;
  p.ScScale = 2.0f;
  p.DecayRate1 = 0.02;
  p.InputFrequency = 2;
  p.InputAmount = 0.5;
  testing::SetSequenceCount(state, 6);
  return state;
}

template <class T>
bool sameBits(const NodeSeqArray<T>& a, const NodeSeqArray<T>& b) {
  return a.byteSize() == b.byteSize() &&
         std::memcmp(a.column(a.seqLower()), b.column(b.seqLower()), a.byteSize()) == 0;
}

std::string differingArray(const TransectData& a, const TransectData& b) {
  if (!sameBits(a.Elev, b.Elev)) return "Elev";
  if (!sameBits(a.PL1, b.PL1)) return "PL1";
  if (!sameBits(a.PL2, b.PL2)) return "PL2";
  if (!sameBits(a.DepthL1, b.DepthL1)) return "DepthL1";
  if (!sameBits(a.DepthL2, b.DepthL2)) return "DepthL2";
  if (!sameBits(a.MassL1, b.MassL1)) return "MassL1";
  if (!sameBits(a.MassL2, b.MassL2)) return "MassL2";
  if (!sameBits(a.MassL12, b.MassL12)) return "MassL12";
  return "";
}

TEST(TranslocationThreads, EveryArrayIsTheSameForAnyNumberOfThreads) {
  KolvState single = busyTransect();
  platform::RecordingMessageService singleMessages;
  ASSERT_TRUE(runTranslocation(single, singleMessages, 1).ok());
  ASSERT_FALSE(singleMessages.shown.empty());  // the layer notes
  for (int threads : {2, 3, 5}) {
    KolvState shared = busyTransect();
    platform::RecordingMessageService messages;
    ASSERT_TRUE(runTranslocation(shared, messages, threads).ok());
    EXPECT_EQ(differingArray(single.data, shared.data), "") << threads << " threads";
    EXPECT_EQ(messages.texts(), singleMessages.texts()) << threads << " threads";
    EXPECT_EQ(shared.params.DirectionSign, single.params.DirectionSign);
  }
  // The run moved soil and substance, so the comparison above saw real work.
  EXPECT_NE(single.data.Elev(700, 7), single.data.Elev(700, 0));
  EXPECT_NE(single.data.MassL1(700, 7), single.data.MassL1(700, 1));
}

}  // namespace
}  // namespace sodwright::kolv
