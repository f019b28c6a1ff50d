// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <sstream>

#include <gtest/gtest.h>

#include "base/text/text_file.h"
#include "kolv/io/compare_report_writer.h"
#include "kolv/io/last_sequence_writer.h"
#include "kolv/io/transect_import.h"
#include "kolv/transect_text.h"

namespace sodwright::kolv {
namespace {

// Three points at sequence 7, interval 0.5, distribution distance 2.
KolvState threePoints() {
  testing::TransectHeader h;
  h.sequence = "7";
  h.points = " 3 ";
  h.distrDistance = " 2 ";
  h.interval = " .5 ";
  h.beta = "-.0025 ";
  KolvState state;
  const std::vector<std::string> rows = {"12.3456785\t-0.0000004\t1.5\t0.20004\t0.05\t100.1234565",
                                         "0.125\t0.0000005\t2\t0.19995\t0\t99.9999995",
                                         "1234567.25\t7\t3.25\t0.2\t-0.00001\t-0.5"};
  EXPECT_TRUE(
      importTransectLines(state, base::splitLines(testing::transectText(h, rows)), '\t').ok());
  return state;
}

std::string lastSequenceText(const KolvState& state, Int16 seq) {
  std::ostringstream out;
  writeLastSequence(out, state, seq);
  return out.str();
}

TEST(LastSequenceWriter, LayoutOfThreePointsAtSequenceSeven) {
  const KolvState state = threePoints();
  const std::string text = lastSequenceText(state, 7);
  const auto lines = base::splitLines(text);
  ASSERT_EQ(lines.size(), 11u);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  EXPECT_EQ(text.find('\n'), text.find('\r') + 1);  // CR LF, not LF alone
  EXPECT_EQ(lines[0], "Sequence=\t7\tDataPoints:\t 3 ");
  EXPECT_EQ(lines[1], "DistributionDistance=\t 2 \tm\tInterval =\t .5 \tm");
  EXPECT_EQ(lines[2], "Lamda=\t .3 \t+\t-.0025 \t*SG+\t .02 \t*SC");
  EXPECT_EQ(lines[3], "Tillage_Depth =\t .2 \tm");
  EXPECT_EQ(lines[4], "BD1 =\t 1300 \tkg / m3\tBD2 =\t 1350 \tkg / m3\tBD3 =\t 1450 \tkg / m3");
  EXPECT_EQ(lines[5], "");
  EXPECT_EQ(lines[6], "P1_7\tP2_7\tP3_7\tL1_7\tL2_7\t Z 7");
  EXPECT_EQ(lines[7], "mg/kg\tmg/kg\tmg/kg\t m \t m \t m ");
  // Masks round the binary value: 12.3456785 is held just below its half,
  // 100.1234565 just above; no minus on a value that rounds to zero.
  EXPECT_EQ(lines[8], "12.345678\t0.000000\t1.500000\t0.2000\t0.0500\t100.123457");
  EXPECT_EQ(lines[9], "0.125000\t0.000000\t2.000000\t0.1999\t0.0000\t100.000000");
  EXPECT_EQ(lines[10], "1234567.250000\t7.000000\t3.250000\t0.2000\t0.0000\t-0.500000");
}

TEST(LastSequenceWriter, LargeSequenceNumbersAndFileErrors) {
  KolvState state = threePoints();
  state.data.Elev(0, 40) = 1.0;
  const auto lines = base::splitLines(lastSequenceText(state, 40));
  EXPECT_EQ(lines[0], "Sequence=\t40\tDataPoints:\t 3 ");
  EXPECT_EQ(lines[6], "P1_40\tP2_40\tP3_40\tL1_40\tL2_40\t Z 40");
  EXPECT_EQ(lines[8], "0.000000\t0.000000\t1.500000\t0.0000\t0.0000\t1.000000");

  EXPECT_FALSE(writeLastSequenceFile("/nonexistent/dir/out.txt", state, 7).ok());
  EXPECT_FALSE(writeLastSequenceFile("/tmp/unused.txt", state, 59).ok());  // beyond FileSeqNo + 51
  EXPECT_FALSE(writeLastSequenceFile("/tmp/unused.txt", KolvState{}, 0).ok());
}

std::vector<std::string> reportLines(const KolvState& state, Int16 first, Int16 last) {
  std::ostringstream out;
  writeCompareReport(out, state, first, last, "12/08/2026");
  const std::string text = out.str();
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  return base::splitLines(text);
}

TEST(CompareReportWriter, HeaderLines) {
  KolvState state = threePoints();
  state.params.DecayRate1 = 0.05;
  state.params.DecayRate2 = 0.07;
  state.params.TillDirection = kAlternative;
  state.params.InputFrequency = 3;
  state.params.InputAmount = 0.4;
  state.params.SubLayerDepth = 0.15;
  const auto lines = reportLines(state, 7, 12);
  ASSERT_EQ(lines.size(), 24u);  // 21 lines, then one per point
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1], "KOLV Results Report");
  EXPECT_EQ(lines[3], "12/08/2026");
  EXPECT_EQ(lines[5], std::string(76, '-'));
  EXPECT_EQ(lines[17], std::string(76, '-'));
  EXPECT_EQ(lines[7], "SequenceNo:   7   To   12");
  EXPECT_EQ(lines[8], "Tillage Direction:   Alternative Direction");
  EXPECT_EQ(lines[9], "Data Points:   3");
  EXPECT_EQ(lines[10], "DistributionDistance=  2  m\tInterval =  .5  m");
  EXPECT_EQ(lines[11], "Lamda=   .3   +  -.0025  * SG  +   .02  * SC");
  EXPECT_EQ(lines[12], "BD_Lr1 =  1300  kg / m3\tBD_Lr2 =  1350  kg / m3\tBD_Lr3 =  1450  kg / m3");
  EXPECT_EQ(lines[13], "Tillage_Depth =  .2  m\tUpLayer_Depth =  .2  m\tSubLayer_Depth =  .15  m");
  EXPECT_EQ(lines[14], "DecayRate_Lr1 =  5  %\tDecayRate_Lr2 =  7  %");
  EXPECT_EQ(lines[15], "Input_Frequency =  3  Sequences every input\tInput_Amount =  .4  kg/m2");
  EXPECT_EQ(lines[19],
            " x "
            "\tP1_7\tP2_7\tL1_7\tL2_7\tElev7\tC_UpLayer7\tC_SubLayer7\tP_UpLayer7\tP_SubLayer7\tP1_"
            "12\tP2_12\t"
            "L1_12\tL2_12\tElev12\tC_UpLayer12\tC_SubLayer12\tP_UpLayer12\tP_"
            "SubLayer12\tP3\tDeltaElev\tSoilLoss");
  EXPECT_EQ(lines[20],
            "  \tmg/kg\tmg/kg\t m \t m \t m \tmg\tmg\tmg/kg\tmg/kg\tmg/kg\tmg/kg\t m \t m \t m "
            "\tmg\tmg\tmg/kg\t"
            "mg/kg\tmg/kg\t m \tkg/m2/Seq");

