#pragma once
// The steps of the grid window's "Import Data" and the parameter window's
// "Run NIBAL", with their messages. The windows call these and add only what
// is visible (enabled buttons, focus, the data viewer, hiding themselves).

#include <string>
#include <string_view>

#include "grid/grid_checks.h"
#include "grid/grid_model.h"
#include "grid/grid_state.h"
#include "platform/app_context.h"

namespace sodwright::nibal {

enum class GridFileKind { Text, Workbook, Raster, Other };

// By the end of the name, in any case: ".txt", ".dat", ".csv" and ".tsv" are text, ".xls",
// ".xlsx" and ".ods" workbooks, ".tif", ".tiff" and ".asc" elevation rasters.
// Database files are not read, so they are "Other".
GridFileKind gridFileKind(std::string_view path);

enum class ImportStep {
  ValueWrong,     // message shown; disable "Run NIBAL", focus txtRows
  WrongOrFailed,  // message shown; disable "Run NIBAL", focus "Import Data"
  Cancelled,      // no file chosen, no message; disable "Run NIBAL", focus "Import Data"
  Unsupported,    // message shown; disable "Run NIBAL", focus "Import Data"
  AskDelimiter,   // show the delimiter dialog; its OK runs ImportGridText
  ReadWorkbook,   // read the workbook of state.pendingImport
  ReadRaster,     // read the elevation raster of state.pendingImport (sizes from the raster)
};

// "Import Data" up to the choice of the file: checks the four boxes, asks for
// the file and says how it is read. The chosen file and the checked sizes wait
// in state.pendingImport; the grid itself is not touched yet.
ImportStep beginGridImport(GridState& state, const GridBoxTexts& boxes,
                           platform::AppContext& context);

// The delimiter dialog's OK: reads the pending file with
// context.importDelimiter under the busy pointer and note. The grid and its
// sizes are replaced only by a complete, valid file; on failure the message
// is shown, the earlier grid stays and false is returned (the window then
// disables "Run NIBAL"). The pending import is used up either way.
bool ImportGridText(GridState& state, platform::AppContext& context);

// The delimiter dialog's "Quit": the chosen file is not read.
void cancelGridImport(GridState& state);

enum class RunOutcome {
  AllMissing,       // "Kiding?" shown, nothing computed
  Failed,           // the output-failed message shown
  ReportCancelled,  // results computed, no file chosen
  ReportWritten,    // report written and opened; the parameter window hides
};

// "Run NIBAL" of the parameter window: reads the four boxes, tells of the
// missing ones (title "Note"), stops when all are missing (title "Kiding?"),
// computes both directions and the sum, then asks for the report file, writes
// it with `dateText` as its date line and opens it in the text editor.
RunOutcome RunGridModel(GridState& state, const GridParameterTexts& texts,
                        platform::AppContext& context, const std::string& dateText);

}  // namespace sodwright::nibal
