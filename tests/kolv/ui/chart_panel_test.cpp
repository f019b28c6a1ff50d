// SPDX-License-Identifier: GPL-3.0-or-later
// The screen surface of a chart: a replayed drawing lands on the picture
// area at the place its coordinate window gives, and the labels take their
// texts.
#include "kolv/ui/chart_panel.h"

#include <gtest/gtest.h>

#include <QFrame>
#include <QImage>

namespace sodwright::kolv {
namespace {

using platform::DrawOp;

TEST(ChartPanel, ReplayedDrawingIsPaintedInItsCoordinateWindow) {
  ChartPanel panel(ChartKind::UpLayer);
  panel.resize(400, 300);
  panel.show();
  ChartCanvas* canvas = panel.canvas();
  EXPECT_EQ(canvas->objectName(), QStringLiteral("ChtUpL"));
  EXPECT_EQ(canvas->yAxisLine()->objectName(), QStringLiteral("Line5"));
  EXPECT_EQ(canvas->xAxisLine()->objectName(), QStringLiteral("Line6"));
  EXPECT_EQ(panel.label(ChartLabel::ValueUnit)->objectName(), QStringLiteral("LblunitU"));
  EXPECT_EQ(panel.label(ChartLabel::ValueUnit)->text(), QStringLiteral("unit"));

  // A window of 0..10 both ways with y upwards: (10, 0) is the bottom-right corner.
  const platform::DrawOps ops = {DrawOp::clearOp(),
                                 DrawOp::window(0, 10, 10, 0),
                                 DrawOp::pen(2),
                                 DrawOp::point(10, 0, {255, 0, 0}),
                                 DrawOp::point(0, 10, {0, 0, 255}),
                                 DrawOp::polygon({0, 0, 5, 0, 5, 5, 0, 5}, {0, 200, 0}),
                                 DrawOp::labelText(ChartLabel::MaxValue, "1.50"),
                                 DrawOp::labelText(ChartLabel::ValueUnit, "mg/m")};
  platform::replay(ops, panel);
  EXPECT_EQ(canvas->itemCount(), 3u);
  EXPECT_EQ(panel.drawing().size(), ops.size());
  EXPECT_EQ(panel.label(ChartLabel::MaxValue)->text(), QStringLiteral("1.50"));
  EXPECT_EQ(panel.label(ChartLabel::ValueUnit)->text(), QStringLiteral("mg/m"));

  canvas->setPlaceholderLinesVisible(false);
  const QImage image = canvas->grab().toImage();
  const int w = image.width();
  const int h = image.height();
  EXPECT_EQ(QColor(image.pixel(w - 1, h - 1)), QColor(255, 0, 0));
  EXPECT_EQ(QColor(image.pixel(0, 0)), QColor(0, 0, 255));
  // The filled square holds the bottom-left quarter.
  EXPECT_EQ(QColor(image.pixel(w / 4, h * 3 / 4)), QColor(0, 200, 0));
  EXPECT_EQ(QColor(image.pixel(w * 3 / 4, h * 3 / 4)), QColor(Qt::white));
  EXPECT_EQ(QColor(image.pixel(w / 4, h / 4)), QColor(Qt::white));

  panel.clear();
  EXPECT_EQ(canvas->itemCount(), 0u);
  EXPECT_EQ(QColor(canvas->grab().toImage().pixel(w - 1, h - 1)), QColor(Qt::white));
}

TEST(ChartPanel, APointBeyondTheTopOrBottomIsAMarkerOnThatEdge) {
  ChartPanel panel(ChartKind::SoilLoss);
  panel.resize(400, 300);
  panel.show();
  platform::replay({DrawOp::clearOp(), DrawOp::window(0, 10, 10, 0), DrawOp::pen(2),
                    DrawOp::point(5, 40, {255, 0, 0}), DrawOp::point(5, -40, {0, 0, 255})},
                   panel);
  ChartCanvas* canvas = panel.canvas();
  canvas->setPlaceholderLinesVisible(false);
  const QImage image = canvas->grab().toImage();
  const int mid = static_cast<int>(canvas->pixelOf(5, 0).x());
  EXPECT_EQ(QColor(image.pixel(mid, 2)), QColor(255, 0, 0));
  EXPECT_EQ(QColor(image.pixel(mid, image.height() - 3)), QColor(0, 0, 255));
  // Hovering the marker tells the value it stands for.
  const auto hit = canvas->pointNear(QPointF(mid, 3));
  ASSERT_TRUE(hit.has_value());
  EXPECT_EQ(hit->y, 40.0f);
}

}  // namespace
}  // namespace sodwright::kolv
