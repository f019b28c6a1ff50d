// SPDX-License-Identifier: GPL-3.0-or-later
// The menu commands and the Redraw button of the KOLV main window.

#include "base/number_text.h"
#include "base/text/report_date.h"
#include "kolv/io/compare_csv_writer.h"
#include "kolv/io/compare_report_writer.h"
#include "kolv/io/last_sequence_writer.h"
#include "kolv/kolv_commands.h"
#include "kolv/stability/stability_end_zones.h"
#include "kolv/ui/kolv_fit_window.h"
#include "kolv/ui/kolv_help.h"
#include "kolv/ui/kolv_import_command.h"
#include "kolv/ui/kolv_main_window.h"
#include "kolv/ui/kolv_parameter_window.h"
#include "platform/busy_indicator.h"
#include "platform/file_dialog.h"
#include "shared_ui/window_hub.h"

namespace sodwright::kolv {

void KolvMainWindow::onImportFileTriggered() {
  // The boxes change only once a transect has come in (see showPair):
  // a cancelled or failed import leaves them, the charts and the menus as
  // they were, so the boxes always show what Redraw and the reports use.
  import_->start();
}

void KolvMainWindow::onLastSequenceTriggered() { writeOutput(false); }
void KolvMainWindow::onCompareResultsTriggered() { writeOutput(true); }

// The comparison as CSV, for a spreadsheet: not opened in the text editor.
void KolvMainWindow::onCompareResultsCsvTriggered() {
  const std::string path = context_.fileDialogs.askSaveFileName(platform::kCsvFilter);
  if (path.empty()) return;
  base::Result<> written;
  {
    platform::BusyScope busy(context_.busy);
    const Int16 first = state_.params.FirstSeqShown, last = state_.params.LastSeqShown;
    written = writeCompareCsvFile(path, state_, first, last,
                                  CompareEndZoneFlag(state_.params, first, last));
  }
  if (!written) showMessage("The output could not be written.\n" + written.message());
}

void KolvMainWindow::writeOutput(bool compareReport) {
  context_.busy.setBusyPointer(false);
  const std::string path = context_.fileDialogs.askSaveFileName(platform::kReportFilter);
  if (path.empty()) return;
  const TranslocationParameters& p = state_.params;
  base::Result<> written;
  {
    // Pointer and note come back on every way out, a failed write included.
    platform::BusyScope busy(context_.busy);
    if (compareReport) {
      written = writeCompareReportFile(path, state_, p.FirstSeqShown, p.LastSeqShown,
                                       base::todayShortDate());
    } else {
      written = writeLastSequenceFile(path, state_, p.LastSeqShown);
    }
  }
  if (!written) {
    showMessage("The output could not be written.\n" + written.message());
    return;
  }
  platform::showWrittenReport(context_.programs, context_.messages, path);
}

void KolvMainWindow::onExitTriggered() {
  if (context_.messages.confirm("Are you really want to Quit the Program", "Quit?"))
    hub_.quitProgram();
}

void KolvMainWindow::onShowDataTriggered() {
  // Opened from the menu the viewer stays: the timer is not started.
  hub_.showDataViewer();
}

void KolvMainWindow::onFitTriggered() {
  if (!fit_) {
    fit_ = new KolvFitWindow(state_, context_, this);
    fit_->setAttribute(Qt::WA_DeleteOnClose);
    // The parameter window, when open, shows the values taken.
    connect(fit_, &KolvFitWindow::valuesUsed, this, [this] {
      if (!parameter_) return;
      const TranslocationParameters& p = state_.params;
      parameter_->alphaBox->setText(QString::fromStdString(base::generalTextSingle(p.Alpha)));
      parameter_->betaBox->setText(QString::fromStdString(base::generalTextSingle(p.Beta)));
      parameter_->gammaBox->setText(QString::fromStdString(base::generalTextSingle(p.Gamma)));
      parameter_->tillageDepthBox->setText(QString::fromStdString(base::generalText(p.TillDepth)));
    });
  }
  fit_->show();
  fit_->raise();
  fit_->activateWindow();
}

void KolvMainWindow::onParameterTriggered() {
  if (!parameter_) {
    parameter_ = new KolvParameterWindow(state_, context_, hub_, this);
    connect(parameter_, &KolvParameterWindow::parametersAccepted, this,
            [this] { applyMenuStates(KolvEvent::ParametersAccepted); });
    connect(parameter_, &KolvParameterWindow::quitPressed, this, &QWidget::show);
    connect(parameter_, &KolvParameterWindow::runFinished, this, [this] {
      // The viewer the run opened closes itself again.
      showDataTimer->start();
      showRunResults();
    });
    connect(parameter_, &KolvParameterWindow::runFailed, this, &KolvMainWindow::showRunFailure);
  }
  parameter_->show();
  parameter_->raise();
  parameter_->activateWindow();
  parameter_->sequenceCountBox->setFocus();
}

void KolvMainWindow::onRunModelTriggered() {
  CommandOutcome outcome;
  {
    platform::BusyScope busy(context_.busy);
    outcome = runModel(state_, context_.messages);
  }
  if (outcome.pairReset) showSequenceBoxes();
  if (outcome.failed) showRunFailure();
  if (!outcome.compared) return;
  applyMenuStates(KolvEvent::Ran);
  afterComparison();
}

void KolvMainWindow::onRedrawClicked() {
  const CommandOutcome outcome = redraw(state_, context_.messages);
  if (outcome.pairReset) showSequenceBoxes();
  if (outcome.failed) showRunFailure();
  if (!outcome.compared) return;
  afterComparison();
}

// What Redraw and Run&Model do once the shown pair is compared.
void KolvMainWindow::afterComparison() {
  setPlaceholderLinesVisible(false);
  applyMenuStates(KolvEvent::Redrawn);
  lastSequenceBox->setFocus();
  drawCharts();
}

void KolvMainWindow::onHelpFileTriggered() {
  platform::showHelpPage(context_.programs, context_.messages, kolvHelpAddress());
}

void KolvMainWindow::onCopyrightTriggered() { hub_.showStartupWindow(false); }

}  // namespace sodwright::kolv
