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

MenuStates statesOf(const FrmKOLV_Main& w) {
  return {w.MnuOutputFileItem->menuAction()->isEnabled(),
          w.MnuParameterItem->isEnabled(),
          w.MnuRunModelItem->isEnabled(),
          w.MnuShowDataItem->isEnabled(),
          w.MnuEditItem->isEnabled(),
          w.MnuChart->menuAction()->isEnabled(),
          w.MnuResultSubItem->isEnabled(),
          w.MnuLastSeqSubItem->isEnabled(),
          w.MnuRun->menuAction()->isEnabled(),
          w.CmdRedraw->isEnabled()};
}

using MainMenuState = KolvWindowTest;

TEST_F(MainMenuState, OpenedByTheChooser) {
  EXPECT_EQ(statesOf(*main),
            (MenuStates{false, false, false, false, false, false, true, true, true, false}));
  EXPECT_TRUE(main->MnuImportFileItem->isEnabled());
  EXPECT_TRUE(main->MnuExitItem->isEnabled());
  EXPECT_TRUE(main->MnuHelpItem->isEnabled());
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
  EXPECT_EQ(main->TxtFSeq->text(), QStringLiteral("0"));
  EXPECT_EQ(main->TxtLSeq->text(), QStringLiteral("1"));
  EXPECT_FALSE(s.redraw);
  main->TxtFSeq->setText(QStringLiteral("1"));
  EXPECT_FALSE(main->CmdRedraw->isEnabled());

  // A cancelled dialog changes nothing.
  const MenuStates before = statesOf(*main);
  main->MnuImportFileItem->trigger();
  EXPECT_EQ(statesOf(*main), before);
}

TEST_F(MainMenuState, CancelledOrFailedImportLeavesBoxesChartsAndRedraw) {
  importTransect(writeTransect());
  FrmKOLVParameter* window = openParameterWindow();
  ASSERT_NE(window, nullptr);
  typeAndLeave(window->TxtSeq, QStringLiteral("3"), window->TxtNodes);
  window->CmdParaOK->click();
  window->CmdRunKOLV->click();
  QApplication::processEvents();
  typeAndLeave(main->TxtFSeq, QStringLiteral("1"), main->TxtLSeq);
  typeAndLeave(main->TxtLSeq, QStringLiteral("2"), main->TxtULD);
  main->CmdRedraw->click();
  ASSERT_EQ(state.params.FirstSeqShown, 1);
  const MenuStates before = statesOf(*main);
  const std::size_t drawn = main->ChtElev->itemCount();
  ASSERT_GT(drawn, 0u);

  const std::string bad = dir.filePath(QStringLiteral("short.txt")).toStdString();
  {
    std::ofstream out(bad, std::ios::binary);
    out << "Sequence=\t0\tDataPoints:\t 10 \r\n";
  }
  main->MnuImportFileItem->trigger();  // cancelled
  importTransect(bad);                 // failed
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(main->TxtFSeq->text(), QStringLiteral("1"));
  EXPECT_EQ(main->TxtLSeq->text(), QStringLiteral("2"));
  EXPECT_EQ(main->ChtElev->itemCount(), drawn);
  EXPECT_EQ(statesOf(*main), before);

  // What the boxes show is what Redraw uses: no order message.
  main->CmdRedraw->setEnabled(true);
  main->CmdRedraw->click();
  EXPECT_EQ(messages().size(), 1u);
  EXPECT_EQ(state.params.FirstSeqShown, 1);
  EXPECT_EQ(state.params.LastSeqShown, 2);
}

TEST_F(MainMenuState, ParameterOkEnablesRunModel) {
  importTransect(writeTransect());
  FrmKOLVParameter* window = openParameterWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(main->MnuRunModelItem->isEnabled());
  window->CmdParaOK->click();
  EXPECT_TRUE(main->MnuRunModelItem->isEnabled());
}

TEST_F(MainMenuState, RunKolvEnablesOutputsAndCharts) {
  importAndRun();
  EXPECT_EQ(statesOf(*main),
            (MenuStates{true, true, true, true, true, true, true, true, true, false}));
}

TEST_F(MainMenuState, RunModelEnablesOutputsAndCharts) {
  importTransect(writeTransect());
  openParameterWindow()->CmdParaOK->click();
  main->MnuRunModelItem->trigger();
  EXPECT_EQ(statesOf(*main),
            (MenuStates{true, true, true, true, true, true, true, true, true, false}));
}

TEST_F(MainMenuState, FailedRunClearsChartsAndOutputs) {
  // Soil loss beyond the range of a Single fails the comparison.
  const MenuStates failed{false, true, true, true, true, false, false, false, true, false};
  const auto chartsEmpty = [this] {
    for (ChartCanvas* c : {main->ChtElev, main->ChtSoilLoss, main->ChtUpL, main->ChtWhPr})
      if (c->itemCount() != 0) return false;
    return true;
  };
  importAndRun();
  ASSERT_FALSE(chartsEmpty());
  FrmKOLVParameter* window = openParameterWindow();
  ASSERT_NE(window, nullptr);
  window->CmdParaOK->click();
  const double goodDensity = state.params.BulkDensity1;
  state.params.BulkDensity1 = 1e300;
  window->CmdRunKOLV->click();
  EXPECT_EQ(messages().size(), 1u);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(statesOf(*main), failed);
  EXPECT_TRUE(chartsEmpty());

  state.params.BulkDensity1 = goodDensity;
  main->MnuRunModelItem->trigger();
  ASSERT_FALSE(chartsEmpty());
  state.params.BulkDensity1 = 1e300;
  main->MnuRunModelItem->trigger();
  EXPECT_EQ(messages().size(), 2u);
  EXPECT_EQ(statesOf(*main), failed);
  EXPECT_TRUE(chartsEmpty());
}

TEST_F(MainMenuState, BoxChangeThenRedraw) {
  importAndRun();
  for (QLineEdit* box : {main->TxtFSeq, main->TxtLSeq, main->TxtULD, main->TxtSLD}) {
    QTest::keyClicks(box, QStringLiteral("0"));
    MenuStates s = statesOf(*main);
    EXPECT_FALSE(s.showData);
    EXPECT_FALSE(s.compare);
    EXPECT_TRUE(s.redraw);
    EXPECT_TRUE(s.lastSeq);  // not touched by a change
    main->TxtFSeq->setText(QStringLiteral("0"));
    main->TxtLSeq->setText(QStringLiteral("1"));
    main->TxtULD->setText(QStringLiteral("0.2"));
    main->TxtSLD->setText(QStringLiteral("0.2"));
    state.params.FirstSeqShown = 0;
    state.params.LastSeqShown = 1;
    main->CmdRedraw->click();
    s = statesOf(*main);
    EXPECT_TRUE(s.showData);
    EXPECT_TRUE(s.compare);
    EXPECT_FALSE(s.redraw);
  }
}

}  // namespace
}  // namespace sodwright::kolv
