// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/ui/grid_map_canvas.h"

#include <algorithm>

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "platform/figures/figure_painter.h"

namespace sodwright::nibal {

GridMapCanvas::GridMapCanvas(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PicMap"));
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void GridMapCanvas::setBuilder(std::function<MapFigure(QSizeF)> builder) {
  builder_ = std::move(builder);
  rebuild();
}

void GridMapCanvas::rebuild() {
  if (builder_) map_ = builder_(QSizeF(std::max(width(), 320), std::max(height(), 240)));
  update();
}

void GridMapCanvas::resetView() {
  zoom_ = 1;
  offset_ = {};
  update();
}

QPointF GridMapCanvas::toFigure(QPointF p) const { return (p - offset_) / zoom_; }

QPointF GridMapCanvas::pointOfNode(int row, int column) const {
  const auto [x, y] = map_.frame.cellCentre(row, column);
  return offset_ + QPointF(x, y) * zoom_;
}

void GridMapCanvas::zoomAt(double factor, QPointF centre) {
  const double next = std::clamp(zoom_ * factor, 1.0, 40.0);
  // The figure point under `centre` stays there.
  const QPointF fixed = toFigure(centre);
  zoom_ = next;
  offset_ = centre - fixed * zoom_;
  if (zoom_ == 1.0) offset_ = {};
  update();
}

void GridMapCanvas::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  const platform::Figure& fig = map_.figure;
  platform::paintFigure(painter, fig,
                        QRectF(offset_, QSizeF(fig.width * zoom_, fig.height * zoom_)));
  if (hasFocus()) {
    painter.setPen(QPen(palette().highlight().color(), 2));
    painter.drawRect(rect().adjusted(1, 1, -1, -1));
  }
}

void GridMapCanvas::resizeEvent(QResizeEvent*) { rebuild(); }

void GridMapCanvas::wheelEvent(QWheelEvent* event) {
  zoomAt(event->angleDelta().y() > 0 ? 1.25 : 0.8, event->position());
  event->accept();
}

void GridMapCanvas::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  dragging_ = true;
  dragFrom_ = event->position();
  setCursor(Qt::ClosedHandCursor);
}

void GridMapCanvas::mouseMoveEvent(QMouseEvent* event) {
  if (dragging_) {
    offset_ += event->position() - dragFrom_;
    dragFrom_ = event->position();
    update();
  }
  const QPointF p = toFigure(event->position());
  const auto node = map_.frame.nodeAt(p.x(), p.y());
  emit nodeHovered(node ? node->first : 0, node ? node->second : 0);
}

void GridMapCanvas::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
  dragging_ = false;
  unsetCursor();
}

}  // namespace sodwright::nibal
