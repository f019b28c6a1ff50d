// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/figures/figure_export.h"

#include <cmath>
#include <cstddef>
#include <string_view>

#include <QBuffer>
#include <QByteArray>
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

#include "base/text/text_file.h"
#include "platform/figures/figure_painter.h"

namespace sodwright::platform {

namespace {

base::Failure cannotWrite(const QString& path, const QString& reason) {
  return base::fail((path + QStringLiteral(": ") + reason).toStdString());
}

// Each writer draws into memory and the bytes reach the file in one go, only
// after the writer has made all of them: a full disk or a size limit is then
// reported and never leaves part of a figure.
base::Result<> writeFigureFile(const QString& path, const QByteArray& bytes) {
  const auto written = base::writeWholeFile(
      QFile::encodeName(path).toStdString(),
      std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  if (!written) return cannotWrite(path, QString::fromStdString(written.message()));
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
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "PNG");
  if (!writer.write(figureImage(figure, options))) return cannotWrite(path, writer.errorString());
  return writeFigureFile(path, bytes);
}

base::Result<> saveSvg(const Figure& figure, const QString& path) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  QSvgGenerator generator;
  // Left closed: the generator opens it as it opens a file of its own.
  generator.setOutputDevice(&buffer);
  generator.setTitle(QString::fromStdString(figure.title));
  generator.setSize(QSize(static_cast<int>(figure.width), static_cast<int>(figure.height)));
  generator.setViewBox(QRectF(0, 0, figure.width, figure.height));
  generator.setResolution(96);
  QPainter painter;
  if (!painter.begin(&generator)) return cannotWrite(path, QStringLiteral("the SVG writer failed"));
  paintFigure(painter, figure, QRectF(0, 0, figure.width, figure.height));
  if (!painter.end() || bytes.isEmpty())
    return cannotWrite(path, QStringLiteral("the SVG writer failed"));
  return writeFigureFile(path, bytes);
}

base::Result<> savePdf(const Figure& figure, const QString& path,
                       const FigureExportOptions& options) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
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
  if (!painter.end() || bytes.isEmpty())
    return cannotWrite(path, QStringLiteral("the PDF writer failed"));
  return writeFigureFile(path, bytes);
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
