// The menu commands and the Redraw button of the KOLV main window.

#include "platform/busy_indicator.h"
#include "platform/file_dialog.h"
#include "base/number_text.h"
#include "base/text/report_date.h"
#include "shared_ui/window_hub.h"
#include "kolv/io/compare_csv_writer.h"
#include "kolv/stability/stability_end_zones.h"
#include "kolv/io/compare_report_writer.h"
#include "kolv/kolv_commands.h"
#include "kolv/io/last_sequence_writer.h"
#include "kolv/ui/FrmKOLVParameter.h"
#include "kolv/ui/FrmKOLV_Main.h"
#include "kolv/ui/kolv_help.h"
#include "kolv/ui/kolv_import_command.h"

namespace sodwright::kolv {
namespace {

QString integerText(Int16 value) {
  return QString::fromStdString(base::generalText(static_cast<long long>(value)));
}

}  // namespace

void FrmKOLV_Main::MnuImportFileItem_Click() {
  // The boxes change only once a transect has come in (see showImportedPair):
  // a cancelled or failed import leaves them, the charts and the menus as
  // they were, so the boxes always show what Redraw and the reports use.
  import_->start();
}

void FrmKOLV_Main::showImportedPair() {
  const TranslocationParameters& p = state_.params;
  TxtFSeq->setText(integerText(p.FirstSeqShown));
  TxtLSeq->setText(integerText(p.LastSeqShown));
  TxtULD->setText(QString::fromStdString(base::generalText(p.UpLayerDepth)));
  TxtSLD->setText(QString::fromStdString(base::generalText(p.SubLayerDepth)));
}

void FrmKOLV_Main::MnuLastSeqSubItem_Click() { writeOutput(false); }
void FrmKOLV_Main::MnuResultSubItem_Click() { writeOutput(true); }

// The comparison as CSV, for a spreadsheet: not opened in the text editor.
void FrmKOLV_Main::MnuResultCsvSubItem_Click() {
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

void FrmKOLV_Main::writeOutput(bool compareReport) {
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

void FrmKOLV_Main::MnuExitItem_Click() {
  if (context_.messages.confirm("Are you really want to Quit the Program", "Quit?"))
    hub_.quitProgram();
}

void FrmKOLV_Main::MnuShowDataItem_Click() {
  // Opened from the menu the viewer stays: the timer is not started.
  hub_.showDataViewer();
}

void FrmKOLV_Main::MnuParameterItem_Click() {
  if (!parameter_) {
    parameter_ = new FrmKOLVParameter(state_, context_, hub_, this);
    connect(parameter_, &FrmKOLVParameter::parametersAccepted, this,
            [this] { applyMenuStates(KolvEvent::ParametersAccepted); });
    connect(parameter_, &FrmKOLVParameter::quitPressed, this, &QWidget::show);
    connect(parameter_, &FrmKOLVParameter::runFinished, this, [this] {
      // The viewer the run opened closes itself again.
      TimerShowData->start();
      showRunResults();
    });
    connect(parameter_, &FrmKOLVParameter::runFailed, this, &FrmKOLV_Main::showRunFailure);
  }
  parameter_->show();
  parameter_->raise();
  parameter_->activateWindow();
  parameter_->TxtSeq->setFocus();
}

void FrmKOLV_Main::MnuRunModelItem_Click() {
  CommandOutcome outcome;
  {
    platform::BusyScope busy(context_.busy);
    outcome = runModel(state_, context_.messages);
  }
  if (outcome.pairReset) {
    TxtFSeq->setText(integerText(state_.params.FirstSeqShown));
    TxtLSeq->setText(integerText(state_.params.LastSeqShown));
  }
  if (outcome.failed) showRunFailure();
  if (!outcome.compared) return;
  applyMenuStates(KolvEvent::Ran);
  afterComparison();
}

void FrmKOLV_Main::CmdRedraw_Click() {
  const CommandOutcome outcome = redraw(state_, context_.messages);
  if (outcome.pairReset) {
    TxtFSeq->setText(integerText(state_.params.FirstSeqShown));
    TxtLSeq->setText(integerText(state_.params.LastSeqShown));
  }
  if (outcome.failed) showRunFailure();
  if (!outcome.compared) return;
  afterComparison();
}

// What Redraw and Run&Model do once the shown pair is compared.
void FrmKOLV_Main::afterComparison() {
  setPlaceholderLinesVisible(false);
  applyMenuStates(KolvEvent::Redrawn);
  TxtLSeq->setFocus();
  drawCharts();
}

void FrmKOLV_Main::MnuHelpItem_Click() {
  platform::showHelpPage(context_.programs, context_.messages, kolvHelpAddress());
}

void FrmKOLV_Main::MnuCopyrightItem_Click() { hub_.showStartupWindow(false); }

}  // namespace sodwright::kolv
