// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The data viewer's KOLV table: the cell texts of kolv::KolvTable in the
// viewer's table model. Column 0 and rows 0 and 1 are headings.

#include "kolv/io/kolv_table.h"
#include "shared_ui/viewer_table_model.h"
#include "shared_ui/window_hub.h"

namespace sodwright::kolv {

class KolvTableModel : public shared_ui::ViewerTableModel {
  Q_OBJECT

 public:
  using Column = KolvTable::Column;

  // An empty table when nothing has been imported yet.
  KolvTableModel(const KolvState& state, Int16 shownSequence, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  int fixedRows() const override { return KolvTable::kHeadingRows; }
  int fixedColumns() const override { return KolvTable::kHeadingColumns; }
  int columnWidthTwips(int column) const override { return KolvTable::columnWidthTwips(column); }
  void clear() override;

 protected:
  QString cellText(int row, int column) const override;

 private:
  KolvTable table_;
};

// The viewer's table for the KOLV model, made afresh each time it is loaded,
// at the sequence the viewer shows.
shared_ui::WindowHub::ViewerModelFactory kolvViewerModelFactory(const KolvState& state);

}  // namespace sodwright::kolv
