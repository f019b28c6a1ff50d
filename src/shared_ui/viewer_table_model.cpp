// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared_ui/viewer_table_model.h"

#include <QBrush>
#include <QGuiApplication>
#include <QPalette>
#include <QStringList>

namespace sodwright::shared_ui {

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

QVariant ViewerTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
  if (role != Qt::DisplayRole) return {};
  QStringList parts;
  if (orientation == Qt::Horizontal) {
    if (section < 0 || section >= columnCount()) return {};
    for (int row = 0; row < fixedRows() && row < rowCount(); ++row) parts << cellText(row, section);
    return parts.join(QLatin1Char('\n'));
  }
  if (section < 0 || section >= rowCount()) return {};
  for (int column = 0; column < fixedColumns() && column < columnCount(); ++column)
    parts << cellText(section, column);
  return parts.join(QLatin1Char(' '));
}

QString ViewerTableModel::cornerText() const {
  QStringList lines;
  for (int row = 0; row < fixedRows() && row < rowCount(); ++row) {
    QStringList cells;
    for (int column = 0; column < fixedColumns() && column < columnCount(); ++column)
      cells << cellText(row, column);
    lines << cells.join(QLatin1Char(' '));
  }
  return lines.join(QLatin1Char('\n'));
}

Qt::ItemFlags ViewerTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

}  // namespace sodwright::shared_ui
