// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/figures/figure_painter.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPolygonF>

namespace sodwright::platform {
namespace {

QColor colourOf(Rgba c) { return QColor(c.r, c.g, c.b, c.a); }

QImage imageOf(const FigureOp& op) {
  const int columns = std::max(1, op.imageColumns);
  const int rows = static_cast<int>(op.pixels.size()) / columns;
  QImage image(columns, std::max(1, rows), QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < columns; ++c) {
      const Rgba& p = op.pixels[static_cast<std::size_t>(r) * columns + c];
      image.setPixel(c, r, qRgba(p.r, p.g, p.b, p.a));
    }
  return image;
}

void drawText(QPainter& painter, const FigureOp& op) {
  painter.setFont(figureFont(op.textSize, op.bold));
  painter.setPen(colourOf(op.colour));
  const QString text = QString::fromStdString(op.text);
  constexpr double kWide = 20000;
  const double h = op.textSize * 2;
  painter.save();
  painter.translate(op.x, op.y);
  if (op.vertical) painter.rotate(-90);
  QRectF box;
  Qt::Alignment align = Qt::AlignVCenter;
  switch (op.align) {
    case TextAlign::Left:
      box = QRectF(0, -h / 2, kWide, h), align |= Qt::AlignLeft;
      break;
    case TextAlign::Centre:
      box = QRectF(-kWide / 2, -h / 2, kWide, h), align |= Qt::AlignHCenter;
      break;
    case TextAlign::Right:
      box = QRectF(-kWide, -h / 2, kWide, h), align |= Qt::AlignRight;
      break;
  }
  painter.drawText(box, static_cast<int>(align), text);
  painter.restore();
}

}  // namespace

QFont figureFont(double size, bool bold) {
  QFont font = QGuiApplication::font();
  font.setPixelSize(std::max(1, static_cast<int>(size + 0.5)));
  font.setBold(bold);
  return font;
}

double qtTextWidth(std::string_view text, double size, bool bold) {
  const QFontMetricsF metrics(figureFont(size, bold));
  return metrics.horizontalAdvance(
      QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void paintFigure(QPainter& painter, const Figure& figure, const QRectF& target) {
  painter.save();
  painter.translate(target.topLeft());
  painter.scale(target.width() / figure.width, target.height() / figure.height);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  for (const FigureOp& op : figure.ops) {
    switch (op.kind) {
      case FigureOp::Kind::Rect:
        // Neighbouring cells meet without a seam when their edges are not smoothed.
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.fillRect(QRectF(op.x, op.y, op.w, op.h), colourOf(op.colour));
        painter.setRenderHint(QPainter::Antialiasing, true);
        break;
      case FigureOp::Kind::Line: {
        QPen pen(colourOf(op.colour));
        pen.setWidthF(op.lineWidth);
        pen.setStyle(op.dashed ? Qt::DashLine : Qt::SolidLine);
        pen.setCapStyle(Qt::FlatCap);
        painter.setPen(pen);
        painter.drawLine(QPointF(op.x, op.y), QPointF(op.x2, op.y2));
        break;
      }
      case FigureOp::Kind::Text:
        drawText(painter, op);
        break;
      case FigureOp::Kind::Image:
        painter.drawImage(QRectF(op.x, op.y, op.w, op.h), imageOf(op));
        break;
      case FigureOp::Kind::Polygon: {
        QPolygonF polygon;
        for (std::size_t i = 0; i + 1 < op.corners.size(); i += 2)
          polygon << QPointF(op.corners[i], op.corners[i + 1]);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colourOf(op.colour));
        painter.drawPolygon(polygon);
        painter.setBrush(Qt::NoBrush);
        break;
      }
    }
  }
  painter.restore();
}

}  // namespace sodwright::platform
