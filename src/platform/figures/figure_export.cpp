// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/figures/figure_export.h"

#include <cmath>

#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "platform/figures/figure_painter.h"

namespace sodwright::platform {

namespace {

base::Failure cannotWrite(const QString& path, const QString& reason) {
  return base::fail((path + QStringLiteral(": ") + reason).toStdString());
}

// Opens (and empties) the file the way the writers will, so that a folder
// that is missing or closed is reported with the system's own reason.
base::Result<> writable(const QString& path) {
  QFile probe(path);
  if (!probe.open(QIODevice::WriteOnly)) return cannotWrite(path, probe.errorString());
  return {};
}

}  // namespace

std::optional<FigureFormat> figureFormatOf(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QStringLiteral("png")) return FigureFormat::Png;
  if (suffix == QStringLiteral("svg")) return FigureFormat::Svg;
  if (suffix == QStringLiteral("pdf")) return FigureFormat::Pdf;
  return std::nullopt;
}

QImage figureImage(const Figure& figure, const FigureExportOptions& options) {
  const int dpi = options.dpi > 0 ? options.dpi : 96;
  QSize size = options.pixels;
  if (size.isEmpty())
    size = QSize(static_cast<int>(std::lround(figure.width * dpi / 96.0)),
                 static_cast<int>(std::lround(figure.height * dpi / 96.0)));
  QImage image(size, QImage::Format_ARGB32);
  image.fill(Qt::white);
  const int dotsPerMetre = static_cast<int>(std::lround(dpi / 0.0254));
  image.setDotsPerMeterX(dotsPerMetre);
  image.setDotsPerMeterY(dotsPerMetre);
  QPainter painter(&image);
  paintFigure(painter, figure, QRectF(0, 0, size.width(), size.height()));
  return image;
}

base::Result<> savePng(const Figure& figure, const QString& path,
                       const FigureExportOptions& options) {
  if (auto opened = writable(path); !opened) return opened;
  QImageWriter writer(path, "PNG");
  if (!writer.write(figureImage(figure, options))) return cannotWrite(path, writer.errorString());
  return {};
}

base::Result<> saveSvg(const Figure& figure, const QString& path) {
  if (auto opened = writable(path); !opened) return opened;
  QSvgGenerator generator;
  generator.setFileName(path);
  generator.setTitle(QString::fromStdString(figure.title));
  generator.setSize(QSize(static_cast<int>(figure.width), static_cast<int>(figure.height)));
  generator.setViewBox(QRectF(0, 0, figure.width, figure.height));
  generator.setResolution(96);
  QPainter painter;
  if (!painter.begin(&generator)) return cannotWrite(path, QStringLiteral("the SVG writer failed"));
  paintFigure(painter, figure, QRectF(0, 0, figure.width, figure.height));
  if (!painter.end() || QFileInfo(path).size() == 0)
    return cannotWrite(path, QStringLiteral("the SVG writer failed"));
  return {};
}

base::Result<> savePdf(const Figure& figure, const QString& path,
                       const FigureExportOptions& options) {
  if (auto opened = writable(path); !opened) return opened;
  QPdfWriter writer(path);
  writer.setTitle(QString::fromStdString(figure.title));
  writer.setCreator(QStringLiteral("Sodwright"));
  const int dpi = options.dpi > 96 ? options.dpi : 300;
  writer.setResolution(dpi);
  // A page of the figure's own shape, one figure unit a ninety-sixth of an inch.
  writer.setPageSize(
      QPageSize(QSizeF(figure.width * 72.0 / 96.0, figure.height * 72.0 / 96.0), QPageSize::Point));
  writer.setPageMargins(QMarginsF(0, 0, 0, 0));
  QPainter painter;
  if (!painter.begin(&writer)) return cannotWrite(path, QStringLiteral("the PDF writer failed"));
  const QRect page = painter.viewport();
  paintFigure(painter, figure, QRectF(page));
  if (!painter.end()) return cannotWrite(path, QStringLiteral("the PDF writer failed"));
  return {};
}

base::Result<> saveFigure(const Figure& figure, const QString& path,
                          const FigureExportOptions& options) {
  const auto format = figureFormatOf(path);
  if (!format)
    return cannotWrite(path, QStringLiteral("a figure file must end in .png, .svg or .pdf"));
  switch (*format) {
    case FigureFormat::Png:
      return savePng(figure, path, options);
    case FigureFormat::Svg:
      return saveSvg(figure, path);
    case FigureFormat::Pdf:
      return savePdf(figure, path, options);
  }
  return cannotWrite(path, QStringLiteral("a figure file must end in .png, .svg or .pdf"));
}

void copyFigure(const Figure& figure) {
  QGuiApplication::clipboard()->setImage(figureImage(figure, {QSize(), 192}));
}

}  // namespace sodwright::platform
