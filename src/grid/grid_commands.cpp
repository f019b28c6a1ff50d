#include "grid/grid_commands.h"

#include <cctype>
#include <new>
#include <utility>

#include "grid/grid_import.h"
#include "grid/grid_messages.h"
#include "grid/grid_report.h"
#include "platform/busy_indicator.h"
#include "platform/file_dialog.h"
#include "shell/csv_text.h"
#include "platform/workbook_path.h"
#include "shell/text_file.h"

namespace sodwright::nibal {

GridFileKind gridFileKind(std::string_view path) {
  std::string lower(path);
  for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  if (shell::isDelimitedTextPath(lower)) return GridFileKind::Text;
  if (platform::isWorkbookPath(lower)) return GridFileKind::Workbook;
  for (std::string_view end : {".tif", ".tiff", ".asc"})
    if (lower.size() >= end.size() &&
        lower.compare(lower.size() - end.size(), end.size(), end) == 0)
      return GridFileKind::Raster;
  return GridFileKind::Other;
}

ImportStep beginGridImport(GridState& state, const GridBoxTexts& boxes,
                           platform::AppContext& context) {
  state.pendingImport.reset();
  shell::Result<GridDefinition> check = checkGridBoxes(boxes);
  if (!check) {
    context.messages.inform(check.message());
    return check.message() == kGridValueWrong ? ImportStep::ValueWrong : ImportStep::WrongOrFailed;
  }
  std::string path = context.fileDialogs.askOpenFileName(platform::kGridImportFilter);
  if (path.empty()) return ImportStep::Cancelled;
  const GridFileKind kind = gridFileKind(path);
  if (kind == GridFileKind::Other) {
    context.messages.inform(std::string(kUnsupportedFile));
    return ImportStep::Unsupported;
  }
  state.pendingImport = PendingGridImport{std::move(*check), std::move(path)};
  if (kind == GridFileKind::Raster) return ImportStep::ReadRaster;
  return kind == GridFileKind::Text ? ImportStep::AskDelimiter : ImportStep::ReadWorkbook;
}

bool ImportGridText(GridState& state, platform::AppContext& context) {
  if (!state.pendingImport) {
    context.messages.inform(std::string(kGridWrongOrImportFailed));
    return false;
  }
  const PendingGridImport pending = std::move(*state.pendingImport);
  state.pendingImport.reset();
  GridImportResult result;
  {
    platform::BusyScope busy(context.busy);
    try {
      result = readGridTextFile(pending.path, context.importDelimiter, pending.definition.rows,
                                pending.definition.columns);
    } catch (const std::bad_alloc&) {
      // The program goes on with the grid it held.
      result.message = std::string(kDataImportFailed) + "\n" + std::string(shell::kNotEnoughMemory);
    }
  }
  if (!result.ok()) {
    context.messages.inform(result.message);
    return false;
  }
  replaceGrid(state, pending.definition, std::move(*result.data));
  return true;
}

void cancelGridImport(GridState& state) { state.pendingImport.reset(); }

RunOutcome RunGridModel(GridState& state, const GridParameterTexts& texts,
                        platform::AppContext& context, const std::string& dateText) {
  clearGridResults(state);
  const std::vector<std::string_view> notes = readGridParameters(state.info, texts);
  {
    platform::BusyScope busy(context.busy, /*withNote=*/false);
    for (std::string_view note : notes)
      context.messages.inform(std::string(note), std::string(kNoteTitle));
    if (allParametersMissing(state.info)) {
      context.messages.inform(std::string(kAllMissing), std::string(kAllMissingTitle),
                              platform::MessageIcon::Information);
      return RunOutcome::AllMissing;
    }
    if (!state.hasGrid()) {
      context.messages.inform(std::string(kOutputFailed));
      return RunOutcome::Failed;
    }
    ComputeColumnDirection(state);
    ComputeRowDirection(state);
    computeSoilLossSum(state);
    if (const auto fault = firstNonFiniteResult(state)) {
      context.messages.inform(nonFiniteRunMessage(*fault));
      return RunOutcome::Failed;
    }
  }
  const std::string path = context.fileDialogs.askSaveFileName(platform::kReportFilter);
  if (path.empty()) return RunOutcome::ReportCancelled;
  shell::Result<> written;
  {
    platform::BusyScope busy(context.busy);
    written = writeGridReportFile(path, state, dateText);
  }
  if (!written) {
    context.messages.inform(std::string(kOutputFailed));
    return RunOutcome::Failed;
  }
  platform::showWrittenReport(context.programs, context.messages, path);
  return RunOutcome::ReportWritten;
}

}  // namespace sodwright::nibal
