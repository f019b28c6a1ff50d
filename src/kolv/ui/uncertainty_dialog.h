// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Uncertainty" (Run menu of the KOLV main window): an ensemble of the
// current study. Each parameter that may be varied has a row: its check
// box, the distribution and up to three numbers (normal: mean and SD;
// lognormal: median and GSD; uniform: low and high; triangular: low, mode
// and high). With the number of runs, the seed and the percentiles, Run
// draws and runs the members on worker threads (progress bar; Cancel stops
// the members not yet started), then hands the result to the main window,
// which draws the band on its four charts. A refused input shows its message
// and changes nothing; so does a cancelled or failed ensemble.

#include <atomic>
#include <memory>
#include <vector>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "base/threads/parallel.h"
#include "kolv/state/kolv_state.h"
#include "kolv/study/ensemble_run.h"
#include "platform/app_context.h"

namespace sodwright::kolv {

class UncertaintyDialog : public QDialog {
  Q_OBJECT

 public:
  UncertaintyDialog(const KolvState& state, platform::AppContext& context,
                    QWidget* parent = nullptr);
  ~UncertaintyDialog() override;

  struct ParameterRow {
    EnsembleParameter parameter;
    QCheckBox* vary = nullptr;
    QComboBox* distribution = nullptr;
    std::array<QLineEdit*, 3> numbers{};
  };
  const std::vector<ParameterRow>& rows() const { return rows_; }
  ParameterRow* row(EnsembleParameter parameter);

  QLineEdit* runsBox = nullptr;
  QLineEdit* seedBox = nullptr;
  QLineEdit* percentilesBox = nullptr;
  QPushButton* runButton = nullptr;
  QPushButton* cancelButton = nullptr;
  QPushButton* saveCsvButton = nullptr;
  QPushButton* helpButton = nullptr;
  QPushButton* closeButton = nullptr;
  QProgressBar* progressBar = nullptr;
  QLabel* summaryLabel = nullptr;

  bool running() const { return task_ != nullptr; }
  // The last ensemble that ran through, or null.
  std::shared_ptr<const EnsembleResult> result() const { return result_; }

  // The ensemble the boxes ask for; fails with the message to show.
  base::Result<EnsembleSetup> readSetup() const;

 signals:
  // An ensemble ran through: the main window draws its band.
  void ensembleReady(std::shared_ptr<const EnsembleResult> result);

 public slots:
  void onRunClicked();
  void onCancelClicked();
  void onSaveCsvClicked();
  void onHelpClicked();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void finish(std::size_t asked);
  void stopWorker();
  void setRunning(bool running);

  const KolvState& state_;
  platform::AppContext& context_;
  std::vector<ParameterRow> rows_;
  // The running ensemble; its failure comes back through get() in finish.
  std::unique_ptr<base::BackgroundTask<base::Result<EnsembleResult>>> task_;
  std::atomic<bool> cancel_{false};
  std::shared_ptr<const EnsembleResult> result_;
};

}  // namespace sodwright::kolv
