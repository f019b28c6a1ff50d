#include "platform/figures/figure_export.h"

#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cmath>

#include "platform/figures/figure_painter.h"

namespace sodwright::platform {

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

bool savePng(const Figure& figure, const QString& path, const FigureExportOptions& options) {
  return figureImage(figure, options).save(path, "PNG");
}

bool saveSvg(const Figure& figure, const QString& path) {
  QSvgGenerator generator;
  generator.setFileName(path);
  generator.setTitle(QString::fromStdString(figure.title));
  generator.setSize(QSize(static_cast<int>(figure.width), static_cast<int>(figure.height)));
  generator.setViewBox(QRectF(0, 0, figure.width, figure.height));
  generator.setResolution(96);
  QPainter painter;
  if (!painter.begin(&generator)) return false;
  paintFigure(painter, figure, QRectF(0, 0, figure.width, figure.height));
  return painter.end() && QFileInfo(path).size() > 0;
}

bool savePdf(const Figure& figure, const QString& path, const FigureExportOptions& options) {
  {
    QFile probe(path);
    if (!probe.open(QIODevice::WriteOnly)) return false;
  }
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
  if (!painter.begin(&writer)) return false;
  const QRect page = painter.viewport();
  paintFigure(painter, figure, QRectF(page));
  return painter.end();
}

bool saveFigure(const Figure& figure, const QString& path, const FigureExportOptions& options) {
  const auto format = figureFormatOf(path);
  if (!format) return false;
  switch (*format) {
    case FigureFormat::Png:
      return savePng(figure, path, options);
    case FigureFormat::Svg:
      return saveSvg(figure, path);
    case FigureFormat::Pdf:
      return savePdf(figure, path, options);
  }
  return false;
}

void copyFigure(const Figure& figure) {
  QGuiApplication::clipboard()->setImage(figureImage(figure, {QSize(), 192}));
}

}  // namespace sodwright::platform
