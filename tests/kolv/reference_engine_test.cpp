// SPDX-License-Identifier: GPL-3.0-or-later
// The engine and the comparison against the reference cases: the values of
// the last sequence and of the comparison, to the decimals the expected
// files print. The cases are imported with the text import, the window
// values of params.json set as the parameter window sets them.

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/number_text.h"
#include "base/text/text_file.h"
#include "fakes/recording_services.h"
#include "kolv/engine/comparison.h"
#include "kolv/engine/translocation.h"
#include "kolv/io/transect_import.h"

namespace sodwright::kolv {
namespace {

const std::string kCases = std::string(SODWRIGHT_TEST_DATA_DIR) + "/reference/";

// The "key": number pairs of the "window" object of params.json.
std::map<std::string, std::string> windowValues(const std::string& json) {
  std::map<std::string, std::string> values;
  const auto start = json.find("\"window\"");
  const auto end = json.find('}', start);
  std::size_t at = json.find('{', start) + 1;
  while (true) {
    const auto keyStart = json.find('"', at);
    if (keyStart == std::string::npos || keyStart > end) break;
    const auto keyEnd = json.find('"', keyStart + 1);
    const auto colon = json.find(':', keyEnd);
    auto valueEnd = json.find_first_of(",}", colon);
    std::string value = json.substr(colon + 1, valueEnd - colon - 1);
    value.erase(0, value.find_first_not_of(" \t\r\n"));
    value.erase(value.find_last_not_of(" \t\r\n") + 1);
    values[json.substr(keyStart + 1, keyEnd - keyStart - 1)] = value;
    at = valueEnd + 1;
  }
  return values;
}

char delimiterOf(const std::string& json) {
  const auto key = json.find("\"delimiter\"");
  const auto open = json.find('"', json.find(':', key));
  const std::string text = json.substr(open + 1, json.find('"', open + 1) - open - 1);
  return text == "\\t" ? '\t' : text[0];
}

void applyWindow(KolvState& state, const std::map<std::string, std::string>& window) {
  TranslocationParameters& p = state.params;
  for (const auto& [key, text] : window) {
    const double v = std::stod(text);
    if (key == "seq_count") {
      p.SeqCount = static_cast<Int16>(v);
      p.LastSeq = static_cast<Int16>(p.StartSeq + p.SeqCount);
      p.LastSeqShown = p.LastSeq;
    } else if (key == "till_direction") {
      p.TillDirection = static_cast<Int16>(v);
      p.DirectionSign = static_cast<Int16>(v == 1 ? -1 : 1);
    } else if (key == "sc_scale") {
      p.ScScale = static_cast<float>(v);
    } else if (key == "sg_weight_front") {
      p.SgWeightFront = static_cast<float>(v);
    } else if (key == "sg_weight_back") {
      p.SgWeightBack = static_cast<float>(v);
    } else if (key == "decay_rate1_percent") {
      p.DecayRate1 = v / 100;
    } else if (key == "decay_rate2_percent") {
      p.DecayRate2 = v / 100;
    } else if (key == "input_frequency") {
      p.InputFrequency = static_cast<Int16>(std::floor(v));
    } else if (key == "input_amount") {
      p.InputAmount = v;
    } else if (key == "till_depth") {
      p.TillDepth = v;
    } else if (key == "up_layer_depth") {
      p.UpLayerDepth = v;
    } else if (key == "sub_layer_depth") {
      p.SubLayerDepth = v;
    } else if (key == "node_count") {
      p.NodeCount = static_cast<Int16>(v);
    } else if (key == "alpha") {
      p.Alpha = static_cast<float>(v);
    } else if (key == "beta") {
      p.Beta = static_cast<float>(v);
    } else if (key == "gamma") {
      p.Gamma = static_cast<float>(v);
    } else {
      ADD_FAILURE() << "unknown window value " << key;
    }
  }
}

int decimalsOf(const std::string& field) {
  const auto point = field.find('.');
  return point == std::string::npos ? 0 : static_cast<int>(field.size() - point - 1);
}

class ReferenceEngine : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    const std::string dir = kCases + GetParam() + "/";
    const auto json = base::readWholeFile(dir + "params.json");
    ASSERT_TRUE(json);
    const char delimiter = delimiterOf(*json);
    ASSERT_TRUE(importTransectText(state, dir + "transect.txt", delimiter).ok());
    applyWindow(state, windowValues(*json));
    ASSERT_TRUE(runTranslocation(state, messages).ok());
    expectedLastSequence = *base::readTextLines(dir + "expected_last_sequence.txt");
    expectedReport = *base::readTextLines(dir + "expected_compare_report.txt");
  }

