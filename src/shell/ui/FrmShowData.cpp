#include "shell/ui/FrmShowData.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QTableView>
#include <QVBoxLayout>

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
  applyColumnWidths();

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(MSFlexGridData);
  resize(760, 480);
}

void FrmShowData::applyColumnWidths() {
  const double pixelsPerTwip = logicalDpiX() / 1440.0;
  for (int column = 0; column < table_->columnCount(); ++column) {
    MSFlexGridData->setColumnWidth(
        column, static_cast<int>(table_->columnWidthTwips(column) * pixelsPerTwip + 0.5));
  }
}

void FrmShowData::clearGrid() { table_->clear(); }

void FrmShowData::closeEvent(QCloseEvent* event) {
  emit closed();
  QWidget::closeEvent(event);
}

}  // namespace sodwright::shell
