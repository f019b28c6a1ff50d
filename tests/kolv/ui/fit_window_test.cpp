// SPDX-License-Identifier: GPL-3.0-or-later
// Run, "Fit to Measurements...": a measured file that does not fit the
// transect is refused with its reason and changes nothing; the worked
// example's fit runs off the window's thread under the busy pointer, fills
// the table and the chart, and "Use These Values" takes the estimates into
// the parameter set.

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTableWidget>

#include "kolv/ui/kolv_fit_window.h"
#include "kolv_window_fixture.h"

namespace sodwright::kolv {
namespace {

using FitWindowTest = KolvWindowTest;

TEST_F(FitWindowTest, RefusesAMismatchedFileThenFitsTheWorkedExampleAndUsesTheValues) {
  EXPECT_FALSE(main->fitAction->isEnabled());  // nothing imported yet
  const std::string examples = SODWRIGHT_EXAMPLES_DIR;
  const std::string otherTransect = writeTransect(40);
  importTransect(examples + "/hillslope-transect.txt");
  ASSERT_TRUE(state.imported);
  ASSERT_TRUE(main->fitAction->isEnabled());
  main->fitAction->trigger();
  KolvFitWindow* fit = main->fitWindow();
  ASSERT_NE(fit, nullptr);
  fit->alphaCheck->setChecked(true);
  fit->betaCheck->setChecked(true);

  const TranslocationParameters before = state.params;
  fit->measuredFileBox->setText(QString::fromStdString(otherTransect));
  fit->fitButton->click();
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_NE(messages()[0].find("the observed file has 40 points; INPUT has 300"),
            std::string::npos);
  EXPECT_FALSE(fit->fitting());
  EXPECT_EQ(fit->resultTable->rowCount(), 0);
  EXPECT_EQ(state.params.Alpha, before.Alpha);

  fit->measuredFileBox->setText(
      QString::fromStdString(examples + "/hillslope-measured-after-10.txt"));
  fit->fitButton->click();
  EXPECT_TRUE(fake.busy.busy);
  EXPECT_TRUE(fit->cancelButton->isEnabled());
  ASSERT_TRUE(QTest::qWaitFor([fit] { return fit->useValuesButton->isEnabled(); }, 300000));
  EXPECT_FALSE(fake.busy.busy);
  EXPECT_FALSE(fit->cancelButton->isEnabled());
  ASSERT_EQ(fit->resultTable->rowCount(), 2);
  EXPECT_EQ(fit->resultTable->item(1, 0)->text(), QStringLiteral("Betta"));
  const double beta = fit->resultTable->item(1, 1)->text().toDouble();
  EXPECT_NEAR(beta, 0.0034, 0.0002);  // the guide's worked example
  // The batch's report: standard errors, intervals, correlations, the
  // table's standard error among them; the box is named by its label.
  const QString report = fit->reportBox->toPlainText();
  for (const char* part : {"Std. error", "95 % interval", "Correlation", "RMSE:"})
    EXPECT_TRUE(report.contains(QString::fromLatin1(part))) << part;
  EXPECT_EQ(fit->resultTable->horizontalHeaderItem(2)->text(), QStringLiteral("Std. error"));
  EXPECT_TRUE(report.contains(fit->resultTable->item(1, 2)->text()));
  bool labelled = false;
  for (const QLabel* label : fit->findChildren<QLabel*>())
    labelled |= label->buddy() == fit->reportBox;
  EXPECT_TRUE(labelled);
  EXPECT_EQ(state.params.Beta, before.Beta);  // nothing taken until asked

  fit->useValuesButton->click();
  EXPECT_NEAR(state.params.Beta, beta, 1e-8);
  EXPECT_NE(state.params.Alpha, before.Alpha);
  EXPECT_EQ(messages().size(), 1u);
}

}  // namespace
}  // namespace sodwright::kolv