  state.params.TillDirection = kForward;
  EXPECT_EQ(reportLines(state, 7, 12)[8], "Tillage Direction:   Forward");
  state.params.TillDirection = kBackward;
  EXPECT_EQ(reportLines(state, 7, 12)[8], "Tillage Direction:   Backward");
}

std::vector<std::string> fields(const std::string& line) { return base::splitFields(line, '\t'); }

TEST(CompareReportWriter, PointRowsWithMasksAndEmptyAmounts) {
  KolvState state = threePoints();
  ComparisonResults& r = state.results;
  state.data.Elev(1, 8) = 99.98;
  state.data.PL1(1, 8) = 0.5;
  r.UpMassFirst(1) = 12.34575;  // held as 12.3457500000000003...
  r.SubMassLast(1) = -0.00004;
  r.UpConcLast(1) = 2.5;
  r.SubConcFirst(1) = 0.125f;
  r.DeltaElev(1) = -0.02f;
  r.SoilLoss(1) = 1.3f;
  const auto lines = reportLines(state, 7, 8);
  ASSERT_EQ(lines.size(), 24u);
  const auto row = fields(lines[22]);
  ASSERT_EQ(row.size(), 22u);
  EXPECT_EQ(row[0], "0.50");
  EXPECT_EQ(row[1], "0.1250");
  EXPECT_EQ(row[3], "0.200");  // 0.19995 -> three decimals
  EXPECT_EQ(row[5], "100.0000");
  EXPECT_EQ(row[6], "12.3458");
  EXPECT_EQ(row[7], "0.0000");  // empty optional prints as 0
  EXPECT_EQ(row[9], "0.1250");
  EXPECT_EQ(row[10], "0.5000");
  EXPECT_EQ(row[14], "99.9800");
  EXPECT_EQ(row[16], "0.0000");  // -0.00004: no minus on a zero
  EXPECT_EQ(row[17], "2.5000");
  EXPECT_EQ(row[19], "2.0000");
  EXPECT_EQ(row[20], "-0.0200");
  EXPECT_EQ(row[21], "1.300");
  EXPECT_EQ(fields(lines[21])[0], "0.00");
  EXPECT_EQ(fields(lines[23])[0], "1.00");  // third row: x = 2 * 0.5
  EXPECT_EQ(fields(lines[23])[1], "1234567.2500");
}

