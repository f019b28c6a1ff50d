// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The table a model hands to the data viewer: a read-only Qt table model
// that also says how many of its leading rows and columns are headings
// (drawn grey, like fixed cells) and how wide each column is in twips.
// Cell texts are ready-made strings for Qt::DisplayRole.

#include <QAbstractTableModel>

namespace sodwright::shared_ui {

class ViewerTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  virtual int fixedRows() const = 0;
  virtual int fixedColumns() const = 0;
  virtual int columnWidthTwips(int column) const = 0;

  // Drops every cell: the viewer clears its grid before it closes.
  virtual void clear() = 0;

  // What the viewer's title adds after "Data" about how the table was read
  // (a skipped heading line); empty for nothing to say.
  virtual QString titleNote() const { return {}; }

  // Display text, centred alignment and the grey of heading cells; a
  // subclass provides the text through cellText().
  QVariant data(const QModelIndex& index, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // The headings as the view's headers show them, so that they stay in
  // place while the table scrolls: a column's heading cells one per line, a
  // row's heading cells side by side, and the cells where the heading rows
  // and columns meet.
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  QString cornerText() const;

 protected:
  virtual QString cellText(int row, int column) const = 0;
};

// A table without rows, shown when the active model has nothing to show.
class EmptyViewerTableModel : public ViewerTableModel {
  Q_OBJECT

 public:
  using ViewerTableModel::ViewerTableModel;
  int rowCount(const QModelIndex& = {}) const override { return 0; }
  int columnCount(const QModelIndex& = {}) const override { return 0; }
  int fixedRows() const override { return 0; }
  int fixedColumns() const override { return 0; }
  int columnWidthTwips(int) const override { return 1000; }
  void clear() override {}

 protected:
  QString cellText(int, int) const override { return {}; }
};

}  // namespace sodwright::shared_ui
