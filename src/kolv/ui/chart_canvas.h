// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The picture area of one chart (elevation, soil loss, up layer, whole profile): it
// keeps the lines, points and filled areas drawn since the last clear in user coordinates
// and paints them with QPainter, scaled to its current size; a point beyond
// the top or the bottom is painted as a marker on that edge. Two placeholder
// axis lines stand in it until the first drawing.

#include <optional>
#include <vector>

#include <QColor>
#include <QWidget>

#include "kolv/charts/chart_geometry.h"
#include "platform/drawing_surface.h"

class QFrame;

namespace sodwright::kolv {

// The grey of the end-zone bands (and of their legend entry).
extern const QColor kEndZoneShade;

class ChartCanvas : public QWidget {
  Q_OBJECT

 public:
  // `yAxisLine` and `xAxisLine` name the two placeholder lines ("Line1", "Line2").
  ChartCanvas(const QString& name, const QString& yAxisLine, const QString& xAxisLine,
              QWidget* parent = nullptr);

  void clear();
  void setCoordinateWindow(float left, float top, float right, float bottom);
  void setPenWidth(int pixels) { penWidth_ = pixels; }
  void setLineStyle(platform::LineStyle style) { style_ = style; }
  void drawLine(float x1, float y1, float x2, float y2);
  void plotPoint(float x, float y, platform::Rgb colour);
  void fillPolygon(const std::vector<float>& corners, platform::Rgb colour);

  // Stretches of the x axis shaded behind the drawing (in the coordinate
  // window set last); a clear removes them.
  void setShadedBands(const std::vector<ShadedBand>& bands);
  const std::vector<ShadedBand>& shadedBands() const { return bands_; }

  void setPlaceholderLinesVisible(bool visible);
  QFrame* yAxisLine() const { return yLine_; }
  QFrame* xAxisLine() const { return xLine_; }
  // Lines, points and filled areas since the last clear.
  std::size_t itemCount() const { return items_.size(); }

  // The plotted point nearest to a widget position, within `reach` pixels:
  // its user coordinates and colour. A point beyond the top or the bottom
  // is found at its marker on that edge.
  struct Hit {
    float x = 0, y = 0;
    platform::Rgb colour;
  };
  std::optional<Hit> pointNear(QPointF position, double reach = 8) const;
  // The widget position of a point in user coordinates, as last drawn.
  QPointF pixelOf(float x, float y) const { return toPixels(window_, x, y); }

  QSize sizeHint() const override { return {360, 220}; }
  QSize minimumSizeHint() const override { return {160, 110}; }

 signals:
  void pointHovered(float x, float y, platform::Rgb colour);
  void pointLeft();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct Window {
    float left = 0, top = 1, right = 1, bottom = 0;
  };
  struct Item {
    bool isPoint = false;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int penWidth = 1;
    platform::LineStyle style = platform::LineStyle::Solid;
    QColor colour;
    platform::Rgb rgb;
    Window window;
    std::vector<float> corners;  // a filled area: x, y of each corner in turn
  };
  QPointF toPixels(const Window& w, float x, float y) const;
  QPointF shownPixel(const Item& item) const;

  std::vector<Item> items_;
  std::vector<ShadedBand> bands_;
  Window window_;
  int penWidth_ = 1;
  platform::LineStyle style_ = platform::LineStyle::Solid;
  QFrame* yLine_ = nullptr;
  QFrame* xLine_ = nullptr;
};

}  // namespace sodwright::kolv
