// SPDX-License-Identifier: GPL-3.0-or-later
// The data viewer's KOLV table as cell texts, for a small hand-made transect.
#include "kolv/io/kolv_table.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace sodwright::kolv {
namespace {

// Three nodes 0.5 m apart, sequences 0..2, compared from 0 to 1.
KolvState smallTransect() {
  KolvState state;
  state.imported = true;
  state.simulated = true;
  auto& p = state.params;
  p.NodeCount = 3;
  p.Interval = 0.5f;
  p.StartSeq = 0;
  p.LastSeq = 1;
  p.FirstSeqShown = 0;
  p.LastSeqShown = 1;
  auto& d = state.data;
  for (auto* array : {&d.Elev, &d.PL1, &d.PL2, &d.DepthL1, &d.DepthL2})
    array->allocate(-10, 13, 0, 2);
  auto& r = state.results;
  r.DeltaElev.allocate(-10, 13);
  r.SoilLoss.allocate(-10, 13);
  r.UpConcLast.allocate(-10, 13);
  r.SubConcLast.allocate(-10, 13);
  for (int i = 0; i < 3; ++i) {
    d.Elev(i, 0) = 100.0 - i;
    d.Elev(i, 1) = 100.0 - i - 0.123456;
  }
  d.PL1(0, 1) = -0.00001;
  d.PL2(0, 1) = 0.00001;
  d.DepthL1(1, 1) = 0.123456;
  d.DepthL2(1, 1) = -0.123456;
  r.DeltaElev(2) = -0.25f;
  r.SoilLoss(2) = 1.5f;
  r.UpConcLast(1) = 2.00005;  // UpConcLast(0) stays empty
  r.SubConcLast(1) = 0.1f;
  r.SoilLoss(1) = -0.1f;  // a Single that shows as -0.1 is cut in Single
  return state;
}

std::string cell(const KolvTable& table, int row, int column) { return table.cell(row, column); }

TEST(KolvViewerTable, ThreeNodesGiveNineRowsWithHeadingsAndEmptyTail) {
  const KolvState state = smallTransect();
  KolvTable table(state, kolvViewerSequence(state));
  ASSERT_EQ(table.rowCount(), 9);
  ASSERT_EQ(table.columnCount(), 10);
  EXPECT_EQ(cell(table, 0, 0), "SeqNo:");
  EXPECT_EQ(cell(table, 0, 1), "0");
  EXPECT_EQ(cell(table, 0, 2), "To");
  EXPECT_EQ(cell(table, 0, 3), "1");
  EXPECT_EQ(cell(table, 0, 4), "");
  const std::vector<std::string> headings = {"x",        "P-L1",      "P-L2",      "Depth-L1",
                                             "Depth-L2", "Elevation", "DeltaElev", "SoilLoss",
                                             "C-UpL",    "C-SubL"};
  for (int column = 0; column < 10; ++column) EXPECT_EQ(cell(table, 1, column), headings[column]);
  EXPECT_EQ(cell(table, 2, 0), "0");
  EXPECT_EQ(cell(table, 3, 0), "0.5");
  EXPECT_EQ(cell(table, 4, 0), "1");
  for (int row = 5; row <= 8; ++row)
    for (int column = 0; column < 10; ++column)
      EXPECT_EQ(cell(table, row, column), "") << row << "," << column;
}

TEST(KolvViewerTable, ValuesAreCutToFourDecimalsTowardMinusInfinity) {
  const KolvState state = smallTransect();
  KolvTable table(state, 1);
  EXPECT_EQ(cell(table, 2, KolvTable::PL1), "-0.0001");
  EXPECT_EQ(cell(table, 2, KolvTable::PL2), "0");
  EXPECT_EQ(cell(table, 3, KolvTable::DepthL1), "0.1234");
  EXPECT_EQ(cell(table, 3, KolvTable::DepthL2), "-0.1235");
  EXPECT_EQ(cell(table, 2, KolvTable::Elevation), "99.8765");
  EXPECT_EQ(cell(table, 4, KolvTable::DeltaElev), "-0.25");
  EXPECT_EQ(cell(table, 4, KolvTable::SoilLoss), "1.5");
  EXPECT_EQ(cell(table, 3, KolvTable::SoilLoss), "-0.1");
  EXPECT_EQ(cell(table, 3, KolvTable::CUpL), "2");
  EXPECT_EQ(cell(table, 2, KolvTable::CUpL), "0");  // an empty amount counts as 0
  EXPECT_EQ(cell(table, 3, KolvTable::CSubL), "0.1");
}

TEST(KolvViewerTable, ShowsTheImportedSequenceBeforeARunAndStaysAsFilled) {
  KolvState state = smallTransect();
  state.simulated = false;
  EXPECT_EQ(kolvViewerSequence(state), 0);
  KolvTable table(state, kolvViewerSequence(state));
  EXPECT_EQ(cell(table, 2, KolvTable::Elevation), "100");
  EXPECT_EQ(cell(table, 0, 3), "0");

  // Later changes of the state do not reach a filled table.
  state.params.FirstSeqShown = 1;
  state.data.Elev(0, 0) = 5.0;
  EXPECT_EQ(cell(table, 0, 1), "0");
  EXPECT_EQ(cell(table, 2, KolvTable::Elevation), "100");
}

TEST(KolvViewerTable, NothingImportedGivesAnEmptyTable) {
  const KolvState state;
  KolvTable table(state, kolvViewerSequence(state));
  EXPECT_EQ(table.rowCount(), 0);
  EXPECT_EQ(table.columnCount(), 0);
  // A sequence the arrays do not hold shows empty cells rather than failing.
  const KolvState small = smallTransect();
  KolvTable beyond(small, 7);
  EXPECT_EQ(cell(beyond, 2, KolvTable::Elevation), "");
  EXPECT_EQ(cell(beyond, 3, KolvTable::X), "0.5");
}

TEST(KolvViewerTable, TheLargestTransectOpensWhole) {
  KolvState state;
  state.imported = true;
  state.params.NodeCount = 32761;
  state.params.Interval = 0.25f;
  for (auto* array : {&state.data.Elev, &state.data.PL1, &state.data.PL2, &state.data.DepthL1,
                      &state.data.DepthL2})
    array->allocate(0, 32760, 0, 0);
  state.data.Elev(32760, 0) = 12.5;
  KolvTable table(state, 0);
  EXPECT_EQ(table.rowCount(), 32767);
  EXPECT_EQ(cell(table, 32762, KolvTable::X), "8190");
  EXPECT_EQ(cell(table, 32762, KolvTable::Elevation), "12.5");
  EXPECT_EQ(cell(table, 32766, KolvTable::X), "");
}

}  // namespace
}  // namespace sodwright::kolv
