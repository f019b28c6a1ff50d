#include "transect/ui/kolv_import_command.h"

#include <algorithm>
#include <cctype>
#include <new>

#include "platform/busy_indicator.h"
#include "platform/file_dialog.h"
#include "platform/workbook_path.h"
#include "shell/csv_text.h"
#include "shell/text_file.h"
#include "shell/ui/frmDelimiter.h"
#include "shell/ui/window_hub.h"
#include "transect/transect_import.h"
#include "transect/transect_workbook_import.h"

namespace sodwright::kolv {
namespace {

std::string lastThreeLower(const std::string& name) {
  std::string tail = name.size() >= 3 ? name.substr(name.size() - 3) : name;
  std::transform(tail.begin(), tail.end(), tail.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return tail;
}

}  // namespace

KolvImportCommand::KolvImportCommand(KolvState& state, platform::AppContext& context,
                                     shell::WindowHub& hub, Effects effects, QObject* parent)
    : QObject(parent), state_(state), context_(context), hub_(hub), effects_(std::move(effects)) {
  // The dialog is shared with the grid window: only an import this command
  // started answers it.
  shell::frmDelimiter& dialog = hub_.delimiterDialog();
  connect(&dialog, &shell::frmDelimiter::delimiterChosen, this,
          &KolvImportCommand::onDelimiterChosen);
  connect(&dialog, &shell::frmDelimiter::quitPressed, this, &KolvImportCommand::onDelimiterQuit);
}

void KolvImportCommand::start() {
  waiting_ = false;
  fileName_ = context_.fileDialogs.askOpenFileName(platform::kImportFilter);
  if (fileName_.empty()) return;  // cancelled: nothing changes
  const std::string kind = lastThreeLower(fileName_);
  // Workbooks: .xls, .xlsx and .ods in any case (".xlsx" does not end in "xls").
  if (platform::isWorkbookPath(fileName_)) {
    importWorkbook();
  } else if (shell::isDelimitedTextPath(fileName_)) {
    waiting_ = true;
    hub_.delimiterDialog().showForKolvImport(fileName_);
    effects_.textFileChosen();
  } else if (kind == "dbf") {
    context_.messages.inform(kDatabaseNotReadMessage);
  } else {
    context_.messages.inform(kUnknownFileMessage);
  }
}

void KolvImportCommand::onDelimiterChosen(char delimiter) {
  if (!waiting_ || context_.activeModel != platform::kKolv) return;
  waiting_ = false;
  ImportResult result;
  try {
    result = importTransectText(state_, fileName_, delimiter);
  } catch (const std::bad_alloc&) {
    result.message =
        std::string(kImportFailedMessage) + "\n" + std::string(shell::kNotEnoughMemory);
  }
  if (!result.ok()) {
    // The previous transect stays as it was; the user may try again.
    context_.messages.inform(*result.message);
    return;
  }
  effects_.imported();
}

void KolvImportCommand::importWorkbook() {
  if (!context_.workbooks) {
    context_.messages.inform(kWorkbookNotReadMessage);
    return;
  }
  ImportResult result;
  {
    platform::BusyScope busy(context_.busy);
    try {
      result = importTransectWorkbook(state_, *context_.workbooks, fileName_);
    } catch (const std::bad_alloc&) {
      result.message =
          std::string(kImportFailedMessage) + "\n" + std::string(shell::kNotEnoughMemory);
    }
  }
  if (!result.ok()) {
    context_.messages.inform(*result.message);
    return;
  }
  effects_.imported();
}

void KolvImportCommand::onDelimiterQuit() {
  if (!waiting_ || context_.activeModel != platform::kKolv) return;
  waiting_ = false;
  effects_.showMainWindow();
}

}  // namespace sodwright::kolv
