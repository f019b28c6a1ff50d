// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared_ui/data_viewer.h"

#include <algorithm>

#include <QAbstractButton>
#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QTableView>
#include <QVBoxLayout>

#include "shared_ui/table_copy.h"
#include "shared_ui/viewer_table_model.h"

namespace sodwright::shared_ui {

namespace {

// Qt's corner button draws an empty header section; this one draws the
// button's text, the heading cells where the heading rows and columns meet.
class CornerHeadingPainter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (button == nullptr || event->type() != QEvent::Paint) return false;
    QStyleOptionHeader option;
    option.initFrom(button);
    option.rect = button->rect();
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.text = button->text();
    option.textAlignment = Qt::AlignCenter;
    QPainter painter(button);
    button->style()->drawControl(QStyle::CE_Header, &option, &painter, button);
    return true;
  }
};

}  // namespace

DataViewer::DataViewer(ViewerTableModel* table, QWidget* parent)
    : QWidget(parent, Qt::Window), table_(table) {
  setObjectName(QStringLiteral("FrmShowData"));
  const QString note = table_->titleNote();
  setWindowTitle(note.isEmpty() ? QStringLiteral("Data") : QStringLiteral("Data - ") + note);
  setAttribute(Qt::WA_DeleteOnClose);
  table_->setParent(this);

  dataTable = new QTableView(this);
  dataTable->setObjectName(QStringLiteral("MSFlexGridData"));
  dataTable->setAccessibleName(QStringLiteral("Data table"));
  dataTable->setModel(table_);
  dataTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  showHeadingsInHeaders();
  // Uniform rows keep a table of tens of thousands of rows quick to open.
  dataTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  dataTable->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);

  // Ctrl+C copies the selected cells, "Copy all" the whole table, as
  // tab-separated text that spreadsheets paste cell for cell.
  auto* copy = new QAction(QStringLiteral("Copy"), dataTable);
  copy->setShortcut(QKeySequence::Copy);
  copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  dataTable->addAction(copy);
  connect(copy, &QAction::triggered, this, &DataViewer::copySelection);
  copyAllButton = new QPushButton(QStringLiteral("Copy all"), this);
  copyAllButton->setObjectName(QStringLiteral("CmdCopyAll"));
  connect(copyAllButton, &QPushButton::clicked, this, &DataViewer::onCopyAllClicked);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(dataTable);
  layout->addWidget(copyAllButton, 0, Qt::AlignRight);
  applyColumnWidths();
}

// The heading rows and columns of the table are shown in the view's own
// headers, which stay in place while the cells scroll: the heading rows as
// the lines of the column headers, the heading column as the row headers,
// and the cells where both meet on the corner button.
void DataViewer::showHeadingsInHeaders() {
  const int headingRows = table_->fixedRows();
  const int headingColumns = table_->fixedColumns();
  for (int row = 0; row < headingRows; ++row) dataTable->setRowHidden(row, true);
  for (int column = 0; column < headingColumns; ++column) dataTable->setColumnHidden(column, true);
  dataTable->horizontalHeader()->setVisible(headingRows > 0);
  dataTable->verticalHeader()->setVisible(headingColumns > 0);
  dataTable->horizontalHeader()->setHighlightSections(false);
  dataTable->verticalHeader()->setHighlightSections(false);
  dataTable->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
  if (auto* corner = dataTable->findChild<QAbstractButton*>()) {
    corner->setText(table_->cornerText());
    corner->setAccessibleName(corner->text());
    corner->installEventFilter(new CornerHeadingPainter(corner));
  }
}

void DataViewer::applyColumnWidths() {
  // The widths are given in twips; a column is widened where its texts
  // (the first thousand rows are looked at) would not fit. The heading
  // column is the width of the row headers.
  const double pixelsPerTwip = logicalDpiX() / 1440.0;
  int tableWidth = 0;
  for (int column = 0; column < table_->columnCount(); ++column) {
    const int given = static_cast<int>(table_->columnWidthTwips(column) * pixelsPerTwip + 0.5);
    if (column < table_->fixedColumns()) {
      const int width = std::max(given, dataTable->verticalHeader()->sizeHint().width());
      dataTable->verticalHeader()->setFixedWidth(width);
      tableWidth += width;
      continue;
    }
    const int width =
        std::max({given, static_cast<QAbstractItemView*>(dataTable)->sizeHintForColumn(column),
                  dataTable->horizontalHeader()->sectionSizeHint(column)});
    dataTable->setColumnWidth(column, width);
    tableWidth += width;
  }
  const int scrollBar = dataTable->verticalScrollBar()->sizeHint().width();
  resize(std::clamp(tableWidth + scrollBar + 16, 320, 1100), 480);
}

void DataViewer::clearGrid() { table_->clear(); }

void DataViewer::copySelection() {
  const QString text = selectionAsTsv(*table_, dataTable->selectionModel()->selectedIndexes());
  if (!text.isEmpty()) QGuiApplication::clipboard()->setText(text);
}

void DataViewer::onCopyAllClicked() { QGuiApplication::clipboard()->setText(tableAsTsv(*table_)); }

void DataViewer::closeEvent(QCloseEvent* event) {
  emit closed();
  QWidget::closeEvent(event);
}

}  // namespace sodwright::shared_ui
