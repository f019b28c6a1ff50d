// SPDX-License-Identifier: GPL-3.0-or-later
// The transect workbook layout read from an in-memory worksheet: header
// cells, point rows from row 7 ended by -100, the values kept from the
// current parameters, the derived concentrations, and failures that name
// the cell and leave the held transect as it was.
#include "kolv/io/transect_workbook_import.h"

#include <string>

#include <gtest/gtest.h>

#include "base/text/text_file.h"
#include "kolv/io/transect_import.h"
#include "kolv/transect_text.h"
#include "platform/memory_worksheet.h"

namespace sodwright::kolv {
namespace {

using platform::MemoryWorksheet;
using testing::describeState;

// Header: sequence 5, distribution distance 1, interval 0.3 (3 distribution
// nodes), Alpha .3, Beta .003, Gamma .02; `points` rows of amounts,
// thicknesses and elevations, then -100.
MemoryWorksheet transectSheet(int points) {
  MemoryWorksheet sheet;
  sheet.setText(1, 1, "Sequence=");
  sheet.setNumber(1, 2, 5);
  sheet.setNumber(2, 2, 1);
  sheet.setNumber(2, 5, 0.3);
  sheet.setNumber(3, 2, 0.3);
  sheet.setNumber(3, 4, 0.003);
  sheet.setNumber(3, 6, 0.02);
  sheet.setText(6, 1, "M1");  // rows 5 and 6 are labels, not read
  for (int i = 0; i < points; ++i) {
    sheet.setNumber(7 + i, 1, 1.2 + 0.1 * i);
    sheet.setNumber(7 + i, 2, 0.4);
    sheet.setNumber(7 + i, 3, 0.2);
    sheet.setNumber(7 + i, 4, 0.05);
    sheet.setNumber(7 + i, 5, 100.0 - 0.01 * i);
  }
  sheet.setNumber(7 + points, 5, -100);
  return sheet;
}

// A state after a text import: tillage depth .2, bulk densities 1300, 1350,
// 1450, unit mg, 5 points at sequence 5 with distribution distance 1.
KolvState textImported() {
  KolvState state;
  testing::TransectHeader header;
  header.points = " 5 ";
  const auto result = importTransectLines(
      state, base::splitLines(testing::transectText(header, testing::pointRows(5))), '\t');
  EXPECT_TRUE(result.ok()) << result.message();
  return state;
}

TEST(TransectWorkbookImport, ReadsTheLayoutAndKeepsWhatTheWorkbookDoesNotCarry) {
  KolvState state = textImported();
  state.params.SgWeightFront = 0.7f;  // typed after the text import; reset like a text import does
  state.params.DecayRate1 = 0.04;
  const base::Result<> result = importTransectWorksheet(state, transectSheet(4));
  ASSERT_TRUE(result.ok()) << result.message();
  const TranslocationParameters& p = state.params;
  EXPECT_EQ(p.FileSeqNo, 5);
  EXPECT_EQ(p.NodeCount, 4);
  EXPECT_EQ(p.DataPointCount, 4);
  EXPECT_EQ(p.DistrNodes, 3);
  EXPECT_FLOAT_EQ(p.Interval, 0.3f);
  EXPECT_FLOAT_EQ(p.Gamma, 0.02f);
  EXPECT_EQ(p.StartSeq, 5);
  EXPECT_EQ(p.LastSeq, 6);
  EXPECT_EQ(p.SeqCount, 1);
  EXPECT_EQ(p.FirstSeqShown, 5);
  EXPECT_EQ(p.LastSeqShown, 6);
  EXPECT_EQ(p.TillDepth, 0.2);
  EXPECT_EQ(p.BulkDensity2, 1350.0);
  EXPECT_EQ(p.UpLayerDepth, 0.2);
  EXPECT_FLOAT_EQ(p.SgWeightFront, 0.5f);
  EXPECT_EQ(p.DecayRate1, 0.0);
  EXPECT_EQ(p.DirectionSign, 1);
  EXPECT_EQ(state.data.SubstanceUnit, "mg");
  // The text import's bounds: -3D-10 .. 3D+N+10, sequences 0 .. FileSeqNo+51.
  EXPECT_EQ(state.data.Elev.nodeLower(), -19);
  EXPECT_EQ(state.data.Elev.nodeUpper(), 23);
  EXPECT_EQ(state.data.Elev.seqUpper(), 56);
  EXPECT_EQ(state.results.UpMassLast.upper(), 23);
  const TransectData& d = state.data;
  EXPECT_DOUBLE_EQ(d.Elev(3, 5), 99.97);
  EXPECT_DOUBLE_EQ(d.MassL1(1, 5), 1.3);
  EXPECT_FLOAT_EQ(d.MassL12(1, 5), 1.7f);
  // Concentration = amount / bulk density / interval / thickness, with the Single interval.
  EXPECT_DOUBLE_EQ(d.PL1(1, 5), 1.3 / 1300.0 / static_cast<double>(0.3f) / 0.2);
  EXPECT_DOUBLE_EQ(d.PL2(0, 5), 0.4 / 1350.0 / static_cast<double>(0.3f) / 0.05);
  EXPECT_EQ(d.PL3(2), 0.0);
  EXPECT_TRUE(state.imported);
}

TEST(TransectWorkbookImport, CountsPointsUpToTheEndMarkAndReadsHeaderTexts) {
  KolvState state = textImported();
  MemoryWorksheet sheet = transectSheet(100);  // points in rows 7 to 106, -100 in E107
  sheet.setText(1, 2, " 2.5 ");                // halves to the even neighbour
  sheet.setText(2, 5, "0.3");
  ASSERT_TRUE(importTransectWorksheet(state, sheet).ok());
  EXPECT_EQ(state.params.NodeCount, 100);
  EXPECT_EQ(state.params.FileSeqNo, 2);
  EXPECT_DOUBLE_EQ(state.data.Elev(99, 2), 100.0 - 0.99);
}

TEST(TransectWorkbookImport, AllocatesAfreshWhateverTheEarlierBounds) {
  KolvState state = textImported();
  MemoryWorksheet sheet = transectSheet(3);
  sheet.setNumber(2, 2, 0);  // no distribution nodes: other bounds than the text import's
  ASSERT_TRUE(importTransectWorksheet(state, sheet).ok());
  EXPECT_EQ(state.params.DistrNodes, 0);
  EXPECT_EQ(state.data.PL1.nodeLower(), -10);
  EXPECT_EQ(state.data.PL1.nodeUpper(), 13);
  ASSERT_TRUE(importTransectWorksheet(state, transectSheet(7)).ok());
  EXPECT_EQ(state.data.PL1.nodeUpper(), 26);
}

TEST(TransectWorkbookImport, RefusesBeforeAnyTextImportNamingWhatIsMissing) {
  KolvState state;
  const std::string before = describeState(state);
  const base::Result<> result = importTransectWorksheet(state, transectSheet(4));
  ASSERT_FALSE(result.ok());
  EXPECT_NE(result.message().find(
                "tillage depth, layer-1 bulk density, layer-2 bulk density and layer-3 bulk "
                "density are 0"),
            std::string::npos)
      << result.message();
  EXPECT_EQ(describeState(state), before);
  EXPECT_FALSE(state.imported);
}

struct BrokenSheet {
  const char* name;
  void (*spoil)(MemoryWorksheet&);
  const char* message;
};

class TransectWorkbookFailure : public ::testing::TestWithParam<BrokenSheet> {};

TEST_P(TransectWorkbookFailure, NamesTheCellAndLeavesTheHeldTransect) {
  KolvState state = textImported();
  const std::string before = describeState(state);
  MemoryWorksheet sheet = transectSheet(4);
  GetParam().spoil(sheet);
  const base::Result<> result = importTransectWorksheet(state, sheet);
  ASSERT_FALSE(result.ok());
  EXPECT_EQ(result.message().rfind(std::string(base::kImportFailed) + "\n", 0), 0u)
      << result.message();
  EXPECT_NE(result.message().find(GetParam().message), std::string::npos) << result.message();
  EXPECT_EQ(describeState(state), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, TransectWorkbookFailure,
    ::testing::Values(
        BrokenSheet{"NoEndMark", [](MemoryWorksheet& s) { s.set(11, 5, {}); },
                    "Column E: no cell from row 8 to row 32755 holds -100 to end the transect"},
        BrokenSheet{"EndMarkInFirstRow", [](MemoryWorksheet& s) { s.setNumber(7, 5, -100); },
                    "Cell E7: -100 in the first point row"},
        BrokenSheet{"TextThickness", [](MemoryWorksheet& s) { s.setText(9, 3, "thin"); },
                    "Cell C9: the layer-1 thickness \"thin\" is not a number."},
        BrokenSheet{"EmptyElevation", [](MemoryWorksheet& s) { s.set(9, 5, {}); },
                    "Cell E9: the elevation is empty."},
        BrokenSheet{"AmountWithoutThickness", [](MemoryWorksheet& s) { s.setNumber(8, 4, 0); },
                    "Cell B8: an amount of 0.4 in layer 2, whose thickness (D8) is 0."},
        BrokenSheet{"ZeroInterval", [](MemoryWorksheet& s) { s.set(2, 5, {}); },
                    "Cell E2: the interval must be greater than 0."},
        BrokenSheet{"NegativeSequence", [](MemoryWorksheet& s) { s.setNumber(1, 2, -1); },
                    "Cell B1: the sequence number -1 must lie between 0 and 32716"},
        BrokenSheet{"SequenceTooLarge", [](MemoryWorksheet& s) { s.setNumber(1, 2, 40000); },
                    "Cell B1: the sequence number 40000"},
        BrokenSheet{"TextAlpha", [](MemoryWorksheet& s) { s.setText(3, 2, "Lamda"); },
                    "Cell B3: the Alpha value \"Lamda\" is not a number."},
        BrokenSheet{
            "TooManyDistributionNodes", [](MemoryWorksheet& s) { s.setNumber(2, 2, 4000); },
            "Cell B2: the distribution distance over the interval gives 13333 distribution nodes"}),
    [](const ::testing::TestParamInfo<BrokenSheet>& param) {
      return std::string(param.param.name);
    });

}  // namespace
}  // namespace sodwright::kolv
