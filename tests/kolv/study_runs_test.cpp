// SPDX-License-Identifier: GPL-3.0-or-later
// Many runs of one study: a member that changes nothing equals the single
// run bit for bit, whatever the number of workers, and each member's
// results follow its own parameters.

#include "kolv/study/study_runs.h"

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine_test_state.h"
#include "fakes/recording_services.h"
#include "kolv/kolv_commands.h"

namespace sodwright::kolv {
namespace {

KolvState hillTransect() {
  testing::EngineTransect shape;
  shape.nodes = 120;
  KolvState state = testing::MakeEngineState(shape, [](int i) {
    testing::PointValues v;
    v.elev = 100 + 2 * std::sin(i * 0.08);
    v.pl1 = 10;
    v.pl2 = 5;
    return v;
  });
  testing::SetSequenceCount(state, 6);
  state.params.TillDirection = kAlternative;
  return state;
}

std::string describe(const KolvState& s) {
  return testing::DescribeArrays(s, 0, s.params.NodeCount - 1, s.params.LastSeq + 1);
}

TEST(StudyRuns, MembersEqualSingleRunsOnAnyNumberOfWorkers) {
  const KolvState study = hillTransect();
  const float betas[] = {0.001f, 0.003f, 0.006f, 0.003f, 0.009f};
  std::vector<std::string> single;
  for (float beta : betas) {
    KolvState one = study;
    one.params.Beta = beta;
    platform::RecordingMessageService messages;
    ASSERT_TRUE(runKolv(one, messages).compared);
    single.push_back(describe(one));
  }
  EXPECT_EQ(single[1], single[3]);
  EXPECT_NE(single[0], single[1]);
  for (int threads : {1, 2, 3}) {
    std::vector<std::string> members(std::size(betas));
    const auto ran = runStudies(
        study, members.size(),
        [&](std::size_t m, TranslocationParameters& p) { p.Beta = betas[m]; },
        [&](std::size_t m, const KolvState& s, const std::optional<StepStop>& stop) {
          if (!stop) members[m] = describe(s);
        },
        {.threads = threads});
    EXPECT_EQ(ran, members.size());
    EXPECT_EQ(members, single) << threads << " workers";
  }
}

// A worker puts back only the columns the previous member's run could
// write: with members of different lengths on one worker, every element of
// every column and the comparison equal a fresh copy of the study run alone.
TEST(StudyRuns, AResetWorkspaceEqualsAFreshCopyInEveryColumn) {
  const KolvState study = hillTransect();
  const int counts[] = {6, 2, 9, 1, 4};
  auto prepare = [&](std::size_t m, TranslocationParameters& p) {
    p.SeqCount = static_cast<Int16>(counts[m]);
    p.LastSeq = p.LastSeqShown = static_cast<Int16>(p.StartSeq + counts[m]);
    p.Beta = 0.002f + 0.001f * static_cast<float>(m);
  };
  auto everything = [](const KolvState& s) {
    const NodeSeqArray<double>& e = s.data.Elev;
    std::string text = testing::DescribeArrays(s, e.nodeLower(), e.nodeUpper(), e.seqUpper());
    for (int i = 0; i < s.params.NodeCount; ++i)
      text += std::to_string(s.results.SoilLoss(i)) + ' ' +
              std::to_string(valueOrZero(s.results.UpMassLast(i))) + '\n';
    return text;
  };
  std::vector<std::string> alone;
  for (std::size_t m = 0; m < std::size(counts); ++m) {
    KolvState one = study;
    prepare(m, one.params);
    platform::RecordingMessageService messages;
    ASSERT_TRUE(runKolv(one, messages).compared);
    alone.push_back(everything(one));
  }
  std::vector<std::string> members(std::size(counts));
  runStudies(study, members.size(), prepare,
             [&](std::size_t m, const KolvState& s, const std::optional<StepStop>& stop) {
               if (!stop) members[m] = everything(s);
             },
             {.threads = 1});
  for (std::size_t m = 0; m < members.size(); ++m)
    EXPECT_TRUE(members[m] == alone[m]) << "member " << m;
}

TEST(StudyRuns, ARefusedMemberComesBackWithItsReason) {
  const KolvState study = hillTransect();
  std::optional<StepStop> seen;
  runStudies(
      study, 1, [](std::size_t, TranslocationParameters& p) { p.TillDepth = 0; },
      [&](std::size_t, const KolvState&, const std::optional<StepStop>& stop) { seen = stop; });
  ASSERT_TRUE(seen.has_value());
  EXPECT_FALSE(seen->message.empty());
}

}  // namespace
}  // namespace sodwright::kolv
