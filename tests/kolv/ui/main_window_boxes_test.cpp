// SPDX-License-Identifier: GPL-3.0-or-later
// The sequence and depth boxes of the KOLV main window: their checks when
// they lose the focus, what a change clears, Redraw and Run&Model with an
// unordered pair.
#include "kolv/ui/chart_canvas.h"
#include "kolv_window_fixture.h"

namespace sodwright::kolv {
namespace {

using MainBoxes = KolvWindowTest;

std::size_t drawnItems(const KolvMainWindow& w, ChartKind kind) {
  return w.panel(kind)->canvas()->itemCount();
}

TEST_F(MainBoxes, SequenceChecksOnLeavingTheBox) {
  importAndRun();
  state.params.StartSeq = 2;  // as after an import of a file stored at sequence 2
  state.params.LastSeq = 6;
  fake.messages.shown.clear();

  typeAndLeave(main->firstSequenceBox, QStringLiteral("1"), main->lastSequenceBox);
  ASSERT_EQ(messages(),
            std::vector<std::string>{"Seqence No. can not be smaller than the first sequence No."});
  EXPECT_EQ(main->firstSequenceBox->text(), QStringLiteral("2"));
  EXPECT_EQ(state.params.FirstSeqShown, 2);

  // No upper check for the first box: only Redraw catches the order.
  typeAndLeave(main->firstSequenceBox, QStringLiteral("5.5"), main->lastSequenceBox);
  EXPECT_EQ(state.params.FirstSeqShown, 6);  // halves to even
  EXPECT_EQ(messages().size(), 1u);

  typeAndLeave(main->lastSequenceBox, QStringLiteral("7"), main->firstSequenceBox);
  EXPECT_EQ(messages().back(), "Seqence No. can not be bigger than the last sequence No.");
  EXPECT_EQ(main->lastSequenceBox->text(), QStringLiteral("6"));
  EXPECT_EQ(state.params.LastSeqShown, 6);

  // Beyond 16 bits: a failed check of that box, with its restored value.
  typeAndLeave(main->lastSequenceBox, QStringLiteral("-40000"), main->firstSequenceBox);
  EXPECT_EQ(main->lastSequenceBox->text(), QStringLiteral("6"));
  EXPECT_EQ(messages().size(), 3u);

  // An emptied box keeps the stored value and says nothing.
  typeAndLeave(main->lastSequenceBox, QString(), main->firstSequenceBox);
  EXPECT_EQ(state.params.LastSeqShown, 6);
  EXPECT_EQ(messages().size(), 3u);
}

TEST_F(MainBoxes, DepthChecksOnLeavingTheBox) {
  importAndRun();
  fake.messages.shown.clear();
  typeAndLeave(main->upLayerDepthBox, QStringLiteral("0"), main->subLayerDepthBox);
  typeAndLeave(main->subLayerDepthBox, QStringLiteral("-1"), main->upLayerDepthBox);
  EXPECT_EQ(messages(), (std::vector<std::string>{"Upper layer depth must greater then zero",
                                                  "subper layer depth must greater then zero"}));
  EXPECT_EQ(main->upLayerDepthBox->text(), QStringLiteral("0.2"));
  EXPECT_EQ(main->subLayerDepthBox->text(), QStringLiteral("0.2"));

  typeAndLeave(main->upLayerDepthBox, QStringLiteral("0.15"), main->subLayerDepthBox);
  EXPECT_DOUBLE_EQ(state.params.UpLayerDepth, 0.15);
  typeAndLeave(main->upLayerDepthBox, QString(), main->subLayerDepthBox);
  EXPECT_DOUBLE_EQ(state.params.UpLayerDepth, 0.15);
  EXPECT_EQ(messages().size(), 2u);
}

TEST_F(MainBoxes, ChangesClearTheirCharts) {
  importAndRun();
  for (ChartKind kind : kAllCharts) ASSERT_GT(drawnItems(*main, kind), 0u);

  QTest::keyClicks(main->upLayerDepthBox, QStringLiteral("5"));
  EXPECT_GT(drawnItems(*main, ChartKind::Elevation), 0u);
  EXPECT_GT(drawnItems(*main, ChartKind::SoilLoss), 0u);
  EXPECT_EQ(drawnItems(*main, ChartKind::UpLayer), 0u);
  EXPECT_EQ(drawnItems(*main, ChartKind::WholeProfile), 0u);

  QTest::keyClicks(main->firstSequenceBox, QStringLiteral("1"));
  for (ChartKind kind : kAllCharts) EXPECT_EQ(drawnItems(*main, kind), 0u);
}

TEST_F(MainBoxes, RedrawResetsAnUnorderedPairAndDrawsTheFullRange) {
  importAndRun();
  typeAndLeave(main->firstSequenceBox, QStringLiteral("1"), main->lastSequenceBox);
  fake.messages.shown.clear();
  main->redrawButton->click();
  ASSERT_FALSE(messages().empty());
  EXPECT_EQ(messages().front(), "The first seqence No. must be smaller than the last sequence No.");
  EXPECT_EQ(main->firstSequenceBox->text(), QStringLiteral("0"));
  EXPECT_EQ(main->lastSequenceBox->text(), QStringLiteral("1"));
  for (ChartKind kind : kAllCharts) EXPECT_GT(drawnItems(*main, kind), 0u);
  EXPECT_FALSE(main->redrawButton->isEnabled());
  EXPECT_TRUE(main->lastSequenceBox->hasFocus());
}

TEST_F(MainBoxes, RunModelRefusesAnUnorderedPairLikeRedraw) {
  importAndRun();
  typeAndLeave(main->firstSequenceBox, QStringLiteral("1"), main->lastSequenceBox);
  ASSERT_EQ(state.params.FirstSeqShown, 1);
  fake.messages.shown.clear();
  main->runModelAction->trigger();
  ASSERT_FALSE(messages().empty());
  EXPECT_EQ(messages().front(), "The first seqence No. must be smaller than the last sequence No.");
  EXPECT_EQ(state.params.FirstSeqShown, state.params.StartSeq);
  EXPECT_EQ(main->firstSequenceBox->text(), QStringLiteral("0"));
  EXPECT_FALSE(fake.busy.busy);
}

TEST_F(MainBoxes, PlaceholderLinesGoWithTheFirstDrawing) {
  for (int n = 1; n <= 8; ++n) ASSERT_FALSE(main->line(n)->isHidden()) << n;
  importTransect(writeTransect());
  main->chartMenu->menuAction()->setEnabled(true);
  main->soilLossChartAction->trigger();  // one chart: its own pair only
  EXPECT_TRUE(main->line(3)->isHidden());
  EXPECT_TRUE(main->line(4)->isHidden());
  EXPECT_FALSE(main->line(1)->isHidden());
  importAndRun();
  for (int n = 1; n <= 8; ++n) EXPECT_TRUE(main->line(n)->isHidden()) << n;
}

TEST_F(MainBoxes, AFailingChartIsReportedAndTheOthersAreDrawn) {
  importAndRun();
  state.results.SoilLoss = NodeArray<float>();  // the soil loss values are gone
  fake.messages.shown.clear();
  main->showRunResults();
  EXPECT_EQ(messages(),
            std::vector<std::string>{"Draw Soil Loss Rate failed. Program will skip this step."});
  EXPECT_GT(drawnItems(*main, ChartKind::Elevation), 0u);
  EXPECT_GT(drawnItems(*main, ChartKind::UpLayer), 0u);
  EXPECT_GT(drawnItems(*main, ChartKind::WholeProfile), 0u);
}

}  // namespace
}  // namespace sodwright::kolv
