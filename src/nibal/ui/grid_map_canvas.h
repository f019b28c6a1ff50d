// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The picture area of the NIBAL map: paints the map figure built for its
// size, zooms with the wheel or the zoom buttons, pans by dragging, and tells
// which node lies under the pointer.

#include <functional>

#include <QWidget>

#include "nibal/map_geometry.h"

namespace sodwright::nibal {

class GridMapCanvas : public QWidget {
  Q_OBJECT

 public:
  explicit GridMapCanvas(QWidget* parent = nullptr);

  // Builds the map for a figure of the given size; called again on resize.
  void setBuilder(std::function<MapFigure(QSizeF)> builder);
  void rebuild();
  const MapFigure& map() const { return map_; }
  double zoom() const { return zoom_; }

  // The widget point over a node's cell centre at the current zoom and pan.
  QPointF pointOfNode(int row, int column) const;

  QSize sizeHint() const override { return {760, 560}; }
  QSize minimumSizeHint() const override { return {320, 240}; }

 public slots:
  void zoomIn() { zoomAt(1.25, rect().center()); }
  void zoomOut() { zoomAt(0.8, rect().center()); }
  void resetView();

 signals:
  // Row and column from 1; (0, 0) when the pointer is off the cells.
  void nodeHovered(int row, int column);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void zoomAt(double factor, QPointF centre);
  QPointF toFigure(QPointF widgetPoint) const;

  std::function<MapFigure(QSizeF)> builder_;
  MapFigure map_;
  double zoom_ = 1;
  QPointF offset_;  // widget position of the figure's top-left corner
  QPointF dragFrom_;
  bool dragging_ = false;
};

}  // namespace sodwright::nibal
