// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/ui/uncertainty_dialog.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPointer>
#include <QVBoxLayout>

#include "base/number_text.h"
#include "base/text/text_file.h"
#include "kolv/parameter_table.h"
#include "kolv/study/ensemble_csv_writer.h"
#include "kolv/study/study_runs.h"
#include "kolv/ui/kolv_help.h"
#include "platform/file_dialog.h"
#include "platform/program_starter.h"
#include "platform/system_memory.h"

namespace sodwright::kolv {

namespace {

constexpr const char* kDistributions[] = {"normal", "lognormal", "uniform", "triangular"};

QString text(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

UncertaintyDialog::UncertaintyDialog(const KolvState& state, platform::AppContext& context,
                                     QWidget* parent)
    : QDialog(parent), state_(state), context_(context) {
  setObjectName(QStringLiteral("FrmUncertainty"));
  setWindowTitle(QStringLiteral("Uncertainty"));
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  layout->addLayout(grid);
  const char* heads[] = {"Vary", "Distribution", "Mean, median or low", "SD, GSD, high or mode",
                         "High (triangular)"};
  for (int c = 0; c < 5; ++c) grid->addWidget(new QLabel(QString::fromLatin1(heads[c])), 0, c);
  int r = 1;
  for (const EnsembleParameterInfo& info : ensembleParameters()) {
    ParameterRow row;
    row.parameter = info.id;
    const QString name = QString::fromLatin1(info.name);
    row.vary = new QCheckBox(name);
    row.vary->setObjectName(QStringLiteral("ChkVary_") + name);
    row.vary->setToolTip(QString::fromLatin1(info.meaning));
    row.distribution = new QComboBox;
    row.distribution->setObjectName(QStringLiteral("CboDistribution_") + name);
    for (const char* d : kDistributions) row.distribution->addItem(QString::fromLatin1(d));
    row.distribution->setAccessibleName(name + QStringLiteral(" distribution"));
    grid->addWidget(row.vary, r, 0);
    grid->addWidget(row.distribution, r, 1);
    const char* roles[] = {"first number", "second number", "third number"};
    for (int k = 0; k < 3; ++k) {
      auto* box = new QLineEdit;
      box->setObjectName(QStringLiteral("TxtDistribution%1_").arg(k + 1) + name);
      box->setAccessibleName(name + QLatin1Char(' ') + QString::fromLatin1(roles[k]));
      grid->addWidget(box, r, 2 + k);
      row.numbers[static_cast<std::size_t>(k)] = box;
    }
    row.numbers[0]->setText(
        text(parameterValueText(info.id, parameterValue(state.params, info.id))));
    row.numbers[1]->setText(QStringLiteral("0"));
    rows_.push_back(row);
    ++r;
  }

  auto* settings = new QGridLayout;
  layout->addLayout(settings);
  const auto addBox = [&](int at, const char* caption, const char* name, const char* value) {
    auto* label = new QLabel(QString::fromLatin1(caption));
    auto* box = new QLineEdit(QString::fromLatin1(value));
    box->setObjectName(QString::fromLatin1(name));
    label->setBuddy(box);
    settings->addWidget(label, at, 0);
    settings->addWidget(box, at, 1);
    return box;
  };
  runsBox = addBox(0, "&Runs:", "TxtRuns", "200");
  seedBox = addBox(1, "S&eed:", "TxtSeed", "1");
  percentilesBox = addBox(2, "&Percentiles:", "TxtPercentiles", "5,50,95");

  progressBar = new QProgressBar;
  progressBar->setObjectName(QStringLiteral("PrgMembers"));
  progressBar->setAccessibleName(QStringLiteral("Members run"));
  progressBar->setValue(0);
  layout->addWidget(progressBar);
  summaryLabel = new QLabel;
  summaryLabel->setObjectName(QStringLiteral("LblSummary"));
  summaryLabel->setWordWrap(true);
  summaryLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(summaryLabel);

  auto* buttons = new QHBoxLayout;
  layout->addLayout(buttons);
  const auto addButton = [&](const char* caption, const char* name) {
    auto* button = new QPushButton(QString::fromLatin1(caption));
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    buttons->addWidget(button);
    return button;
  };
  runButton = addButton("R&un", "CmdRun");
  runButton->setDefault(true);
  cancelButton = addButton("Cancel", "CmdCancel");
  saveCsvButton = addButton("Save &CSV...", "CmdSaveCsv");
  helpButton = addButton("&Help", "CmdHelp");
  closeButton = addButton("C&lose", "CmdClose");
  cancelButton->setEnabled(false);
  saveCsvButton->setEnabled(false);
  connect(runButton, &QPushButton::clicked, this, &UncertaintyDialog::onRunClicked);
  connect(cancelButton, &QPushButton::clicked, this, &UncertaintyDialog::onCancelClicked);
  connect(saveCsvButton, &QPushButton::clicked, this, &UncertaintyDialog::onSaveCsvClicked);
  connect(helpButton, &QPushButton::clicked, this, &UncertaintyDialog::onHelpClicked);
  connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
}

UncertaintyDialog::~UncertaintyDialog() { stopWorker(); }

UncertaintyDialog::ParameterRow* UncertaintyDialog::row(EnsembleParameter parameter) {
  for (ParameterRow& r : rows_)
    if (r.parameter == parameter) return &r;
  return nullptr;
}

base::Result<EnsembleSetup> UncertaintyDialog::readSetup() const {
  EnsembleSetup setup;
  const std::string runs = runsBox->text().trimmed().toStdString();
  const long long count = runs.empty() ? 0 : std::atoll(runs.c_str());
  if (count < 1 || std::to_string(count) != runs)
    return base::fail("Runs must be a whole number of at least 1.");
  setup.runs = static_cast<std::size_t>(count);
  const std::string seed = seedBox->text().trimmed().toStdString();
  bool seedRead = false;
  setup.seed = seedBox->text().trimmed().toULongLong(&seedRead);
  if (!seedRead || seed.empty()) return base::fail("The seed must be a whole number from 0 up.");
  auto percentiles = parsePercentiles(percentilesBox->text().trimmed().toStdString());
  if (!percentiles) return base::fail(percentiles.message());
  setup.percentiles = std::move(*percentiles);
  for (const ParameterRow& r : rows_) {
    if (!r.vary->isChecked()) continue;
    std::string given = std::string(ensembleParameterName(r.parameter)) + "=" +
                        r.distribution->currentText().toStdString();
    const int numbers = r.distribution->currentText() == QStringLiteral("triangular") ? 3 : 2;
    for (int k = 0; k < numbers; ++k)
      given += ":" + r.numbers[static_cast<std::size_t>(k)]->text().trimmed().toStdString();
    auto varied = parseVariedParameter(given);
    if (!varied) return base::fail(varied.message());
    setup.varied.push_back(*varied);
  }
  if (setup.varied.empty()) return base::fail("Tick at least one parameter to vary.");
  return setup;
}

void UncertaintyDialog::setRunning(bool running) {
  runButton->setEnabled(!running);
  cancelButton->setEnabled(running);
  closeButton->setEnabled(!running);
  for (ParameterRow& r : rows_) {
    r.vary->setEnabled(!running);
    r.distribution->setEnabled(!running);
    for (QLineEdit* box : r.numbers) box->setEnabled(!running);
  }
  for (QLineEdit* box : {runsBox, seedBox, percentilesBox}) box->setEnabled(!running);
}

void UncertaintyDialog::onRunClicked() {
  if (running()) return;
  auto setup = readSetup();
  if (!setup) {
    context_.messages.inform(setup.message());
    return;
  }
  if (!state_.imported) {
    context_.messages.inform("Import a transect first.");
    return;
  }
  const std::size_t asked = setup->runs;
  progressBar->setRange(0, static_cast<int>(std::min<std::size_t>(asked, 1u << 30)));
  progressBar->setValue(0);
  cancel_ = false;
  setup->cancel = &cancel_;
  QPointer<QProgressBar> bar = progressBar;
  setup->progress = [bar](std::size_t done) {
    QMetaObject::invokeMethod(
        bar,
        [bar, done] {
          if (bar) bar->setValue(static_cast<int>(done));
        },
        Qt::QueuedConnection);
  };
  setRunning(true);
  // The workers read a copy (the window's study may change while they run),
  // set up as the batch's kolv-ensemble sets its study.
  auto study = std::make_shared<const KolvState>(studyFromBoxes(state_));
  task_ = std::make_unique<base::BackgroundTask<base::Result<EnsembleResult>>>(
      [study, run = std::move(*setup)] {
        return runEnsemble(*study, run, platform::usableMemoryBytes());
      },
      [this, asked] {
        QMetaObject::invokeMethod(
            this, [this, asked] { finish(asked); }, Qt::QueuedConnection);
      });
}

void UncertaintyDialog::finish(std::size_t asked) {
  if (!task_) return;
  std::optional<base::Result<EnsembleResult>> outcome;
  std::string failure;
  try {
    outcome.emplace(task_->get());
  } catch (const std::exception& e) {
    failure = e.what();
  } catch (...) {
    failure = "unknown error";
  }
  task_.reset();
  if (!outcome) {
    setRunning(false);
    context_.messages.inform("The ensemble failed: " + failure);
    return;
  }
  setRunning(false);
  if (!outcome->ok()) {
    context_.messages.inform(outcome->message());
    return;
  }
  if (outcome->value().cancelled) {
    context_.messages.inform("Cancelled after " + std::to_string(outcome->value().ran) + " of " +
                             std::to_string(asked) + " members; the charts are unchanged.");
    return;
  }
  auto result = std::make_shared<const EnsembleResult>(std::move(outcome->value()));
  result_ = result;
  saveCsvButton->setEnabled(true);
  std::string summary = std::to_string(result->kept) + " of " + std::to_string(result->ran) +
                        " members summarised; " + std::to_string(result->unstable) +
                        " flagged unstable by the stability estimate";
  if (result->failed > 0) summary += "; " + std::to_string(result->failed) + " failed";
  const std::string nodes = summaryNodesText(result->summary, result->studyRun.params.LastSeq);
  summary += ".\nMean soil loss (kg/m2/Seq" + (nodes.empty() ? "" : ", " + nodes) + "):";
  for (std::size_t k = 0; k < result->percentiles.size(); ++k)
    summary += " p" + base::generalText(result->percentiles[k]) + " " +
               base::generalText(result->meanLossPercentiles[k], 6);
  summary += "\nRank correlation with the mean soil loss:";
  for (std::size_t k = 0; k < result->sensitivity.size(); ++k) {
    const double rho = result->sensitivity[k];
    const double partial = result->partialSensitivity[k];
    summary +=
        std::string(k == 0 ? " " : ", ") + ensembleParameterName(result->varied[k]) + " " +
        (std::isnan(rho) ? std::string("n/a") : base::nearestFixedText(rho, 3)) + " (partial " +
        (std::isnan(partial) ? std::string("n/a") : base::nearestFixedText(partial, 3)) + ")";
  }
  summaryLabel->setText(text(summary));
  emit ensembleReady(result);
}

void UncertaintyDialog::onCancelClicked() { cancel_ = true; }

void UncertaintyDialog::onSaveCsvClicked() {
  if (!result_) return;
  const std::string path = context_.fileDialogs.askSaveFileName(platform::kCsvFilter);
  if (path.empty()) return;
  if (auto written = base::writeWholeFile(path, ensembleCsvText(*result_)); !written)
    context_.messages.inform("The output could not be written.\n" + written.message());
}

void UncertaintyDialog::onHelpClicked() {
  platform::showHelpPage(context_.programs, context_.messages, kolvHelpAddress("ensembles"));
}

void UncertaintyDialog::stopWorker() {
  cancel_ = true;
  task_.reset();  // waits for the members already started
}

void UncertaintyDialog::closeEvent(QCloseEvent* event) {
  if (running()) {
    event->ignore();  // Cancel first: the members already started finish
    return;
  }
  QDialog::closeEvent(event);
}

}  // namespace sodwright::kolv
