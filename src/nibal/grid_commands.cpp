// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/grid_commands.h"

#include <new>
#include <utility>

#include "base/text/refusal_text.h"
#include "base/text/text_file.h"
#include "nibal/grid_import.h"
#include "nibal/grid_messages.h"
#include "nibal/grid_report.h"
#include "nibal/grid_workbook_import.h"
#include "platform/busy_indicator.h"
#include "platform/file_dialog.h"

namespace sodwright::nibal {

bool importGrid(GridState& state, platform::AppContext& context,
                const std::function<base::Result<ImportedGrid>()>& read,
                const std::string* detail) {
  base::Result<ImportedGrid> result = [&]() -> base::Result<ImportedGrid> {
    platform::BusyScope busy(context.busy);
    try {
      return read();
    } catch (const std::bad_alloc&) {
      // The program goes on with the grid it held.
      return base::fail(base::importOutOfMemoryMessage());
    }
  }();
  if (!result) {
    if (detail != nullptr && !detail->empty())
      context.messages.informWithDetail(result.message(), *detail);
    else
      context.messages.inform(result.message());
    return false;
  }
  replaceGrid(state, result->definition, std::move(result->data));
  return true;
}

bool importGridFile(GridState& state, platform::AppContext& context,
                    const GridDefinition& definition, const std::string& path,
                    platform::ImportKind kind, char delimiter) {
  const auto withSizes = [&definition](base::Result<GridData> read) -> base::Result<ImportedGrid> {
    if (!read) return base::fail(read.message());
    return ImportedGrid{definition, std::move(*read)};
  };
  if (kind == platform::ImportKind::Text)
    return importGrid(state, context, [&] {
      return withSizes(readGridTextFile(path, delimiter, definition.rows, definition.columns));
    });
  if (!platform::isWorkbook(kind)) {
    context.messages.inform(std::string(base::kUnsupportedFile));
    return false;
  }
  if (context.workbooks == nullptr) {
    context.messages.inform(std::string(kGridWrongOrImportFailed));
    return false;
  }
  return importGrid(state, context, [&] {
    return withSizes(
        readGridWorkbookFile(*context.workbooks, path, definition.rows, definition.columns));
  });
}

RunOutcome runGridModel(GridState& state, const GridParameterTexts& texts,
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
    computeColumnDirection(state);
    computeRowDirection(state);
    computeSoilLossSum(state);
    if (const auto fault = firstNonFiniteResult(state)) {
      context.messages.inform(nonFiniteRunMessage(*fault));
      return RunOutcome::Failed;
    }
  }
  const std::string path = context.fileDialogs.askSaveFileName(platform::kReportFilter);
  if (path.empty()) return RunOutcome::ReportCancelled;
  base::Result<> written;
  {
    platform::BusyScope busy(context.busy);
    written = writeGridReportFile(path, state, dateText);
  }
  if (!written) {
    context.messages.informWithDetail(std::string(kOutputFailed),
                                      base::cannotWriteText(path, written.message()));
    return RunOutcome::Failed;
  }
  platform::showWrittenReport(context.programs, context.messages, path);
  return RunOutcome::ReportWritten;
}

}  // namespace sodwright::nibal
