// The data viewer: the KOLV table for a small hand-made transect, and the
// viewer's life through the hub (filled once, closed, filled afresh).
#include <QTableView>
#include <gtest/gtest.h>

#include "shell/ui/FrmShowData.h"
#include "shell/ui/hub_fixture.h"
#include "shell/ui/kolv_table_model.h"

namespace sodwright::shell {
namespace {

// Three nodes 0.5 m apart, sequences 0..2, compared from 0 to 1.
kolv::KolvState smallTransect() {
  kolv::KolvState state;
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
  for (auto* array : {&d.Elev, &d.PL1, &d.PL2, &d.DepthL1, &d.DepthL2}) array->allocate(-10, 13, 0, 2);
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
  return state;
}

QString cell(const QAbstractItemModel& model, int row, int column) {
  return model.data(model.index(row, column), Qt::DisplayRole).toString();
}

TEST(KolvViewerTable, ThreeNodesGiveNineRowsWithHeadingsAndEmptyTail) {
  const kolv::KolvState state = smallTransect();
  KolvTableModel table(state, kolvViewerSequence(state));
  ASSERT_EQ(table.rowCount(), 9);
  ASSERT_EQ(table.columnCount(), 10);
  EXPECT_EQ(table.fixedRows(), 2);
  EXPECT_EQ(table.fixedColumns(), 1);
  EXPECT_EQ(cell(table, 0, 0), "SeqNo:");
  EXPECT_EQ(cell(table, 0, 1), "0");
  EXPECT_EQ(cell(table, 0, 2), "To");
  EXPECT_EQ(cell(table, 0, 3), "1");
  EXPECT_EQ(cell(table, 0, 4), "");
  const QStringList headings = {"x", "P-L1", "P-L2", "Depth-L1", "Depth-L2",
                                "Elevation", "DeltaElev", "SoilLoss", "C-UpL", "C-SubL"};
  for (int column = 0; column < 10; ++column) EXPECT_EQ(cell(table, 1, column), headings[column]);
  EXPECT_EQ(cell(table, 2, 0), "0");
  EXPECT_EQ(cell(table, 3, 0), "0.5");
  EXPECT_EQ(cell(table, 4, 0), "1");
  for (int row = 5; row <= 8; ++row)
    for (int column = 0; column < 10; ++column) EXPECT_EQ(cell(table, row, column), "") << row << "," << column;
}

TEST(KolvViewerTable, ValuesAreCutToFourDecimalsTowardMinusInfinity) {
  const kolv::KolvState state = smallTransect();
  KolvTableModel table(state, 1);
  EXPECT_EQ(cell(table, 2, KolvTableModel::PL1), "-0.0001");
  EXPECT_EQ(cell(table, 2, KolvTableModel::PL2), "0");
  EXPECT_EQ(cell(table, 3, KolvTableModel::DepthL1), "0.1234");
  EXPECT_EQ(cell(table, 3, KolvTableModel::DepthL2), "-0.1235");
  EXPECT_EQ(cell(table, 2, KolvTableModel::Elevation), "99.8765");
  EXPECT_EQ(cell(table, 4, KolvTableModel::DeltaElev), "-0.25");
  EXPECT_EQ(cell(table, 4, KolvTableModel::SoilLoss), "1.5");
  EXPECT_EQ(cell(table, 3, KolvTableModel::CUpL), "2");
  EXPECT_EQ(cell(table, 2, KolvTableModel::CUpL), "0");  // an empty amount counts as 0
  EXPECT_EQ(cell(table, 3, KolvTableModel::CSubL), "0.1");
  EXPECT_EQ(table.data(table.index(3, 3), Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignCenter);
}

TEST(KolvViewerTable, ShowsTheImportedSequenceBeforeARunAndStaysAsFilled) {
  kolv::KolvState state = smallTransect();
  state.simulated = false;
  EXPECT_EQ(kolvViewerSequence(state), 0);
  KolvTableModel table(state, kolvViewerSequence(state));
  EXPECT_EQ(cell(table, 2, KolvTableModel::Elevation), "100");
  EXPECT_EQ(cell(table, 0, 3), "0");

  // Later changes of the state do not reach a filled table.
  state.params.FirstSeqShown = 1;
  state.data.Elev(0, 0) = 5.0;
  EXPECT_EQ(cell(table, 0, 1), "0");
  EXPECT_EQ(cell(table, 2, KolvTableModel::Elevation), "100");
}

TEST(KolvViewerTable, NothingImportedGivesAnEmptyTable) {
  const kolv::KolvState state;
  KolvTableModel table(state, kolvViewerSequence(state));
  EXPECT_EQ(table.rowCount(), 0);
  EXPECT_EQ(table.columnCount(), 0);
  // A sequence the arrays do not hold shows empty cells rather than failing.
  const kolv::KolvState small = smallTransect();
  KolvTableModel beyond(small, 7);
  EXPECT_EQ(cell(beyond, 2, KolvTableModel::Elevation), "");
  EXPECT_EQ(cell(beyond, 3, KolvTableModel::X), "0.5");
}

TEST(KolvViewerTable, TheLargestTransectOpensWhole) {
  kolv::KolvState state;
  state.imported = true;
  state.params.NodeCount = 32761;
  state.params.Interval = 0.25f;
  for (auto* array : {&state.data.Elev, &state.data.PL1, &state.data.PL2, &state.data.DepthL1, &state.data.DepthL2})
    array->allocate(0, 32760, 0, 0);
  state.data.Elev(32760, 0) = 12.5;
  KolvTableModel table(state, 0);
  EXPECT_EQ(table.rowCount(), 32767);
  EXPECT_EQ(cell(table, 32762, KolvTableModel::X), "8190");
  EXPECT_EQ(cell(table, 32762, KolvTableModel::Elevation), "12.5");
  EXPECT_EQ(cell(table, 32766, KolvTableModel::X), "");
}

class DataViewerTest : public testing::HubFixture {
 protected:
  DataViewerTest() {
    hub->setViewerModelFactory(platform::kKolv, [this] {
      ++tablesMade;
      return new KolvTableModel(state, kolvViewerSequence(state));
    });
    QObject::connect(hub.get(), &WindowHub::dataViewerClosed, [this] { ++closedSignals; });
  }
  kolv::KolvState state = smallTransect();
  int tablesMade = 0;
  int closedSignals = 0;
};

TEST_F(DataViewerTest, FilledOnceForTheActiveModelAndClosedByTheProgram) {
  fake.context.activeModel = platform::kKolv;
  fake.busy.showNote();
  FrmShowData* viewer = hub->showDataViewer();
  ASSERT_NE(viewer, nullptr);
  EXPECT_EQ(viewer->windowTitle(), QStringLiteral("Data"));
  EXPECT_EQ(viewer->MSFlexGridData->objectName(), QStringLiteral("MSFlexGridData"));
  EXPECT_EQ(viewer->MSFlexGridData->model()->rowCount(), 9);
  EXPECT_LT(viewer->MSFlexGridData->columnWidth(0), viewer->MSFlexGridData->columnWidth(1));
  EXPECT_FALSE(fake.busy.noteShown);
  EXPECT_EQ(fake.busy.events.back(), "closeNote");

  // Shown again while open: brought to the front, not refilled.
  state.params.NodeCount = 2;
  EXPECT_EQ(hub->showDataViewer(), viewer);
  EXPECT_EQ(tablesMade, 1);
  EXPECT_EQ(viewer->MSFlexGridData->model()->rowCount(), 9);

  hub->closeDataViewer();
  EXPECT_EQ(closedSignals, 1);
  EXPECT_EQ(viewer->MSFlexGridData->model()->rowCount(), 0);  // cleared before it closed
  EXPECT_EQ(hub->dataViewer(), nullptr);
  hub->closeDataViewer();
  EXPECT_EQ(closedSignals, 1);
  flushDeletes();

  FrmShowData* again = hub->showDataViewer();
  EXPECT_EQ(tablesMade, 2);
  EXPECT_EQ(again->MSFlexGridData->model()->rowCount(), 8);
}

TEST_F(DataViewerTest, ClosedByTheUserItTellsTheHub) {
  fake.context.activeModel = platform::kKolv;
  FrmShowData* viewer = hub->showDataViewer();
  viewer->close();
  EXPECT_EQ(closedSignals, 1);
  EXPECT_EQ(hub->dataViewer(), nullptr);
}

TEST_F(DataViewerTest, NoModelOrNoTableShowsAnEmptyTable) {
  for (std::int16_t model : {platform::kNoModel, platform::kBando}) {
    fake.context.activeModel = model;
    FrmShowData* viewer = hub->showDataViewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->MSFlexGridData->model()->rowCount(), 0);
    hub->closeDataViewer();
    flushDeletes();
  }
  EXPECT_EQ(tablesMade, 0);
}

}  // namespace
}  // namespace sodwright::shell
