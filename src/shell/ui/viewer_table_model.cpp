#include "shell/ui/viewer_table_model.h"

#include <QBrush>
#include <QGuiApplication>
#include <QPalette>

namespace sodwright::shell {

QVariant ViewerTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  switch (role) {
    case Qt::DisplayRole:
      return cellText(index.row(), index.column());
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    case Qt::BackgroundRole:
      if (index.row() < fixedRows() || index.column() < fixedColumns())
        return QGuiApplication::palette().brush(QPalette::Button);
      return {};
    default:
      return {};
  }
}

Qt::ItemFlags ViewerTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

}  // namespace sodwright::shell