// A long transect's report file is made in two halves on two threads and
// the last-sequence file in two steps; both equal the text written to a
// stream in one piece, byte for byte.
TEST(CompareReportWriter, ALongTransectsFilesEqualTheStreamedText) {
  testing::TransectHeader h;
  h.points = " 5001 ";
  std::vector<std::string> rows;
  for (int i = 0; i < 5001; ++i)
    rows.push_back(std::to_string(10 + i % 97 * 0.125) + "\t" + std::to_string(i % 13) +
                   "\t1.5\t0.2\t0.05\t" + std::to_string(100 - 0.001 * i));
  KolvState state;
  ASSERT_TRUE(
      importTransectLines(state, base::splitLines(testing::transectText(h, rows)), '\t').ok());
  state.results.SoilLoss(4999) = 1.25f;
  state.results.UpMassLast(2600) = 0.5;
  std::ostringstream streamed;
  writeCompareReport(streamed, state, 0, 0, "12/08/2026");
  const std::string path = ::testing::TempDir() + "/long-report.txt";
  ASSERT_TRUE(writeCompareReportFile(path, state, 0, 0, "12/08/2026").ok());
  EXPECT_TRUE(base::readWholeFile(path).value() == streamed.str());
  const std::string lastPath = ::testing::TempDir() + "/long-last.txt";
  ASSERT_TRUE(writeLastSequenceFile(lastPath, state, 0).ok());
  EXPECT_TRUE(base::readWholeFile(lastPath).value() == lastSequenceText(state, 0));
  std::remove(path.c_str());
  std::remove(lastPath.c_str());
}

TEST(CompareReportWriter, XIsTheSingleProductOfIndexAndInterval) {
  KolvState state = threePoints();
  state.params.Interval = 0.1f;  // 2 * 0.1f in Double is 0.2000000029..., stored as Single
  state.params.NodeCount = 3;
  const auto lines = reportLines(state, 7, 8);
  EXPECT_EQ(fields(lines[23])[0], "0.20");
  state.params.Interval = 0.005f;  // 1 * 0.005f = 0.004999999888 -> 0.00, not 0.01
  EXPECT_EQ(fields(reportLines(state, 7, 8)[22])[0], "0.00");
}

}  // namespace
}  // namespace sodwright::kolv
