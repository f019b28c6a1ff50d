// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The data viewer's table as tab-separated text for the clipboard, which
// spreadsheets paste cell for cell: cells split by tabs, rows by line feeds.

#include <QModelIndexList>
#include <QString>

class QAbstractItemModel;

namespace sodwright::shared_ui {

// Every cell of the table.
QString tableAsTsv(const QAbstractItemModel& model);

// The rectangle that holds the selected cells; cells inside it that are not
// selected are left empty. Empty text for an empty selection.
QString selectionAsTsv(const QAbstractItemModel& model, const QModelIndexList& selected);

}  // namespace sodwright::shared_ui
