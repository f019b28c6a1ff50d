// SPDX-License-Identifier: GPL-3.0-or-later
// The data viewer's table to the clipboard as tab-separated text: Ctrl+C on
// a selection (its rectangle, unselected cells empty) and "Copy all".
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTableView>

#include "shared_ui/data_viewer.h"
#include "shared_ui/viewer_table_model.h"

namespace sodwright::shared_ui {
namespace {

// A 3 x 3 table whose cells read "r,c", one with a tab inside.
class SmallTable : public ViewerTableModel {
 public:
  int rowCount(const QModelIndex& = {}) const override { return 3; }
  int columnCount(const QModelIndex& = {}) const override { return 3; }
  int fixedRows() const override { return 0; }
  int fixedColumns() const override { return 0; }
  int columnWidthTwips(int) const override { return 1000; }
  void clear() override {}

 protected:
  QString cellText(int row, int column) const override {
    if (row == 2 && column == 2) return QStringLiteral("a\tb");
    return QStringLiteral("%1,%2").arg(row).arg(column);
  }
};

TEST(ViewerCopy, SelectionAndWholeTableGoToTheClipboardAsTsv) {
  DataViewer viewer(new SmallTable);
  viewer.show();
  viewer.copyAllButton->click();
  EXPECT_EQ(QGuiApplication::clipboard()->text(),
            QStringLiteral("0,0\t0,1\t0,2\n1,0\t1,1\t1,2\n2,0\t2,1\ta b\n"));

  QItemSelectionModel* selection = viewer.dataTable->selectionModel();
  selection->select(viewer.table()->index(1, 1), QItemSelectionModel::Select);
  selection->select(viewer.table()->index(2, 2), QItemSelectionModel::Select);
  QAction* copy = nullptr;
  for (QAction* action : viewer.dataTable->actions())
    if (action->shortcut() == QKeySequence(QKeySequence::Copy)) copy = action;
  ASSERT_NE(copy, nullptr);
  copy->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("1,1\t\n\ta b\n"));
}

}  // namespace
}  // namespace sodwright::shared_ui
