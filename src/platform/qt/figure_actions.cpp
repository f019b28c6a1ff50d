// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/figure_actions.h"

#include <cmath>

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSpinBox>

#include "platform/figures/figure_export.h"
#include "platform/figures/figure_painter.h"

namespace sodwright::platform {
namespace {

QSpinBox* spin(QWidget* parent, const QString& name, int low, int high, int value) {
  auto* box = new QSpinBox(parent);
  box->setObjectName(name);
  box->setRange(low, high);
  box->setValue(value);
  return box;
}

// The PNG's size in pixels and its resolution; the height follows the
// figure's shape.
bool askPngOptions(QWidget* parent, const Figure& figure, FigureExportOptions& options) {
  QDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("FigureSizeDialog"));
  dialog.setWindowTitle(QStringLiteral("PNG size"));
  auto* form = new QFormLayout(&dialog);
  QSpinBox* width =
      spin(&dialog, QStringLiteral("SpnWidth"), 100, 20000, static_cast<int>(figure.width * 2));
  QSpinBox* dpi = spin(&dialog, QStringLiteral("SpnDpi"), 72, 1200, 192);
  auto* height = new QLabel(&dialog);
  auto showHeight = [&] {
    height->setText(QString::number(std::lround(width->value() * figure.height / figure.width)) +
                    QStringLiteral(" pixels"));
  };
  QObject::connect(width, &QSpinBox::valueChanged, &dialog, showHeight);
  showHeight();
  auto* widthLabel = new QLabel(QStringLiteral("&Width (pixels)"), &dialog);
  widthLabel->setBuddy(width);
  auto* dpiLabel = new QLabel(QStringLiteral("&Resolution (dots per inch)"), &dialog);
  dpiLabel->setBuddy(dpi);
  form->addRow(widthLabel, width);
  form->addRow(QStringLiteral("Height"), height);
  form->addRow(dpiLabel, dpi);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  form->addRow(buttons);
  if (dialog.exec() != QDialog::Accepted) return false;
  options.pixels = QSize(
      width->value(), static_cast<int>(std::lround(width->value() * figure.height / figure.width)));
  options.dpi = dpi->value();
  return true;
}

}  // namespace

QString saveFigureAs(QWidget* parent, const Figure& figure, const QString& suggestedName) {
  QString path = QFileDialog::getSaveFileName(
      parent, QStringLiteral("Save figure"), suggestedName,
      QStringLiteral("PNG image (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)"));
  if (path.isEmpty()) return {};
  if (!figureFormatOf(path)) path += QStringLiteral(".png");
  FigureExportOptions options;
  if (figureFormatOf(path) == FigureFormat::Png && !askPngOptions(parent, figure, options))
    return {};
  if (auto saved = saveFigure(figure, path, options); !saved) {
    QMessageBox::warning(parent, QStringLiteral("Sodwright"),
                         QStringLiteral("The figure could not be saved to ") +
                             QString::fromStdString(saved.message()));
    return {};
  }
  return path;
}

void printFigureOn(QPrinter& printer, const Figure& figure) {
  QPainter painter;
  if (!painter.begin(&printer)) return;
  const QRectF page = painter.viewport();
  const double scale = std::min(page.width() / figure.width, page.height() / figure.height);
  paintFigure(painter, figure,
              QRectF(page.topLeft(), QSizeF(figure.width * scale, figure.height * scale)));
  painter.end();
}

void printFigure(QWidget* parent, const Figure& figure) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(QString::fromStdString(figure.title));
  if (figure.width > figure.height) printer.setPageOrientation(QPageLayout::Landscape);
  QPrintDialog dialog(&printer, parent);
  if (dialog.exec() != QDialog::Accepted) return;
  printFigureOn(printer, figure);
}

void addFigureMenu(QWidget* widget, std::function<Figure()> make, const QString& suggestedName) {
  widget->setContextMenuPolicy(Qt::ActionsContextMenu);
  auto* save = new QAction(QStringLiteral("Save figure..."), widget);
  auto* copy = new QAction(QStringLiteral("Copy figure"), widget);
  auto* print = new QAction(QStringLiteral("Print figure..."), widget);
  QObject::connect(save, &QAction::triggered, widget,
                   [=] { saveFigureAs(widget, make(), suggestedName); });
  QObject::connect(copy, &QAction::triggered, widget, [=] { copyFigure(make()); });
  QObject::connect(print, &QAction::triggered, widget, [=] { printFigure(widget, make()); });
  widget->addActions({save, copy, print});
}

}  // namespace sodwright::platform
