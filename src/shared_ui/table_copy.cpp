// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared_ui/table_copy.h"

#include <algorithm>

#include <QAbstractItemModel>
#include <QSet>

namespace sodwright::shared_ui {

namespace {

// A tab or line break inside a cell would shift the cells after it.
QString cellText(const QAbstractItemModel& model, int row, int column) {
  QString text = model.index(row, column).data().toString();
  text.replace(QLatin1Char('\t'), QLatin1Char(' '));
  text.replace(QLatin1Char('\n'), QLatin1Char(' '));
  return text;
}

}  // namespace

QString tableAsTsv(const QAbstractItemModel& model) {
  QString text;
  for (int r = 0; r < model.rowCount(); ++r) {
    for (int c = 0; c < model.columnCount(); ++c) {
      if (c > 0) text += QLatin1Char('\t');
      text += cellText(model, r, c);
    }
    text += QLatin1Char('\n');
  }
  return text;
}

QString selectionAsTsv(const QAbstractItemModel& model, const QModelIndexList& selected) {
  if (selected.isEmpty()) return {};
  int top = selected.front().row(), bottom = top, left = selected.front().column(), right = left;
  QSet<QPair<int, int>> chosen;
  for (const QModelIndex& index : selected) {
    top = std::min(top, index.row());
    bottom = std::max(bottom, index.row());
    left = std::min(left, index.column());
    right = std::max(right, index.column());
    chosen.insert({index.row(), index.column()});
  }
  QString text;
  for (int r = top; r <= bottom; ++r) {
    for (int c = left; c <= right; ++c) {
      if (c > left) text += QLatin1Char('\t');
      if (chosen.contains({r, c})) text += cellText(model, r, c);
    }
    text += QLatin1Char('\n');
  }
  return text;
}

}  // namespace sodwright::shared_ui
