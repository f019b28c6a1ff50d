// SPDX-License-Identifier: GPL-3.0-or-later
// Not a check: takes the screenshot of the NIBAL map window on the example
// grid for the guide. Run under a virtual display with a window manager, see
// docs/screenshots/capture-map.sh.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

#include "nibal/grid_import.h"
#include "nibal/grid_model.h"
#include "nibal/ui/grid_map_canvas.h"
#include "nibal/ui/grid_map_window.h"
#include "window_capture.h"

namespace sodwright::nibal {
namespace {

TEST(GridMapScreenshots, MapOfTheExampleGrid) {
  // The README's study: 30 x 40 nodes at 5 m, default coefficients.
  base::Result<GridData> read =
      readGridTextFile(SODWRIGHT_EXAMPLES_DIR "/small-field-grid.txt", '\t', 30, 40);
  ASSERT_TRUE(read.ok()) << read.message();
  GridState state;
  replaceGrid(state, {30, 40, "30", "40", "5", "5"}, std::move(*read));
  state.info.BettaRow = 3;
  state.info.GammaRow = 6;
  state.info.BettaCol = 6;
  state.info.GammaCol = 12;
  clearGridResults(state);
  computeColumnDirection(state);
  computeRowDirection(state);
  computeSoilLossSum(state);

  GridMapWindow window(state);
  window.resize(900, 720);
  window.move(20, 20);
  window.show();
  QTest::qWait(500);
  QTest::mouseMove(window.mapCanvas, window.mapCanvas->pointOfNode(8, 9).toPoint());
  screenshots::capture(&window, QStringLiteral("nibal-map-window.png"), 300);

  // The inner field under a limit of 1, over the hillshade.
  window.colourLimitBox->setText(QStringLiteral("1"));
  emit window.colourLimitBox->editingFinished();
  window.hillshadeCheck->setChecked(true);
  screenshots::capture(&window, QStringLiteral("nibal-map-hillshade.png"), 300);
}

}  // namespace
}  // namespace sodwright::nibal
