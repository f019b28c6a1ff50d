#include "shell/ui/FrmShowData.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QPushButton>
#include <QHeaderView>
#include <QScrollBar>
#include <algorithm>
#include <QTableView>
#include <QVBoxLayout>

#include "shell/ui/table_copy.h"
#include "shell/ui/viewer_table_model.h"

namespace sodwright::shell {

FrmShowData::FrmShowData(ViewerTableModel* table, QWidget* parent)
    : QWidget(parent, Qt::Window), table_(table) {
  setObjectName(QStringLiteral("FrmShowData"));
  setWindowTitle(QStringLiteral("Data"));
  setAttribute(Qt::WA_DeleteOnClose);
  table_->setParent(this);

  MSFlexGridData = new QTableView(this);
  MSFlexGridData->setObjectName(QStringLiteral("MSFlexGridData"));
  MSFlexGridData->setAccessibleName(QStringLiteral("Data table"));
  MSFlexGridData->setModel(table_);
  MSFlexGridData->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // The heading rows and columns are part of the table itself, as cells.
  MSFlexGridData->horizontalHeader()->hide();
  MSFlexGridData->verticalHeader()->hide();
  // Uniform rows keep a table of tens of thousands of rows quick to open.
  MSFlexGridData->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  MSFlexGridData->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);

  // Ctrl+C copies the selected cells, "Copy all" the whole table, as
  // tab-separated text that spreadsheets paste cell for cell.
  auto* copy = new QAction(QStringLiteral("Copy"), MSFlexGridData);
  copy->setShortcut(QKeySequence::Copy);
  copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  MSFlexGridData->addAction(copy);
  connect(copy, &QAction::triggered, this, &FrmShowData::copySelection);
  CmdCopyAll = new QPushButton(QStringLiteral("Copy all"), this);
  CmdCopyAll->setObjectName(QStringLiteral("CmdCopyAll"));
  connect(CmdCopyAll, &QPushButton::clicked, this, &FrmShowData::CmdCopyAll_Click);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(MSFlexGridData);
  layout->addWidget(CmdCopyAll, 0, Qt::AlignRight);
  applyColumnWidths();
}

void FrmShowData::applyColumnWidths() {
  // The widths are given in twips; a column is widened where its texts
  // (the first thousand rows are looked at) would not fit.
  const double pixelsPerTwip = logicalDpiX() / 1440.0;
  int tableWidth = 0;
  for (int column = 0; column < table_->columnCount(); ++column) {
    const int given = static_cast<int>(table_->columnWidthTwips(column) * pixelsPerTwip + 0.5);
    const int width = std::max(given, static_cast<QAbstractItemView*>(MSFlexGridData)->sizeHintForColumn(column));
    MSFlexGridData->setColumnWidth(column, width);
    tableWidth += width;
  }
  const int scrollBar = MSFlexGridData->verticalScrollBar()->sizeHint().width();
  resize(std::clamp(tableWidth + scrollBar + 16, 320, 1100), 480);
}

void FrmShowData::clearGrid() { table_->clear(); }

void FrmShowData::copySelection() {
  const QString text = selectionAsTsv(*table_, MSFlexGridData->selectionModel()->selectedIndexes());
  if (!text.isEmpty()) QGuiApplication::clipboard()->setText(text);
}

void FrmShowData::CmdCopyAll_Click() { QGuiApplication::clipboard()->setText(tableAsTsv(*table_)); }

void FrmShowData::closeEvent(QCloseEvent* event) {
  emit closed();
  QWidget::closeEvent(event);
}

}  // namespace sodwright::shell
