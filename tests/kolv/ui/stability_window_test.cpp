// SPDX-License-Identifier: GPL-3.0-or-later
// The KOLV windows on stability: the parameter window's warning line before
// "Run KOLV", the main window's mark on unstable results, the shaded end
// zones with their legend entry.
#include "kolv_window_fixture.h"

namespace sodwright::kolv {
namespace {

using StabilityWindows = KolvWindowTest;

TEST_F(StabilityWindows, WarningLineBeforeTheRunAndMarkAfterIt) {
  importTransect(SODWRIGHT_EXAMPLES_DIR "/hillslope-transect.txt");
  ASSERT_TRUE(state.imported);
  fireShowDataTimer();
  KolvParameterWindow* window = openParameterWindow();
  ASSERT_NE(window, nullptr);
  // The example's Betta on its 1 m points: nothing to say.
  EXPECT_TRUE(window->stabilityLabel->isHidden());

  typeAndLeave(window->betaBox, QStringLiteral("0.1"), window->gammaBox);
  ASSERT_FALSE(window->stabilityLabel->isHidden());
  const QString text = window->stabilityLabel->text();
  EXPECT_TRUE(text.startsWith(QStringLiteral("These parameters amplify surface noise by ")))
      << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("\u00d7); keep TD\u00b7Betta\u00b7100/dx\u00b2 below ")))
      << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("(now 2.00)"))) << text.toStdString();
  // Back to the example's Betta the line goes, and comes again.
  typeAndLeave(window->betaBox, QStringLiteral("0.003"), window->gammaBox);
  EXPECT_TRUE(window->stabilityLabel->isHidden());
  typeAndLeave(window->betaBox, QStringLiteral("0.1"), window->gammaBox);
  EXPECT_FALSE(window->stabilityLabel->isHidden());

  // The run still goes ahead; the main window marks its results.
  window->okButton->click();
  window->runKolvButton->click();
  ASSERT_TRUE(state.simulated);
  ASSERT_FALSE(main->stabilityLabel->isHidden());
  EXPECT_FALSE(main->stabilityLabel->text().isEmpty());
  // The end zones of the shown pair are shaded and named in each chart.
  for (ChartKind kind : kAllCharts) {
    EXPECT_EQ(main->panel(kind)->canvas()->shadedBands().size(), 2u);
    EXPECT_FALSE(main->panel(kind)->endZoneLegend()->isHidden());
    // Its entry keeps clear of the sequence legend.
    const ChartPanel* panel = main->panel(kind);
    EXPECT_FALSE(panel->endZoneLegend()->geometry().intersects(panel->legendLabel()->geometry()));
  }
}

}  // namespace
}  // namespace sodwright::kolv
