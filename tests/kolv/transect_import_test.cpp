// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/io/transect_import.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>
#include <unistd.h>

#include "base/text/text_file.h"
#include "kolv/io/last_sequence_writer.h"
#include "kolv/transect_text.h"

namespace sodwright::kolv {
namespace {

using testing::pointRows;
using testing::TransectHeader;
using testing::transectText;

base::Result<> importText(KolvState& state, const std::string& text, char delimiter = '\t') {
  return importTransectLines(state, base::splitLines(text), delimiter);
}

KolvState imported(const TransectHeader& h, int rows, char delimiter = '\t') {
  KolvState state;
  const auto result =
      importText(state, transectText(h, pointRows(rows, delimiter), delimiter), delimiter);
  EXPECT_TRUE(result.ok()) << result.message();
  return state;
}

TEST(TransectImport, HeaderSetsParametersDefaultsAndShownSequences) {
  KolvState state;
  state.params.TillDirection = kBackward;  // whatever was chosen before
  state.params.DirectionSign = -1;
  state.params.SgWeightFront = 0.9f;
  TransectHeader h;
  h.points = " 101 ";
  ASSERT_TRUE(importText(state, transectText(h, pointRows(101))).ok());
  const TranslocationParameters& p = state.params;
  EXPECT_EQ(p.FileSeqNo, 5);
  EXPECT_EQ(p.StartSeq, 5);
  EXPECT_EQ(p.LastSeq, 6);
  EXPECT_EQ(p.SeqCount, 1);
  EXPECT_EQ(p.FirstSeqShown, 5);
  EXPECT_EQ(p.LastSeqShown, 6);  // raised by one after the rows
  EXPECT_EQ(p.NodeCount, 101);
  EXPECT_EQ(p.DataPointCount, 101);
  EXPECT_EQ(p.DistrNodes, 3);  // 1 / 0.3
  EXPECT_FLOAT_EQ(p.Alpha, 0.3f);
  EXPECT_FLOAT_EQ(p.Gamma, 0.02f);
  EXPECT_DOUBLE_EQ(p.TillDepth, 0.2);
  EXPECT_DOUBLE_EQ(p.UpLayerDepth, 0.2);
  EXPECT_DOUBLE_EQ(p.SubLayerDepth, 0.2);
  EXPECT_DOUBLE_EQ(p.BulkDensity3, 1450.0);
  EXPECT_EQ(p.TillDirection, kForward);
  EXPECT_EQ(p.DirectionSign, 1);
  EXPECT_FLOAT_EQ(p.SgWeightFront, 0.5f);
  EXPECT_FLOAT_EQ(p.SgWeightBack, 0.5f);
  EXPECT_EQ(p.InputFrequency, 1);
  EXPECT_EQ(p.ScScale, 0.0f);
  EXPECT_EQ(state.data.SubstanceUnit, "mg");
  // Bounds: -3D-10 .. 3D+N+10 with D = 3, N = 101; sequences 0 .. FileSeqNo + 51.
  EXPECT_EQ(state.data.Elev.nodeLower(), -19);
  EXPECT_EQ(state.data.Elev.nodeUpper(), 120);
  EXPECT_EQ(state.data.PL3.lower(), -19);
  EXPECT_EQ(state.data.MassL12.seqUpper(), 56);
  EXPECT_EQ(state.results.UpMassLast.upper(), 120);
  EXPECT_FALSE(state.results.UpMassLast(0).has_value());
  EXPECT_DOUBLE_EQ(state.data.Elev(100, 5), 98.76543211);
  EXPECT_DOUBLE_EQ(state.data.PL3(2), 1.00246913);
  EXPECT_EQ(state.data.Elev(0, 6), 0.0);
}

TEST(TransectImport, SequenceNumberRoundsHalvesToEven) {
  TransectHeader h;
  h.sequence = " 2.5 ";
  EXPECT_EQ(imported(h, 3).params.FileSeqNo, 2);
  h.sequence = "3.5";
  EXPECT_EQ(imported(h, 3).params.FileSeqNo, 4);
}

TEST(TransectImport, DistrNodesIsTheFloorOfTheSingleQuotient) {
  TransectHeader h;
  h.distrDistance = " 1 ";
  h.interval = " .1 ";
  EXPECT_EQ(imported(h, 3).params.DistrNodes, 9);
  h.distrDistance = " .9 ";
  h.interval = " .3 ";
  EXPECT_EQ(imported(h, 3).params.DistrNodes, 2);
  h.distrDistance = " 1 ";
  EXPECT_EQ(imported(h, 3).params.DistrNodes, 3);
  h.distrDistance = " .5 ";
  h.interval = " 1 ";
  const KolvState zero = imported(h, 3);
  EXPECT_EQ(zero.params.DistrNodes, 0);
  EXPECT_EQ(zero.data.Elev.nodeLower(), -10);
}

TEST(TransectImport, EveryLineEndAndDelimiterReads) {
  TransectHeader h;
  h.points = "3";
  h.distrDistance = "1";
  h.interval = ".3";
  h.alpha = ".3";
  h.beta = ".003";
  h.gamma = ".02";
  h.tillDepth = ".2";
  h.bd1 = h.bd2 = h.bd3 = "1300";
  h.unit = "Bq";
  for (const std::string end : {"\r\n", "\r", "\n"}) {
    for (const char delimiter : {'\t', ',', ';', '|'}) {
      KolvState state;
      const auto result =
          importText(state, transectText(h, pointRows(3, delimiter), delimiter, end), delimiter);
      ASSERT_TRUE(result.ok()) << result.message();
      EXPECT_EQ(state.data.SubstanceUnit, "Bq");
      EXPECT_DOUBLE_EQ(state.data.DepthL2(1, 5), 0.05031);
      EXPECT_DOUBLE_EQ(state.data.Elev(2, 5), 99.97530864);
    }
  }
}

TEST(TransectImport, HeaderLastFieldsTakeTheRestOfTheLineAndExtraRowsAreIgnored) {
  TransectHeader h;
  h.points = " 2 \tignored";
  h.interval = " .5 ";
  // Point values are read strictly (blanks around them only, empty trailing fields).
  std::vector<std::string> rows = {"1\t2\t3\t.1\t.05\t 99.5 \t\t", "4.5\t5\t6\t.2\t.0\t98",
                                   "junk line"};
  KolvState state;
  const auto result = importText(state, transectText(h, rows));
  ASSERT_TRUE(result.ok()) << result.message();
  EXPECT_EQ(state.params.NodeCount, 2);
  EXPECT_FLOAT_EQ(state.params.Interval, 0.5f);
  EXPECT_DOUBLE_EQ(state.data.Elev(0, 5), 99.5);
  EXPECT_DOUBLE_EQ(state.data.PL1(1, 5), 4.5);
  EXPECT_DOUBLE_EQ(state.data.DepthL2(1, 5), 0.0);
}

TEST(TransectImport, QuotedFieldsAreReadAsTheirContent) {
  // As a spreadsheet saves the file as CSV with every field quoted.
  TransectHeader h;
  h.sequence = "\"2\"";
  h.points = "\"2\"";
  h.interval = "\".5\"";
  h.bd3 = "\"1450\"";
  const std::vector<std::string> rows = {"\"1\",\"2\",\"3\",\".1\",\".05\",\"99.5\"",
                                         "\"4\",\"5\",\"6\",\".2\",\".04\",\"98.25\""};
  KolvState state;
  const auto result = importText(state, transectText(h, rows, ','), ',');
  ASSERT_TRUE(result.ok()) << result.message();
  EXPECT_EQ(state.params.FileSeqNo, 2);
  EXPECT_EQ(state.params.NodeCount, 2);
  EXPECT_FLOAT_EQ(state.params.Interval, 0.5f);
  EXPECT_DOUBLE_EQ(state.params.BulkDensity3, 1450.0);
  EXPECT_DOUBLE_EQ(state.data.PL1(1, 2), 4.0);
  EXPECT_DOUBLE_EQ(state.data.DepthL2(0, 2), 0.05);
  EXPECT_DOUBLE_EQ(state.data.Elev(1, 2), 98.25);
}

// A file written by the last-sequence output imports back to the same values.
TEST(TransectRoundTrip, WrittenFileImportsBackAndWritesIdentically) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("kolv_round_trip_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  TransectHeader h;
  h.sequence = "7";
  h.points = " 101 ";
  h.distrDistance = " 2.5 ";
  h.interval = " .5 ";
  h.alpha = " .35 ";
  h.beta = "-.0025";
  h.tillDepth = " .225 ";
  const std::string input = (dir / "input.txt").string();
  ASSERT_TRUE(base::writeWholeFile(input, transectText(h, pointRows(101))).ok());

  KolvState first;
  ASSERT_TRUE(importTransectText(first, input, '\t').ok());
  const std::string written = (dir / "written.txt").string();
  ASSERT_TRUE(writeLastSequenceFile(written, first, first.params.FileSeqNo).ok());

  KolvState second;
  const auto again = importTransectText(second, written, '\t');
  ASSERT_TRUE(again.ok()) << again.message();
  const TranslocationParameters& a = first.params;
  const TranslocationParameters& b = second.params;
  EXPECT_EQ(b.FileSeqNo, 7);
  EXPECT_EQ(b.NodeCount, a.NodeCount);
  EXPECT_EQ(b.DistrDistance, a.DistrDistance);
  EXPECT_EQ(b.Interval, a.Interval);
  EXPECT_EQ(b.DistrNodes, 5);
  EXPECT_EQ(b.Alpha, a.Alpha);
  EXPECT_EQ(b.Beta, a.Beta);
  EXPECT_EQ(b.Gamma, a.Gamma);
  EXPECT_EQ(b.TillDepth, a.TillDepth);
  EXPECT_EQ(b.BulkDensity1, a.BulkDensity1);
  EXPECT_EQ(b.BulkDensity3, a.BulkDensity3);
  EXPECT_EQ(second.data.SubstanceUnit, first.data.SubstanceUnit);
  for (int i = 0; i < 101; ++i) {
    EXPECT_NEAR(second.data.PL1(i, 7), first.data.PL1(i, 7), 5.0000001e-7);
    EXPECT_NEAR(second.data.PL2(i, 7), first.data.PL2(i, 7), 5.0000001e-7);
    EXPECT_NEAR(second.data.PL3(i), first.data.PL3(i), 5.0000001e-7);
    EXPECT_NEAR(second.data.Elev(i, 7), first.data.Elev(i, 7), 5.0000001e-7);
    EXPECT_NEAR(second.data.DepthL1(i, 7), first.data.DepthL1(i, 7), 5.0000001e-5);
    EXPECT_NEAR(second.data.DepthL2(i, 7), first.data.DepthL2(i, 7), 5.0000001e-5);
  }
  std::ostringstream firstWrite, secondWrite;
  writeLastSequence(firstWrite, first, 7);
  writeLastSequence(secondWrite, second, 7);
  EXPECT_EQ(secondWrite.str(), firstWrite.str());
  EXPECT_EQ(base::readWholeFile(written).value(), firstWrite.str());
  std::filesystem::remove_all(dir);
}

// The example shipped with the program imports and writes back unchanged.
TEST(TransectRoundTrip, ExampleHillslopeImportsAndWritesBackItsOwnText) {
  const std::string path = std::string(SODWRIGHT_EXAMPLES_DIR) + "/hillslope-transect.txt";
  KolvState state;
  const auto result = importTransectText(state, path, '\t');
  ASSERT_TRUE(result.ok()) << result.message();
  EXPECT_EQ(state.params.NodeCount, 300);
  EXPECT_EQ(state.params.DistrNodes, 5);
  EXPECT_EQ(state.data.SubstanceUnit, "mg");
  EXPECT_GT(state.data.Elev(0, 0), state.data.Elev(299, 0));
  std::ostringstream written;
  writeLastSequence(written, state, 0);
  EXPECT_EQ(written.str(), base::readWholeFile(path).value());
}

}  // namespace
}  // namespace sodwright::kolv
