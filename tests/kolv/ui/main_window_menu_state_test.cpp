// SPDX-License-Identifier: GPL-3.0-or-later
// The menu and button states of the KOLV main window, row by row of the
// table of events that change them.
#include <fstream>

#include "kolv_window_fixture.h"

namespace sodwright::kolv {
namespace {

// The state of every item the table names, in its column order.
struct MenuStates {
  bool output, parameter, runModel, showData, edit, chart, compare, lastSeq, run, redraw;
  friend bool operator==(const MenuStates&, const MenuStates&) = default;
};

std::ostream& operator<<(std::ostream& out, const MenuStates& s) {
  return out << "output " << s.output << " parameter " << s.parameter << " runModel " << s.runModel
             << " showData " << s.showData << " edit " << s.edit << " chart " << s.chart
             << " compare " << s.compare << " lastSeq " << s.lastSeq << " run " << s.run
             << " redraw " << s.redraw;
}

MenuStates statesOf(const KolvMainWindow& w) {
  return {w.outputMenu->menuAction()->isEnabled(),
          w.parameterAction->isEnabled(),
          w.runModelAction->isEnabled(),
          w.showDataAction->isEnabled(),
          w.editAction->isEnabled(),
          w.chartMenu->menuAction()->isEnabled(),
          w.compareResultsAction->isEnabled(),
          w.lastSequenceAction->isEnabled(),
          w.runMenu->menuAction()->isEnabled(),
          w.redrawButton->isEnabled()};
}

using MainMenuState = KolvWindowTest;

TEST_F(MainMenuState, OpenedByTheChooser) {
  EXPECT_EQ(statesOf(*main),
            (MenuStates{false, false, false, false, false, false, true, true, true, false}));
  EXPECT_TRUE(main->importFileAction->isEnabled());
  EXPECT_TRUE(main->exitAction->isEnabled());
  EXPECT_TRUE(main->helpFileAction->isEnabled());
  EXPECT_EQ(main->windowTitle(), QStringLiteral("KOLV 05.1"));
}

TEST_F(MainMenuState, ImportSucceededThenCancelled) {
  importTransect(writeTransect());
  ASSERT_TRUE(state.imported);
  MenuStates s = statesOf(*main);
  EXPECT_TRUE(s.parameter);
  EXPECT_TRUE(s.showData);
  EXPECT_TRUE(s.edit);
  EXPECT_TRUE(s.run);
  EXPECT_FALSE(s.output);
  EXPECT_FALSE(s.chart);
  EXPECT_FALSE(s.runModel);

  // The boxes show the imported pair; there is nothing to redraw yet.
  EXPECT_EQ(main->firstSequenceBox->text(), QStringLiteral("0"));
  EXPECT_EQ(main->lastSequenceBox->text(), QStringLiteral("1"));
  EXPECT_FALSE(s.redraw);
  main->firstSequenceBox->setText(QStringLiteral("1"));
  EXPECT_FALSE(main->redrawButton->isEnabled());

  // A cancelled dialog changes nothing.
  const MenuStates before = statesOf(*main);
  main->importFileAction->trigger();
  EXPECT_EQ(statesOf(*main), before);
}

TEST_F(MainMenuState, CancelledOrFailedImportLeavesBoxesChartsAndRedraw) {
  importTransect(writeTransect());
  KolvParameterWindow* window = openParameterWindow();
  ASSERT_NE(window, nullptr);
  typeAndLeave(window->sequenceCountBox, QStringLiteral("3"), window->nodeCountBox);
  window->okButton->click();
  window->runKolvButton->click();
  QApplication::processEvents();
  typeAndLeave(main->firstSequenceBox, QStringLiteral("1"), main->lastSequenceBox);
  typeAndLeave(main->lastSequenceBox, QStringLiteral("2"), main->upLayerDepthBox);
  main->redrawButton->click();
  ASSERT_EQ(state.params.FirstSeqShown, 1);
  const MenuStates before = statesOf(*main);
  const std::size_t drawn = main->elevationChart->itemCount();
  ASSERT_GT(drawn, 0u);

  const std::string bad = dir.filePath(QStringLiteral("short.txt")).toStdString();
  {
    std::ofstream out(bad, std::ios::binary);
    out << "Sequence=\t0\tDataPoints:\t 10 \r\n";
  }
  main->importFileAction->trigger();  // cancelled
  importTransect(bad);                // failed
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(main->firstSequenceBox->text(), QStringLiteral("1"));
  EXPECT_EQ(main->lastSequenceBox->text(), QStringLiteral("2"));
  EXPECT_EQ(main->elevationChart->itemCount(), drawn);
  EXPECT_EQ(statesOf(*main), before);

  // What the boxes show is what Redraw uses: no order message.
  main->redrawButton->setEnabled(true);
  main->redrawButton->click();
  EXPECT_EQ(messages().size(), 1u);
  EXPECT_EQ(state.params.FirstSeqShown, 1);
  EXPECT_EQ(state.params.LastSeqShown, 2);
}

TEST_F(MainMenuState, ParameterOkEnablesRunModel) {
  importTransect(writeTransect());
  KolvParameterWindow* window = openParameterWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(main->runModelAction->isEnabled());
  window->okButton->click();
  EXPECT_TRUE(main->runModelAction->isEnabled());
}

TEST_F(MainMenuState, RunKolvEnablesOutputsAndCharts) {
  importAndRun();
  EXPECT_EQ(statesOf(*main),
            (MenuStates{true, true, true, true, true, true, true, true, true, false}));
}

TEST_F(MainMenuState, RunModelEnablesOutputsAndCharts) {
  importTransect(writeTransect());
  openParameterWindow()->okButton->click();
  main->runModelAction->trigger();
  EXPECT_EQ(statesOf(*main),
            (MenuStates{true, true, true, true, true, true, true, true, true, false}));
}

TEST_F(MainMenuState, FailedRunClearsChartsAndOutputs) {
  // Soil loss beyond the range of a Single fails the comparison.
  const MenuStates failed{false, true, true, true, true, false, false, false, true, false};
  const auto chartsEmpty = [this] {
    for (ChartCanvas* c :
         {main->elevationChart, main->soilLossChart, main->upLayerChart, main->wholeProfileChart})
      if (c->itemCount() != 0) return false;
    return true;
  };
  importAndRun();
  ASSERT_FALSE(chartsEmpty());
  KolvParameterWindow* window = openParameterWindow();
  ASSERT_NE(window, nullptr);
  window->okButton->click();
  const double goodDensity = state.params.BulkDensity1;
  state.params.BulkDensity1 = 1e300;
  window->runKolvButton->click();
  EXPECT_EQ(messages().size(), 1u);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(statesOf(*main), failed);
  EXPECT_TRUE(chartsEmpty());

  state.params.BulkDensity1 = goodDensity;
  main->runModelAction->trigger();
  ASSERT_FALSE(chartsEmpty());
  state.params.BulkDensity1 = 1e300;
  main->runModelAction->trigger();
  EXPECT_EQ(messages().size(), 2u);
  EXPECT_EQ(statesOf(*main), failed);
  EXPECT_TRUE(chartsEmpty());
}

TEST_F(MainMenuState, BoxChangeThenRedraw) {
  importAndRun();
  for (QLineEdit* box : {main->firstSequenceBox, main->lastSequenceBox, main->upLayerDepthBox,
                         main->subLayerDepthBox}) {
    QTest::keyClicks(box, QStringLiteral("0"));
    MenuStates s = statesOf(*main);
    EXPECT_FALSE(s.showData);
    EXPECT_FALSE(s.compare);
    EXPECT_TRUE(s.redraw);
    EXPECT_TRUE(s.lastSeq);  // not touched by a change
    main->firstSequenceBox->setText(QStringLiteral("0"));
    main->lastSequenceBox->setText(QStringLiteral("1"));
    main->upLayerDepthBox->setText(QStringLiteral("0.2"));
    main->subLayerDepthBox->setText(QStringLiteral("0.2"));
    state.params.FirstSeqShown = 0;
    state.params.LastSeqShown = 1;
    main->redrawButton->click();
    s = statesOf(*main);
    EXPECT_TRUE(s.showData);
    EXPECT_TRUE(s.compare);
    EXPECT_FALSE(s.redraw);
  }
}

}  // namespace
}  // namespace sodwright::kolv
