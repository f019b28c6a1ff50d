// SPDX-License-Identifier: GPL-3.0-or-later
// Run, Uncertainty: refused input says why and changes nothing; an ensemble
// draws its band on the four charts with a legend that says which band;
// Cancel leaves the charts as they were; the CSV is the computation's.

#include "kolv/ui/uncertainty_dialog.h"

#include <fstream>
#include <sstream>

#include "kolv/study/ensemble_charts.h"
#include "kolv/study/ensemble_csv_writer.h"
#include "kolv_window_fixture.h"

namespace sodwright::kolv {
namespace {

class UncertaintyWindow : public KolvWindowTest {
 protected:
  UncertaintyDialog* open() {
    main->uncertaintyAction->trigger();
    UncertaintyDialog* dialog = main->uncertaintyDialog();
    EXPECT_NE(dialog, nullptr);
    return dialog;
  }
  void vary(UncertaintyDialog* d, EnsembleParameter p, const char* distribution, QString a,
            QString b) {
    auto* row = d->row(p);
    row->vary->setChecked(true);
    row->distribution->setCurrentText(QString::fromLatin1(distribution));
    row->numbers[0]->setText(a);
    row->numbers[1]->setText(b);
  }
  static bool finished(UncertaintyDialog* d) {
    return QTest::qWaitFor([d] { return !d->running() && d->runButton->isEnabled(); }, 60000);
  }
  // Every chart's operations and legend, as text to compare.
  std::string drawings() const {
    std::ostringstream out;
    for (ChartKind kind : kAllCharts) {
      for (const platform::DrawOp& op : main->panel(kind)->drawing())
        out << static_cast<int>(op.kind) << ' ' << op.a << ' ' << op.b << ' ' << op.c << ' ' << op.d
            << ' ' << int{op.colour.r} << ' ' << op.text << '\n';
      for (const ChartKeyEntry& e : main->panel(kind)->key().entries) out << e.text << '\n';
    }
    return out.str();
  }
};

TEST_F(UncertaintyWindow, RefusedInputShowsItsReasonAndChangesNothing) {
  importAndRun();
  EXPECT_TRUE(main->uncertaintyAction->isEnabled());
  UncertaintyDialog* d = open();
  const auto before = drawings();
  const std::pair<std::function<void()>, const char*> cases[] = {
      {[&] { d->runsBox->setText(QStringLiteral("0")); }, "Runs must be a whole number"},
      {[&] {
         vary(d, EnsembleParameter::Beta, "normal", QStringLiteral("0.003"), QStringLiteral("-1"));
       },
       "SD must be >= 0"},
      {[&] {
         vary(d, EnsembleParameter::Beta, "uniform", QStringLiteral("2"), QStringLiteral("1"));
       },
       "LO must not exceed HI"},
      {[&] { d->percentilesBox->setText(QStringLiteral("95,5")); }, "ascending order"},
      {[&] { d->percentilesBox->setText(QStringLiteral("5,101")); }, "from 0 to 100"},
  };
  for (const auto& [change, reason] : cases) {
    d->runsBox->setText(QStringLiteral("4"));
    d->percentilesBox->setText(QStringLiteral("5,50,95"));
    vary(d, EnsembleParameter::Beta, "uniform", QStringLiteral("0.002"), QStringLiteral("0.004"));
    change();
    fake.messages.shown.clear();
    d->runButton->click();
    ASSERT_EQ(fake.messages.texts().size(), 1u) << reason;
    EXPECT_NE(fake.messages.texts()[0].find(reason), std::string::npos) << fake.messages.texts()[0];
    EXPECT_FALSE(d->running());
    EXPECT_EQ(drawings(), before) << reason;
  }
  // Nothing ticked.
  d->row(EnsembleParameter::Beta)->vary->setChecked(false);
  d->percentilesBox->setText(QStringLiteral("5,50,95"));
  fake.messages.shown.clear();
  d->runButton->click();
  EXPECT_EQ(fake.messages.texts(),
            std::vector<std::string>{"Tick at least one parameter to vary."});
  // The runs box has its label as buddy.
  bool buddied = false;
  for (const QLabel* l : d->findChildren<QLabel*>()) buddied = buddied || l->buddy() == d->runsBox;
  EXPECT_TRUE(buddied);
}

TEST_F(UncertaintyWindow, AnEnsembleDrawsItsBandAndSavesItsCsv) {
  importAndRun();
  UncertaintyDialog* d = open();
  d->runsBox->setText(QStringLiteral("12"));
  d->seedBox->setText(QStringLiteral("3"));
  vary(d, EnsembleParameter::Beta, "uniform", QStringLiteral("0.002"), QStringLiteral("0.006"));
  d->runButton->click();
  ASSERT_TRUE(finished(d));
  ASSERT_NE(d->result(), nullptr);
  EXPECT_TRUE(fake.messages.texts().empty());
  EXPECT_EQ(d->progressBar->value(), 12);
  for (ChartKind kind : kAllCharts) {
    const ChartPanel* panel = main->panel(kind);
    ASSERT_FALSE(panel->key().entries.empty());
    EXPECT_EQ(panel->key().entries[0].text, "5-95 % of 12 members");
    EXPECT_EQ(panel->key().entries[1].text, "Median (50 %)");
    int areas = 0;
    for (const platform::DrawOp& op : panel->drawing())
      areas += op.kind == platform::DrawOp::Kind::Polygon && op.colour == chart_colours::kBandShade;
    EXPECT_EQ(areas, 1);
    // The end zones of the last sequence are shaded, as in the batch's figure.
    const KolvState& own = d->result()->studyRun;
    ASSERT_FALSE(panel->canvas()->shadedBands().empty());
    EXPECT_EQ(panel->canvas()->shadedBands().size(), endZoneBands(own, own.params.LastSeq).size());
    EXPECT_EQ(panel->canvas()->shadedBands()[0].to, endZoneBands(own, own.params.LastSeq)[0].to);
    EXPECT_FALSE(panel->endZoneLegend()->isHidden());
  }
  const std::string path = dir.filePath(QStringLiteral("ensemble.csv")).toStdString();
  fake.fileDialogs.names = {path};
  d->saveCsvButton->click();
  std::ifstream in(path, std::ios::binary);
  std::stringstream written;
  written << in.rdbuf();
  EXPECT_EQ(written.str(), ensembleCsvText(*d->result()));
}

TEST_F(UncertaintyWindow, CancelLeavesTheChartsAsTheyWere) {
  importAndRun();
  UncertaintyDialog* d = open();
  const auto before = drawings();
  d->runsBox->setText(QStringLiteral("100000"));
  vary(d, EnsembleParameter::Alpha, "normal", QStringLiteral("0.3"), QStringLiteral("0.05"));
  d->runButton->click();
  EXPECT_TRUE(d->cancelButton->isEnabled());
  EXPECT_FALSE(d->closeButton->isEnabled());
  d->cancelButton->click();
  ASSERT_TRUE(finished(d));
  ASSERT_EQ(fake.messages.texts().size(), 1u);
  EXPECT_NE(fake.messages.texts()[0].find("Cancelled after"), std::string::npos)
      << fake.messages.texts()[0];
  EXPECT_EQ(drawings(), before);
  EXPECT_EQ(d->result(), nullptr);
}

}  // namespace
}  // namespace sodwright::kolv
