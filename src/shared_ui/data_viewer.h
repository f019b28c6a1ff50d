// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The data viewer "Data": one read-only table, MSFlexGridData, filled once
// when the window is made and not refreshed while it stays open. The table
// model belongs to the window; closing the window destroys both.

#include <QWidget>

class QPushButton;
class QTableView;

namespace sodwright::shared_ui {

class ViewerTableModel;

class DataViewer : public QWidget {
  Q_OBJECT

 public:
  // Takes ownership of the table model.
  explicit DataViewer(ViewerTableModel* table, QWidget* parent = nullptr);

  QTableView* dataTable = nullptr;
  QPushButton* copyAllButton = nullptr;  // "Copy all": the whole table to the clipboard
  ViewerTableModel* table() const { return table_; }

  // Empties the grid (the timer path clears it before closing the window).
  void clearGrid();

  // Ctrl+C: the selected cells to the clipboard as tab-separated text.
  void copySelection();
  void onCopyAllClicked();

 signals:
  // The window is being closed (unloaded), by the user or by the program.
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void showHeadingsInHeaders();
  void applyColumnWidths();
  ViewerTableModel* table_;
};

}  // namespace sodwright::shared_ui
