// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/parameter_checks.h"

#include <functional>

#include <gtest/gtest.h>

#include "base/number_text.h"
#include "base/text/refusal_text.h"
#include "kolv/check_refusals.h"
#include "kolv/main_window_checks.h"

namespace sodwright::kolv {
namespace {

// The state after importing a 101-point file stored at sequence 5 with a
// distribution distance of 2 m.
KolvState importedState() {
  KolvState state;
  TranslocationParameters& p = state.params;
  p.FileSeqNo = p.StartSeq = p.FirstSeqShown = 5;
  p.LastSeq = p.LastSeqShown = 6;
  p.SeqCount = 1;
  p.NodeCount = p.DataPointCount = 101;
  p.DistrDistance = 2.0f;
  p.Interval = 0.5f;
  p.TillDepth = p.UpLayerDepth = p.SubLayerDepth = 0.25;
  p.SgWeightFront = p.SgWeightBack = 0.5f;
  p.InputFrequency = 1;
  p.DirectionSign = 1;
  state.imported = true;
  return state;
}

using Check = ParameterCheck;

bool stored(const CheckResult& result) { return result && *result == Taken::Stored; }
bool ignored(const CheckResult& result) { return result && *result == Taken::Ignored; }

struct BoxCase {
  const char* box;
  Check check;
  const char* text;
  std::string_view message;  // empty when accepted
  const char* restoredText;
  std::function<double(const TranslocationParameters&)> stored;
  double expected;
};

const std::vector<BoxCase>& boxCases() {
  const auto seq = [](const TranslocationParameters& p) { return double(p.SeqCount); };
  const auto nodes = [](const TranslocationParameters& p) { return double(p.NodeCount); };
  const auto lateral = [](const TranslocationParameters& p) { return double(p.LateralColumns); };
  const auto front = [](const TranslocationParameters& p) { return double(p.SgWeightFront); };
  const auto back = [](const TranslocationParameters& p) { return double(p.SgWeightBack); };
  const auto sc = [](const TranslocationParameters& p) { return double(p.ScScale); };
  const auto till = [](const TranslocationParameters& p) { return p.TillDepth; };
  const auto up = [](const TranslocationParameters& p) { return p.UpLayerDepth; };
  const auto sub = [](const TranslocationParameters& p) { return p.SubLayerDepth; };
  const auto input = [](const TranslocationParameters& p) { return double(p.InputFrequency); };
  static const std::vector<BoxCase> cases = {
      {"TxtSeq", checkSeqCount, "30", "", "", seq, 30},
      {"TxtSeq", checkSeqCount, "50", "", "", seq, 50},
      {"TxtSeq", checkSeqCount, "51", kSeqCountMessage, "50", seq, 50},
      {"TxtSeq", checkSeqCount, "0", kSeqCountMessage, "50", seq, 50},
      {"TxtSeq", checkSeqCount, "-3", kSeqCountMessage, "50", seq, 50},
      {"TxtSeq", checkSeqCount, "many", kSeqCountMessage, "50", seq, 50},
      {"TxtSeq", checkSeqCount, "0.3", kSeqCountMessage, "50", seq, 50},  // would store 0 sequences
      {"TxtSeq", checkSeqCount, "0.5", kSeqCountMessage, "50", seq, 50},
      {"TxtSeq", checkSeqCount, "2.5", "", "", seq, 2},
      {"TxtNodes", checkNodeCount, "2.5", "", "", nodes, 2},
      {"TxtNodes", checkNodeCount, "3.5", "", "", nodes, 4},
      {"TxtNodes", checkNodeCount, "101", "", "", nodes, 101},
      {"TxtNodes", checkNodeCount, "102", kNodeCountMessage, "101", nodes, 101},
      {"TxtNodes", checkNodeCount, "0", kNodeCountMessage, "101", nodes, 101},
      {"TxtNodes", checkNodeCount, "99999", kNodeCountMessage, "101", nodes, 101},
      {"TxtLateralCol", checkLateralColumns, "3", "", "", lateral, 3},
      {"TxtLateralCol", checkLateralColumns, "-1", kLateralMessage, "0", lateral, 0},
      {"TxtLateralCol", checkLateralColumns, "40000", kLateralMessage, "0", lateral, 0},
      {"TxtSGWtF", checkSgWeightFront, "0.6", "", "", front, double(0.6f)},
      {"TxtSGWtF", checkSgWeightFront, "0", "", "", front, 0},
      {"TxtSGWtF", checkSgWeightFront, "-0.1", kPositiveMessage, "0.5", front, 0.5},
      {"TxtSGWtB", checkSgWeightBack, "-2", kPositiveMessage, "0.5", back, 0.5},
      {"TxtSGWtB", checkSgWeightBack, "1E39", kPositiveMessage, "0.5", back,
       0.5},  // no Single holds it
      {"TxtSCScl", checkScScale, "1.5", "", "", sc, 1.5},
      {"TxtSCScl", checkScScale, "0", "", "", sc, 0},
      {"TxtSCScl", checkScScale, "2", kScScaleRangeMessage, "2", sc, 2},
      {"TxtSCScl", checkScScale, "-1", kScScaleRangeMessage, "2", sc, 2},
      {"TxtTillD", checkTillDepth, "0.3", "", "", till, 0.3},
      {"TxtTillD", checkTillDepth, "0", kPositiveMessage, "0.2", till, 0.2},
      {"TxtTillD", checkTillDepth, "1e400", kPositiveMessage, "0.2", till,
       0.2},  // no Double holds it
      {"TxtUpLrD", checkUpLayerDepthParameter, "-1", kPositiveMessage, "0.2", up, 0.2},
      {"TxtSubLrD", checkSubLayerDepthParameter, "0", "", "", sub, 0},
      {"TxtSubLrD", checkSubLayerDepthParameter, "-0.1", kPositiveMessage, "0.2", sub, 0.2},
      {"TxtInputFrq", checkInputFrequency, "1", "", "", input, 1},
      {"TxtInputFrq", checkInputFrequency, "0.9", kInputFrequencyMessage, "1", input, 1},
      {"TxtInputFrq", checkInputFrequency, "2", kInputFrequencyMessage, "1", input,
       1},  // above SeqCount 1
  };
  return cases;
}

TEST(ParameterChecks, EveryBoxAcceptsOrRestores) {
  for (const auto& c : boxCases()) {
    SCOPED_TRACE(std::string(c.box) + " \"" + c.text + "\"");
    KolvState state = importedState();
    const CheckResult result = c.check(state, c.text);
    if (c.message.empty()) {
      EXPECT_TRUE(stored(result));
      EXPECT_EQ(result.message(), "");
    } else {
      EXPECT_FALSE(result.ok());
      EXPECT_EQ(result.message(), c.message);
      EXPECT_EQ(keptValueText(state, c.check), c.restoredText);
    }
    EXPECT_DOUBLE_EQ(c.stored(state.params), c.expected);
  }
}

TEST(ParameterChecks, EmptyBoxesChangeNothing) {
  for (const Check check : {checkSeqCount, checkNodeCount, checkLateralColumns, checkSgWeightFront,
                            checkScScale, checkTillDepth, checkSubLayerDepthParameter,
                            checkInputFrequency, setAlpha, setDecayRate1Percent, setInputAmount}) {
    KolvState state = importedState();
    EXPECT_TRUE(ignored(check(state, "")));
    EXPECT_EQ(state.params.SeqCount, 1);
    EXPECT_EQ(state.params.LastSeq, 6);
  }
}

TEST(ParameterChecks, SequenceCountMovesTheLastSequences) {
  KolvState state = importedState();
  ASSERT_TRUE(checkSeqCount(state, "30").ok());
  EXPECT_EQ(state.params.LastSeq, 35);
  EXPECT_EQ(state.params.LastSeqShown, 35);
  EXPECT_FALSE(
      checkSeqCount(state, "0.3").ok());  // refused and restored: LastSeq never equals StartSeq
  EXPECT_EQ(state.params.LastSeq, 55);
  EXPECT_EQ(state.params.LastSeqShown, 55);
  EXPECT_TRUE(stored(checkInputFrequency(state, "2.9")));
  EXPECT_EQ(state.params.InputFrequency, 2);  // rounded down
}

TEST(ParameterChecks, BothWeightsZeroNeverReachTheRun) {
  KolvState state = importedState();
  EXPECT_TRUE(stored(checkSgWeightFront(state, "0")));
  const CheckResult back = checkSgWeightBack(state, "0");
  ASSERT_FALSE(back.ok());
  EXPECT_EQ(back.message(), kBothWeightsZeroMessage);
  EXPECT_EQ(keptValueText(state, checkSgWeightBack), "0.5");
  EXPECT_EQ(state.params.SgWeightFront, 0.0f);
  EXPECT_EQ(state.params.SgWeightBack, 0.5f);
  EXPECT_TRUE(stored(checkSgWeightBack(state, "2")));
  EXPECT_TRUE(stored(checkSgWeightFront(state, "0")));
}

TEST(ParameterChecks, UncheckedBoxesAndDirection) {
  KolvState state = importedState();
  EXPECT_TRUE(stored(setAlpha(state, "0.35 m")));
  EXPECT_TRUE(stored(setBeta(state, "-.0025")));
  EXPECT_TRUE(stored(setGamma(state, "x")));
  EXPECT_TRUE(stored(setDecayRate1Percent(state, "5")));
  EXPECT_TRUE(stored(setDecayRate2Percent(state, "1 2")));
  EXPECT_TRUE(stored(setInputAmount(state, "-0.4")));
  EXPECT_EQ(state.params.Alpha, 0.35f);
  EXPECT_EQ(state.params.Beta, -0.0025f);
  EXPECT_EQ(state.params.Gamma, 0.0f);
  EXPECT_DOUBLE_EQ(state.params.DecayRate1, 0.05);
  EXPECT_DOUBLE_EQ(state.params.DecayRate2, 0.12);
  EXPECT_DOUBLE_EQ(state.params.InputAmount, -0.4);

  state.params.DirectionSign = -1;  // as a previous alternating run may leave it
  chooseTillDirection(state, 2);
  EXPECT_EQ(state.params.TillDirection, kAlternative);
  EXPECT_EQ(state.params.DirectionSign, 1);
  chooseTillDirection(state, 1);
  EXPECT_EQ(state.params.DirectionSign, -1);
  chooseTillDirection(state, 7);
  EXPECT_EQ(state.params.TillDirection, kBackward);
}

TEST(ParameterChecks, ValuesBeyondTheirFieldKeepTheOldValue) {
  KolvState state = importedState();
  const float alpha = state.params.Alpha;
  const CheckResult single = setAlpha(state, "1E+39");
  EXPECT_FALSE(single.ok());
  EXPECT_EQ(single.message(), kOutOfRangeMessage);
  EXPECT_EQ(keptValueText(state, setAlpha), base::generalTextSingle(alpha));
  EXPECT_EQ(state.params.Alpha, alpha);
  EXPECT_TRUE(stored(setGamma(state, "-3.4e38")));
  EXPECT_TRUE(stored(setDecayRate1Percent(state, "5")));
  const CheckResult decay = setDecayRate1Percent(state, "1e400");
  EXPECT_EQ(keptValueText(state, setDecayRate1Percent), "5");
  EXPECT_DOUBLE_EQ(state.params.DecayRate1, 0.05);
  // An input is added into the Single layer sums.
  EXPECT_FALSE(setInputAmount(state, "1e308").ok());
  EXPECT_DOUBLE_EQ(state.params.InputAmount, 0.0);
}

TEST(ParameterChecks, ScScaleBoxShowsOneDecimalAndKeepsTheHeldValue) {
  EXPECT_EQ(scScaleText(0.7f), "0.7");
  EXPECT_EQ(scScaleText(1.3f), "1.3");
  EXPECT_EQ(scScaleText(0.75f), "0.7");
  EXPECT_EQ(scScaleText(0.0f), "0");
  KolvState state = importedState();
  state.params.ScScale = 0.75f;
  // Leaving the box untouched keeps 0.75; typing another value replaces it.
  EXPECT_TRUE(stored(checkScScale(state, scScaleText(state.params.ScScale))));
  EXPECT_EQ(state.params.ScScale, 0.75f);
  EXPECT_TRUE(stored(checkScScale(state, "0.6")));
  EXPECT_EQ(state.params.ScScale, 0.6f);
}

TEST(MainWindowChecks, SequenceBoxes) {
  KolvState state = importedState();
  ASSERT_TRUE(checkSeqCount(state, "10").ok());  // LastSeq 15
  EXPECT_TRUE(stored(checkFirstSeqShown(state, "7.5")));
  EXPECT_EQ(state.params.FirstSeqShown, 8);
  EXPECT_TRUE(stored(checkFirstSeqShown(state, "99")));  // no upper check here
  EXPECT_EQ(state.params.FirstSeqShown, 99);
  CheckResult low = checkFirstSeqShown(state, "4");
  EXPECT_EQ(low.message(), kFirstSeqTooSmallMessage);
  EXPECT_EQ(keptValueText(state, checkFirstSeqShown), "5");
  EXPECT_EQ(state.params.FirstSeqShown, 5);
  CheckResult huge = checkFirstSeqShown(state, "70000");
  EXPECT_EQ(huge.message(), kFirstSeqTooSmallMessage);  // each box its own message
  EXPECT_EQ(keptValueText(state, checkFirstSeqShown), "5");
  EXPECT_TRUE(ignored(checkFirstSeqShown(state, "")));
  EXPECT_EQ(state.params.FirstSeqShown, 5);

  EXPECT_TRUE(stored(checkLastSeqShown(state, "2")));  // no lower check here
  EXPECT_EQ(state.params.LastSeqShown, 2);
  CheckResult high = checkLastSeqShown(state, "16");
  EXPECT_EQ(high.message(), kLastSeqTooBigMessage);
  EXPECT_EQ(keptValueText(state, checkLastSeqShown), "15");
  EXPECT_EQ(state.params.LastSeqShown, 15);
  CheckResult negative = checkLastSeqShown(state, "-40000");
  EXPECT_EQ(negative.message(), kLastSeqTooBigMessage);
  EXPECT_EQ(keptValueText(state, checkLastSeqShown), "15");
}

TEST(MainWindowChecks, DepthBoxes) {
  KolvState state = importedState();
  EXPECT_TRUE(stored(checkUpLayerDepth(state, "0.1")));
  EXPECT_DOUBLE_EQ(state.params.UpLayerDepth, 0.1);
  EXPECT_TRUE(ignored(checkUpLayerDepth(state, "")));
  EXPECT_DOUBLE_EQ(state.params.UpLayerDepth, 0.1);
  const CheckResult up = checkUpLayerDepth(state, "-1");
  EXPECT_EQ(up.message(), kUpDepthMessage);
  EXPECT_EQ(keptValueText(state, checkUpLayerDepth), "0.2");
  EXPECT_DOUBLE_EQ(state.params.UpLayerDepth, 0.2);
  EXPECT_EQ(checkUpLayerDepth(state, "1e400").message(), kUpDepthMessage);
  const CheckResult sub = checkSubLayerDepth(state, "0");
  EXPECT_EQ(sub.message(), kSubDepthMessage);
  EXPECT_DOUBLE_EQ(state.params.SubLayerDepth, 0.2);
}

TEST(MainWindowChecks, OrderBeforeComparing) {
  KolvState state = importedState();
  state.params.FirstSeqShown = 5;
  state.params.LastSeqShown = 6;
  SequenceOrderCheck ordered = checkSequenceOrder(state);
  EXPECT_TRUE(ordered.proceed);
  EXPECT_FALSE(ordered.message);

  ASSERT_TRUE(checkSeqCount(state, "10").ok());
  state.params.FirstSeqShown = state.params.LastSeqShown = 8;
  SequenceOrderCheck same = checkSequenceOrder(state);
  EXPECT_EQ(same.message.value_or(""), kSequenceOrderMessage);
  EXPECT_TRUE(same.reset);
  EXPECT_TRUE(same.proceed);
  EXPECT_EQ(state.params.FirstSeqShown, 5);
  EXPECT_EQ(state.params.LastSeqShown, 15);

  state.params.LastSeq = state.params.StartSeq;  // nothing left to compare
  state.params.FirstSeqShown = 9;
  state.params.LastSeqShown = 7;
  SequenceOrderCheck refused = checkSequenceOrder(state);
  EXPECT_EQ(refused.message.value_or(""), kSequenceOrderMessage);
  EXPECT_FALSE(refused.proceed);
}

// The box's message may give the wrong reason or none; the refusal gives
// the true one with the range, its limits at their present values.
TEST(CheckRefusals, GiveTheTrueReasonAndTheRange) {
  KolvState state = importedState();
  state.params.SeqCount = 10;
  EXPECT_FALSE(checkInputFrequency(state, "20"));
  EXPECT_EQ(base::optionRefusalText("--input-frequency", "20", kInputFrequencyMessage,
                                    refusalOf(checkInputFrequency, state, "20")),
            "--input-frequency 20: Dooooon't try to fool me, Buddy! Input frequency must be "
            "greater or equal to 1. (more than the simulating sequences; accepted: 1 to the "
            "number of simulating sequences, 10)");
  EXPECT_FALSE(checkSeqCount(state, "ten"));
  EXPECT_EQ(base::boxRefusalDetail("ten", refusalOf(checkSeqCount, state, "ten")),
            "You typed ten: not a number, read as 0. Accepted: a whole number of sequences "
            "from 1 to 50.");
  EXPECT_EQ(refusalOf(checkSeqCount, state, "-5").reason, "");
  EXPECT_EQ(refusalOf(checkNodeCount, state, "500").accepted,
            "1 to the data points of the file, 101");
  EXPECT_EQ(refusalOf(checkScScale, state, "3").accepted,
            "0 m up to, not including, the distribution distance, 2 m");
  state.params.SgWeightBack = 0.0f;
  EXPECT_EQ(refusalOf(checkSgWeightFront, state, "0").reason, "both SG weights would be 0");
  // The refused count above left 50 sequences after sequence 5.
  EXPECT_EQ(refusalOf(checkLastSeqShown, state, "99").accepted,
            "the last simulated sequence, 55, or earlier");
  EXPECT_EQ(refusalOf(checkUpLayerDepthParameter, state, "0").accepted, "a depth above 0 m");
}

}  // namespace
}  // namespace sodwright::kolv
