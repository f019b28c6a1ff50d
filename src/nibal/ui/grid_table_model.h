// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The grid table of the data viewer: a heading row ("Row", "Col", "Easting",
// "Northing", "Elevation") and one row per node, rows outer and columns
// inner. The table is filled when the viewer is loaded: it keeps its own copy
// of the grid, so a later import does not change an open viewer.

#include <QString>

#include "nibal/grid_state.h"
#include "shared_ui/viewer_table_model.h"
#include "shared_ui/window_hub.h"

namespace sodwright::nibal {

class GridTableModel : public shared_ui::ViewerTableModel {
  Q_OBJECT

 public:
  explicit GridTableModel(const GridState& state, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  int fixedRows() const override { return 1; }
  int fixedColumns() const override { return 0; }
  int columnWidthTwips(int column) const override;
  void clear() override;
  QString titleNote() const override;

 protected:
  QString cellText(int row, int column) const override;

 private:
  GridState grid_;  // the definition and the three node grids; no results
  bool cleared_ = false;
};

// The viewer's table for ActiveModel 2, made afresh each time it is loaded.
shared_ui::WindowHub::ViewerModelFactory gridViewerModelFactory(const GridState& state);

}  // namespace sodwright::nibal
