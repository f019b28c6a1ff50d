// SPDX-License-Identifier: GPL-3.0-or-later
// The NIBAL map window as a person sees it: loss and gain in their hues at
// the nodes that lose and gain, the read-out under the pointer and the
// legend in the accessibility tree, and the ways to the window.
#include "nibal/ui/grid_map_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include "../grid_map_support.h"
#include "fakes/recording_services.h"
#include "nibal/ui/grid_map_canvas.h"
#include "nibal/ui/grid_parameter_window.h"
#include "nibal/ui/grid_window.h"
#include "shared_ui/window_hub.h"

namespace sodwright::nibal {
namespace {

void hover(GridMapCanvas* canvas, QPointF at) {
  QMouseEvent move(QEvent::MouseMove, at, canvas->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(canvas, &move);
}

TEST(GridMapWindow, LossAndGainShowInTheirHuesAndThePointerReadsTheNode) {
  GridState state = testing::runBump();
  GridMapWindow window(state);
  window.resize(800, 640);
  window.show();
  ASSERT_EQ(window.layerList->count(), 8);
  EXPECT_EQ(window.layerList->currentText(), QStringLiteral("SoilLossSum"));

  const QImage image = window.mapCanvas->grab().toImage();
  const QColor loss = image.pixelColor(window.mapCanvas->pointOfNode(2, 2).toPoint());  // +1800
  const QColor gain = image.pixelColor(window.mapCanvas->pointOfNode(3, 2).toPoint());  // -3000
  EXPECT_GT(loss.red(), loss.blue() + 40) << loss.name().toStdString();
  EXPECT_GT(gain.green(), gain.red() + 40) << gain.name().toStdString();
  EXPECT_GT(gain.blue(), gain.red() + 40) << gain.name().toStdString();

  hover(window.mapCanvas, window.mapCanvas->pointOfNode(3, 2));
  EXPECT_EQ(
      window.readoutLabel->text(),
      QStringLiteral(
          "Row 3, column 2, easting 1002, northing N3, elevation 0.000 m, SoilLossSum -3000.000"));
  EXPECT_EQ(window.readoutLabel->accessibleName(), QStringLiteral("Node under the pointer"));
  EXPECT_EQ(window.legendLabel->accessibleName(), QStringLiteral("Legend"));
  EXPECT_TRUE(window.legendLabel->text().contains(QStringLiteral("from -3000 gain to 3000 loss")));

  // Zoomed in, the same node is still read under the pointer.
  window.zoomInButton->click();
  hover(window.mapCanvas, window.mapCanvas->pointOfNode(2, 2));
  EXPECT_TRUE(window.readoutLabel->text().startsWith(QStringLiteral("Row 2, column 2,")));

  window.layerList->setCurrentText(QStringLiteral("Elevation"));
  EXPECT_TRUE(window.legendLabel->text().contains(QStringLiteral("Elevation in m, from 0 to 1")));
}

TEST(GridMapWindow, OpensFromTheGridWindowOnceResultsExist) {
  platform::FakePlatform fake;
  fake.context.activeModel = platform::kNibal;
  shared_ui::WindowHub hub{fake.context};
  GridState empty;
  {
    GridWindow window(empty, fake.context, hub);
    EXPECT_FALSE(window.showMapButton->isEnabled());
  }
  GridState state = testing::runBump();
  GridWindow window(state, fake.context, hub);
  ASSERT_TRUE(window.showMapButton->isEnabled());
  window.showMapButton->click();
  GridMapWindow* map = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* m = qobject_cast<GridMapWindow*>(w); m && m->shows(state)) map = m;
  ASSERT_NE(map, nullptr);
  EXPECT_TRUE(map->isVisible());
  EXPECT_EQ(showGridMap(state, nullptr), map);  // one map window per grid
  delete map;
}

}  // namespace
}  // namespace sodwright::nibal
