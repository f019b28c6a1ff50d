#pragma once
// One chart area of the KOLV main window: the title above, the picture area,
// the maximum, middle and minimum value labels on its left, the middle and
// maximum distance labels below it, and the unit captions. It is the screen
// drawing surface the chart drawings are replayed on.

#include <QLabel>
#include <QWidget>

#include "platform/drawing_surface.h"
#include "transect/chart_geometry.h"
#include "transect/ui/ChartCanvas.h"

namespace sodwright::kolv::ui {

class ChartPanel : public QWidget, public platform::DrawingSurface {
  Q_OBJECT

 public:
  explicit ChartPanel(ChartKind kind, QWidget* parent = nullptr);

  ChartKind kind() const { return kind_; }
  ChartCanvas* canvas() const { return canvas_; }
  QLabel* label(platform::LabelId which) const;
  // Shades the end zones of a drawing and shows their legend entry when there are any.
  void showEndZones(const std::vector<ShadedBand>& bands);
  QLabel* endZoneLegend() const { return endZoneLegend_; }

  // DrawingSurface
  void clear() override { canvas_->clear(); }
  void setCoordinateWindow(float left, float top, float right, float bottom) override {
    canvas_->setCoordinateWindow(left, top, right, bottom);
  }
  void setPenWidth(int pixels) override { canvas_->setPenWidth(pixels); }
  void setLineStyle(platform::LineStyle style) override { canvas_->setLineStyle(style); }
  void drawLine(float x1, float y1, float x2, float y2) override { canvas_->drawLine(x1, y1, x2, y2); }
  void plotPoint(float x, float y, platform::Rgb colour) override { canvas_->plotPoint(x, y, colour); }
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
};

}  // namespace sodwright::kolv::ui
