// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/ui/kolv_table_model.h"

namespace sodwright::kolv {

KolvTableModel::KolvTableModel(const KolvState& state, Int16 shownSequence, QObject* parent)
    : shared_ui::ViewerTableModel(parent), table_(state, shownSequence) {}

int KolvTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : table_.rowCount();
}

int KolvTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : table_.columnCount();
}

void KolvTableModel::clear() {
  beginResetModel();
  table_.clear();
  endResetModel();
}

QString KolvTableModel::cellText(int row, int column) const {
  return QString::fromStdString(table_.cell(row, column));
}

shared_ui::WindowHub::ViewerModelFactory kolvViewerModelFactory(const KolvState& state) {
  return [&state]() -> shared_ui::ViewerTableModel* {
    return new KolvTableModel(state, kolvViewerSequence(state));
  };
}

}  // namespace sodwright::kolv
