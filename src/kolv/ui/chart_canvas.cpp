// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/ui/chart_canvas.h"

#include <algorithm>

#include <QFrame>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>

namespace sodwright::kolv {

const QColor kEndZoneShade(chart_colours::kEndZoneShade.r, chart_colours::kEndZoneShade.g,
                           chart_colours::kEndZoneShade.b);

namespace {
// The width of the marker of a point beyond the top or the bottom, in pixels.
constexpr double kEdgeMarkerSize = 7;
}  // namespace

ChartCanvas::ChartCanvas(const QString& name, const QString& yAxisLine, const QString& xAxisLine,
                         QWidget* parent)
    : QWidget(parent) {
  setObjectName(name);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  setMouseTracking(true);

  yLine_ = new QFrame(this);
  yLine_->setObjectName(yAxisLine);
  yLine_->setFrameShape(QFrame::VLine);
  xLine_ = new QFrame(this);
  xLine_->setObjectName(xAxisLine);
  xLine_->setFrameShape(QFrame::HLine);
  for (QFrame* line : {yLine_, xLine_}) {
    line->setFrameShadow(QFrame::Plain);
    line->setLineWidth(2);
  }
}

void ChartCanvas::clear() {
  items_.clear();
  bands_.clear();
  update();
}

void ChartCanvas::setShadedBands(const std::vector<ShadedBand>& bands) {
  bands_ = bands;
  update();
}

void ChartCanvas::setCoordinateWindow(float left, float top, float right, float bottom) {
  window_ = {left, top, right, bottom};
}

void ChartCanvas::drawLine(float x1, float y1, float x2, float y2) {
  items_.push_back({false, x1, y1, x2, y2, penWidth_, style_, QColor(Qt::black), {}, window_, {}});
  update();
}

void ChartCanvas::plotPoint(float x, float y, platform::Rgb colour) {
  items_.push_back({true,
                    x,
                    y,
                    x,
                    y,
                    penWidth_,
                    style_,
                    QColor(colour.r, colour.g, colour.b),
                    colour,
                    window_,
                    {}});
  update();
}

void ChartCanvas::fillPolygon(const std::vector<float>& corners, platform::Rgb colour) {
  Item item;
  item.colour = QColor(colour.r, colour.g, colour.b);
  item.rgb = colour;
  item.window = window_;
  item.corners = corners;
  items_.push_back(std::move(item));
  update();
}

void ChartCanvas::setPlaceholderLinesVisible(bool visible) {
  yLine_->setVisible(visible);
  xLine_->setVisible(visible);
}

QPointF ChartCanvas::toPixels(const Window& w, float x, float y) const {
  const double spanX = static_cast<double>(w.right) - w.left;
  const double spanY = static_cast<double>(w.bottom) - w.top;
  const double px = spanX != 0 ? (x - w.left) / spanX * (width() - 1) : 0.0;
  const double py = spanY != 0 ? (y - w.top) / spanY * (height() - 1) : 0.0;
  return {px, py};
}

QPointF ChartCanvas::shownPixel(const Item& item) const {
  QPointF at = toPixels(item.window, item.x1, item.y1);
  // A point beyond the top or the bottom is shown by its marker on that edge.
  switch (edgeBeyond(item.y1, item.window.top, item.window.bottom)) {
    case ChartEdge::Above:
      at.setY(kEdgeMarkerSize * 0.4);
      break;
    case ChartEdge::Below:
      at.setY(height() - 1 - kEdgeMarkerSize * 0.4);
      break;
    case ChartEdge::Inside:
      break;
  }
  return at;
}

void ChartCanvas::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, false);
  for (const ShadedBand& band : bands_) {
    const double from = std::max(0.0, toPixels(window_, band.from, 0).x());
    const double to = std::min(static_cast<double>(width()), toPixels(window_, band.to, 0).x());
    if (to > from) painter.fillRect(QRectF(from, 0, to - from, height()), kEndZoneShade);
  }
  for (const Item& item : items_) {
    if (!item.corners.empty()) {
      QPolygonF area;
      for (std::size_t i = 0; i + 1 < item.corners.size(); i += 2)
        area << toPixels(item.window, item.corners[i], item.corners[i + 1]);
      painter.setPen(Qt::NoPen);
      painter.setBrush(item.colour);
      painter.drawPolygon(area);
      painter.setBrush(Qt::NoBrush);
      continue;
    }
    const QPointF from = toPixels(item.window, item.x1, item.y1);
    if (item.isPoint) {
      const ChartEdge edge = edgeBeyond(item.y1, item.window.top, item.window.bottom);
      if (edge != ChartEdge::Inside) {
        QPolygonF marker;
        for (const PixelPoint& p : edgeMarker(edge, from.x(), 0, height() - 1, kEdgeMarkerSize))
          marker << QPointF(p.x, p.y);
        painter.setPen(Qt::NoPen);
        painter.setBrush(item.colour);
        painter.drawPolygon(marker);
        painter.setBrush(Qt::NoBrush);
        continue;
      }
      const double size = item.penWidth;
      painter.fillRect(QRectF(from.x() - size / 2, from.y() - size / 2, size, size), item.colour);
      continue;
    }
    QPen pen(item.colour);
    pen.setWidth(item.penWidth);
    // Only a thin pen draws dashes, as on the original picture panels.
    pen.setStyle(item.style == platform::LineStyle::Dashed && item.penWidth == 1 ? Qt::DashLine
                                                                                 : Qt::SolidLine);
    painter.setPen(pen);
    painter.drawLine(from, toPixels(item.window, item.x2, item.y2));
  }
}

std::optional<ChartCanvas::Hit> ChartCanvas::pointNear(QPointF position, double reach) const {
  std::optional<Hit> best;
  double bestDistance = reach * reach;
  for (const Item& item : items_) {
    if (!item.isPoint) continue;
    const QPointF d = shownPixel(item) - position;
    const double distance = d.x() * d.x() + d.y() * d.y();
    if (distance <= bestDistance) {
      bestDistance = distance;
      best = Hit{item.x1, item.y1, item.rgb};
    }
  }
  return best;
}

void ChartCanvas::mouseMoveEvent(QMouseEvent* event) {
  if (const auto hit = pointNear(event->position()))
    emit pointHovered(hit->x, hit->y, hit->colour);
  else
    emit pointLeft();
}

void ChartCanvas::leaveEvent(QEvent*) { emit pointLeft(); }

void ChartCanvas::resizeEvent(QResizeEvent*) {
  // The placeholder axes where the drawn axes will stand: a tenth in from the
  // left and from the bottom.
  const int x = width() / 12;
  const int y = height() - height() / 12;
  yLine_->setGeometry(x - 1, height() / 24, 3, y - height() / 24);
  xLine_->setGeometry(x, y - 1, width() - x - width() / 24, 3);
}

}  // namespace sodwright::kolv
