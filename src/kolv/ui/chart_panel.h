// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One chart area of the KOLV main window: the title above, the picture area,
// the maximum, middle and minimum value labels on its left, the middle and
// maximum distance labels below it, and the unit captions. It is the screen
// drawing surface the chart drawings are replayed on. It keeps the drawing
// operations it was given, with the chart's legend, so that the same
// drawing can leave the program as a figure (right-click menu); the value
// column is as wide as its widest label, and pointing at a plotted point
// reads out its distance, value and sequence.

#include <QLabel>
#include <QWidget>

#include "kolv/charts/chart_figure.h"
#include "kolv/charts/chart_geometry.h"
#include "kolv/ui/chart_canvas.h"
#include "platform/drawing_surface.h"

namespace sodwright::kolv {

class ChartPanel : public QWidget, public platform::DrawingSurface {
  Q_OBJECT

 public:
  explicit ChartPanel(ChartKind kind, QWidget* parent = nullptr);

  ChartKind kind() const { return kind_; }
  ChartCanvas* canvas() const { return canvas_; }
  QLabel* label(platform::LabelId which) const;
  QLabel* titleLabel() const { return title_; }
  QLabel* legendLabel() const { return legend_; }
  QLabel* readoutLabel() const { return readout_; }
  // The width the value labels are given, from the font and their texts.
  int valueColumnWidth() const;
  // Shades the end zones of a drawing and shows their legend entry when there are any.
  void showEndZones(const std::vector<ShadedBand>& bands);
  QLabel* endZoneLegend() const { return endZoneLegend_; }

  // Which colour is which sequence, and the units; set before each drawing.
  void setKey(const ChartKey& key);
  const ChartKey& key() const { return key_; }
  const platform::DrawOps& drawing() const { return ops_; }
  // This chart as a figure, and the four charts of the window together.
  platform::Figure figure() const;
  platform::Figure allChartsFigure() const;
  // The read-out for a point; empty text hides it.
  void showPoint(float x, float y, platform::Rgb colour);
  // DrawingSurface
  void clear() override;
  void setCoordinateWindow(float left, float top, float right, float bottom) override;
  void setPenWidth(int pixels) override;
  void setLineStyle(platform::LineStyle style) override;
  void drawLine(float x1, float y1, float x2, float y2) override;
  void plotPoint(float x, float y, platform::Rgb colour) override;
  void fillPolygon(const std::vector<float>& corners, platform::Rgb colour) override;
  void setLabel(platform::LabelId which, const std::string& text) override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void placeLabels();

  ChartKind kind_;
  ChartCanvas* canvas_ = nullptr;
  QLabel* title_ = nullptr;
  QLabel* maxValue_ = nullptr;
  QLabel* midValue_ = nullptr;
  QLabel* minValue_ = nullptr;
  QLabel* midDistance_ = nullptr;
  QLabel* maxDistance_ = nullptr;
  QLabel* valueUnit_ = nullptr;
  QLabel* distanceUnit_ = nullptr;
  QLabel* endZoneLegend_ = nullptr;
  QLabel* legend_ = nullptr;
  QLabel* readout_ = nullptr;
  ChartKey key_;
  platform::DrawOps ops_;
};

}  // namespace sodwright::kolv
