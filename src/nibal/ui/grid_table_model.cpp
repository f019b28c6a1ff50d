// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/ui/grid_table_model.h"

#include <string>

#include "nibal/grid_import.h"
#include "nibal/grid_table.h"

namespace sodwright::nibal {

GridTableModel::GridTableModel(const GridState& state, QObject* parent)
    : shared_ui::ViewerTableModel(parent) {
  grid_.info = state.info;
  grid_.GridNodeCount = state.GridNodeCount;
  grid_.GridEasting = state.GridEasting;
  grid_.GridNorthing = state.GridNorthing;
  grid_.GridElevation = state.GridElevation;
  grid_.skippedHeading = state.skippedHeading;
}

QString GridTableModel::titleNote() const {
  if (grid_.skippedHeading.empty()) return {};
  return QString::fromStdString(skippedHeadingNote(grid_.skippedHeading));
}

int GridTableModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || cleared_) return 0;
  return gridTableRowCount(grid_);
}

int GridTableModel::columnCount(const QModelIndex& parent) const {
  if (parent.isValid() || cleared_) return 0;
  return kGridTableColumnCount;
}

int GridTableModel::columnWidthTwips(int column) const { return gridTableColumnWidthTwips(column); }

void GridTableModel::clear() {
  beginResetModel();
  cleared_ = true;
  grid_ = GridState();
  endResetModel();
}

QString GridTableModel::cellText(int row, int column) const {
  if (cleared_) return {};
  const std::string text = gridTableCell(grid_, row, column);
  // Eastings and northings are 8-bit text as read from the file.
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

shared_ui::WindowHub::ViewerModelFactory gridViewerModelFactory(const GridState& state) {
  return [&state]() -> shared_ui::ViewerTableModel* { return new GridTableModel(state); };
}

}  // namespace sodwright::nibal
