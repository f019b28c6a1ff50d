// SPDX-License-Identifier: GPL-3.0-or-later
// One study, one answer: the shipped example tilled in alternating
// directions, run once with "Run KOLV" in the window, then fitted in the
// Fit dialog and varied in the Uncertainty dialog, gives the bits that
// sodwright-batch gives for the same study (kolv-fit --json and
// kolv-ensemble --csv, read from the files the runner writes).

#include <QCheckBox>
#include <QComboBox>
#include <QProcess>

#include "kolv/fit/fit_report.h"
#include "kolv/study/ensemble_csv_writer.h"
#include "kolv/ui/kolv_fit_window.h"
#include "kolv/ui/uncertainty_dialog.h"
#include "kolv_window_fixture.h"

namespace sodwright::kolv {
namespace {

const std::string kExamples = SODWRIGHT_EXAMPLES_DIR;
const std::string kTransect = kExamples + "/hillslope-transect.txt";
const std::string kMeasured = kExamples + "/hillslope-measured-after-10.txt";

// The runner's exit status, after it wrote its outputs.
int runBatch(const QStringList& arguments) {
  QProcess batch;
  batch.start(QStringLiteral(SODWRIGHT_BATCH_EXE), arguments);
  if (!batch.waitForFinished(600000)) return -1;
  return batch.exitStatus() == QProcess::NormalExit ? batch.exitCode() : -1;
}

std::string fileText(const QString& path) {
  std::ifstream in(path.toStdString(), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The fit's JSON without its run time, the one line that may differ.
std::string withoutSeconds(const std::string& json) {
  std::istringstream in(json);
  std::string out, line;
  while (std::getline(in, line))
    if (line.find("\"seconds\"") == std::string::npos) out += line + '\n';
  return out;
}

QString qs(const std::string& text) { return QString::fromStdString(text); }

using WindowBatchAgreement = KolvWindowTest;

TEST_F(WindowBatchAgreement, FitAndEnsembleOfTheWindowsStudyAreTheBatchsBits) {
  importTransect(kTransect);
  ASSERT_TRUE(state.imported);
  KolvParameterWindow* parameters = openParameterWindow();
  ASSERT_NE(parameters, nullptr);
  typeAndLeave(parameters->sequenceCountBox, QStringLiteral("10"), parameters->alphaBox);
  parameters->tillageDirectionList->setCurrentIndex(kAlternative);
  parameters->onTillageDirectionActivated(kAlternative);
  parameters->okButton->click();
  parameters->runKolvButton->click();
  QApplication::processEvents();
  ASSERT_TRUE(state.simulated);
  ASSERT_TRUE(messages().empty()) << messages()[0];

  // The fit, in the dialog and in the runner.
  main->fitAction->trigger();
  KolvFitWindow* fit = main->fitWindow();
  ASSERT_NE(fit, nullptr);
  fit->measuredFileBox->setText(qs(kMeasured));
  fit->alphaCheck->setChecked(true);
  fit->betaCheck->setChecked(true);
  fit->fitButton->click();
  ASSERT_TRUE(QTest::qWaitFor([fit] { return fit->useValuesButton->isEnabled(); }, 600000));
  ASSERT_NE(fit->result(), nullptr);
  const QString json = dir.filePath(QStringLiteral("fit.json"));
  ASSERT_EQ(runBatch({QStringLiteral("kolv-fit"), qs(kTransect), QStringLiteral("--direction"),
                      QStringLiteral("alternative"), QStringLiteral("--observed"), qs(kMeasured),
                      QStringLiteral("--fit"), QStringLiteral("alpha,beta"),
                      QStringLiteral("--json"), json}),
            0);
  EXPECT_EQ(withoutSeconds(fitReportJson(*fit->result(), fit->reportContext())),
            withoutSeconds(fileText(json)));
  fit->close();

  // The ensemble, in the dialog and in the runner; its study run is the
  // window's own run.
  main->uncertaintyAction->trigger();
  UncertaintyDialog* ensemble = main->uncertaintyDialog();
  ASSERT_NE(ensemble, nullptr);
  auto* beta = ensemble->row(EnsembleParameter::Beta);
  beta->vary->setChecked(true);
  beta->distribution->setCurrentText(QStringLiteral("uniform"));
  beta->numbers[0]->setText(QStringLiteral("0.002"));
  beta->numbers[1]->setText(QStringLiteral("0.005"));
  ensemble->runsBox->setText(QStringLiteral("12"));
  ensemble->seedBox->setText(QStringLiteral("7"));
  ensemble->runButton->click();
  ASSERT_TRUE(QTest::qWaitFor([ensemble] { return ensemble->result() != nullptr; }, 600000));
  const EnsembleResult& members = *ensemble->result();
  double largest = 0;
  for (int i = 0; i < state.params.NodeCount; ++i)
    largest = std::max(largest, std::fabs(members.deterministic[kDeltaElev][i] -
                                          quantityAt(state, kDeltaElev, i)));
  EXPECT_EQ(largest, 0.0) << "the study run's DeltaElev differs from the window's by " << largest;
  const QString csv = dir.filePath(QStringLiteral("ensemble.csv"));
  ASSERT_EQ(runBatch({QStringLiteral("kolv-ensemble"), qs(kTransect), QStringLiteral("--direction"),
                      QStringLiteral("alternative"), QStringLiteral("--sequences"),
                      QStringLiteral("10"), QStringLiteral("--runs"), QStringLiteral("12"),
                      QStringLiteral("--seed"), QStringLiteral("7"), QStringLiteral("--vary"),
                      QStringLiteral("beta=uniform:0.002:0.005"), QStringLiteral("--csv"), csv}),
            0);
  EXPECT_EQ(ensembleCsvText(members), fileText(csv));
}

}  // namespace
}  // namespace sodwright::kolv