  void check(const std::string& what, const std::string& expected, const std::string& actual) {
    if (expected != actual && mismatches.size() < 25)
      mismatches.push_back(what + ": " + expected + " vs " + actual);
    if (expected != actual) ++mismatchCount;
  }

  KolvState state;
  platform::RecordingMessageService messages;
  std::vector<std::string> expectedLastSequence, expectedReport;
  std::vector<std::string> mismatches;
  int mismatchCount = 0;
};

TEST_P(ReferenceEngine, LastSequenceMatchesToThePrintedDecimals) {
  const TranslocationParameters& p = state.params;
  const TransectData& t = state.data;
  const int s = p.LastSeq;
  ASSERT_EQ(expectedLastSequence.size(), static_cast<std::size_t>(8 + p.NodeCount));
  for (int i = 0; i < p.NodeCount; ++i) {
    const auto fields =
        base::splitFields(expectedLastSequence[static_cast<std::size_t>(8 + i)], '\t');
    ASSERT_EQ(fields.size(), 6u);
    const std::string at = "node " + std::to_string(i) + " ";
    check(at + "PL1", fields[0], base::formatMask(t.PL1(i, s), "######0.000000"));
    check(at + "PL2", fields[1], base::formatMask(t.PL2(i, s), "#######0.000000"));
    check(at + "PL3", fields[2], base::formatMask(t.PL3(i), "#######0.000000"));
    check(at + "DepthL1", fields[3], base::formatMask(t.DepthL1(i, s), "###0.0000"));
    check(at + "DepthL2", fields[4], base::formatMask(t.DepthL2(i, s), "##0.0000"));
    check(at + "Elev", fields[5], base::formatMask(t.Elev(i, s), "##0.000000"));
  }
  EXPECT_EQ(mismatchCount, 0) << ::testing::PrintToString(mismatches);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_P(ReferenceEngine, ComparisonMatchesToThePrintedDecimals) {
  const TranslocationParameters& p = state.params;
  compareSequences(state, p.StartSeq, p.LastSeq, p.UpLayerDepth, p.SubLayerDepth, messages);
  EXPECT_TRUE(messages.shown.empty());
  const ComparisonResults& r = state.results;
  std::size_t row = 0;
  while (row < expectedReport.size() && expectedReport[row].rfind(" x \t", 0) != 0) ++row;
  row += 2;  // the labels and the units
  ASSERT_EQ(expectedReport.size(), row + static_cast<std::size_t>(p.NodeCount));
  for (int i = 0; i < p.NodeCount; ++i) {
    const auto f = base::splitFields(expectedReport[row + static_cast<std::size_t>(i)], '\t');
    ASSERT_EQ(f.size(), 22u);
    auto same = [&](const char* name, std::size_t column, double value) {
      check("node " + std::to_string(i) + " " + name, f[column],
            base::formatFixed(value, decimalsOf(f[column])));
    };
    same("UpMassFirst", 6, valueOrZero(r.UpMassFirst(i)));
    same("SubMassFirst", 7, valueOrZero(r.SubMassFirst(i)));
    same("UpConcFirst", 8, valueOrZero(r.UpConcFirst(i)));
    same("SubConcFirst", 9, r.SubConcFirst(i));
    same("ElevFirst", 5, state.data.Elev(i, p.StartSeq));
    same("UpMassLast", 15, valueOrZero(r.UpMassLast(i)));
    same("SubMassLast", 16, valueOrZero(r.SubMassLast(i)));
    same("UpConcLast", 17, valueOrZero(r.UpConcLast(i)));
    same("SubConcLast", 18, r.SubConcLast(i));
    same("DeltaElev", 20, r.DeltaElev(i));
    same("SoilLoss", 21, r.SoilLoss(i));
  }
  EXPECT_EQ(mismatchCount, 0) << ::testing::PrintToString(mismatches);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReferenceEngine,
                         ::testing::Values("kolv-a-tab-forward", "kolv-b-comma-backward-seq2-decay",
                                           "kolv-c-semicolon-alternative-input"));

}  // namespace
}  // namespace sodwright::kolv
