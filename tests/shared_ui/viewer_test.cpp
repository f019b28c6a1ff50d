// SPDX-License-Identifier: GPL-3.0-or-later
// The data viewer's life through the hub (filled once, closed, filled afresh)
// and how it shows a table: centred cells, grey headings.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

#include "shared_ui/data_viewer.h"
#include "shared_ui/hub_fixture.h"
#include "shared_ui/viewer_table_model.h"

namespace sodwright::shared_ui {
namespace {

// A table of the KOLV shape: 2 heading rows, 1 heading column, N + 6 rows.
class StandInTable : public ViewerTableModel {
 public:
  explicit StandInTable(int nodes) : nodes_(nodes) {}
  int rowCount(const QModelIndex& = {}) const override { return cleared_ ? 0 : nodes_ + 6; }
  int columnCount(const QModelIndex& = {}) const override { return cleared_ ? 0 : 10; }
  int fixedRows() const override { return 2; }
  int fixedColumns() const override { return 1; }
  int columnWidthTwips(int column) const override { return column == 0 ? 600 : 1000; }
  void clear() override {
    beginResetModel();
    cleared_ = true;
    endResetModel();
  }

 protected:
  QString cellText(int row, int column) const override {
    return QStringLiteral("%1,%2").arg(row).arg(column);
  }

 private:
  int nodes_;
  bool cleared_ = false;
};

TEST(ViewerTableModel, CellsAreCentredAndHeadingsGrey) {
  StandInTable table(3);
  EXPECT_EQ(table.data(table.index(3, 3), Qt::DisplayRole).toString(), "3,3");
  EXPECT_EQ(table.data(table.index(3, 3), Qt::TextAlignmentRole).value<Qt::Alignment>(),
            Qt::AlignCenter);
  EXPECT_TRUE(table.data(table.index(1, 4), Qt::BackgroundRole).isValid());
  EXPECT_TRUE(table.data(table.index(5, 0), Qt::BackgroundRole).isValid());
  EXPECT_FALSE(table.data(table.index(5, 4), Qt::BackgroundRole).isValid());
}

class DataViewerTest : public testing::HubFixture {
 protected:
  DataViewerTest() {
    hub->setViewerModelFactory(platform::kKolv, [this] {
      ++tablesMade;
      return new StandInTable(nodes);
    });
    QObject::connect(hub.get(), &WindowHub::dataViewerClosed, [this] { ++closedSignals; });
  }
  int nodes = 3;
  int tablesMade = 0;
  int closedSignals = 0;
};

TEST_F(DataViewerTest, FilledOnceForTheActiveModelAndClosedByTheProgram) {
  fake.context.activeModel = platform::kKolv;
  fake.busy.showNote();
  DataViewer* viewer = hub->showDataViewer();
  ASSERT_NE(viewer, nullptr);
  EXPECT_EQ(viewer->windowTitle(), QStringLiteral("Data"));
  EXPECT_EQ(viewer->dataTable->objectName(), QStringLiteral("MSFlexGridData"));
  EXPECT_EQ(viewer->dataTable->model()->rowCount(), 9);
  EXPECT_LT(viewer->dataTable->verticalHeader()->width(), viewer->dataTable->columnWidth(1));
  EXPECT_FALSE(fake.busy.noteShown);
  EXPECT_EQ(fake.busy.events.back(), "closeNote");

  // Shown again while open: brought to the front, not refilled.
  nodes = 2;
  EXPECT_EQ(hub->showDataViewer(), viewer);
  EXPECT_EQ(tablesMade, 1);
  EXPECT_EQ(viewer->dataTable->model()->rowCount(), 9);

  hub->closeDataViewer();
  EXPECT_EQ(closedSignals, 1);
  EXPECT_EQ(viewer->dataTable->model()->rowCount(), 0);  // cleared before it closed
  EXPECT_EQ(hub->dataViewer(), nullptr);
  hub->closeDataViewer();
  EXPECT_EQ(closedSignals, 1);
  flushDeletes();

  DataViewer* again = hub->showDataViewer();
  EXPECT_EQ(tablesMade, 2);
  EXPECT_EQ(again->dataTable->model()->rowCount(), 8);
}

TEST_F(DataViewerTest, HeadingsStayInTheHeadersWhileTheCellsScroll) {
  fake.context.activeModel = platform::kKolv;
  nodes = 2000;
  QTableView* view = hub->showDataViewer()->dataTable;
  EXPECT_TRUE(view->isRowHidden(0) && view->isRowHidden(1) && view->isColumnHidden(0));
  EXPECT_FALSE(view->horizontalHeader()->isHidden());
  EXPECT_FALSE(view->verticalHeader()->isHidden());
  view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
  view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->maximum());
  EXPECT_GT(view->rowAt(0), 1000);
  const QAbstractItemModel* table = view->model();
  EXPECT_EQ(table->headerData(4, Qt::Horizontal).toString(), "0,4\n1,4");  // both heading rows
  EXPECT_EQ(table->headerData(1500, Qt::Vertical).toString(), "1500,0");   // the heading column
  auto* corner = view->findChild<QAbstractButton*>();
  ASSERT_NE(corner, nullptr);
  EXPECT_EQ(corner->text(), "0,0\n1,0");
  EXPECT_TRUE(corner->isVisible());
}

TEST_F(DataViewerTest, ClosedByTheUserItTellsTheHub) {
  fake.context.activeModel = platform::kKolv;
  DataViewer* viewer = hub->showDataViewer();
  viewer->close();
  EXPECT_EQ(closedSignals, 1);
  EXPECT_EQ(hub->dataViewer(), nullptr);
}

TEST_F(DataViewerTest, NoModelOrNoTableShowsAnEmptyTable) {
  for (std::int16_t model : {platform::kNoModel, platform::kBando}) {
    fake.context.activeModel = model;
    DataViewer* viewer = hub->showDataViewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->dataTable->model()->rowCount(), 0);
    hub->closeDataViewer();
    flushDeletes();
  }
  EXPECT_EQ(tablesMade, 0);
}

}  // namespace
}  // namespace sodwright::shared_ui
