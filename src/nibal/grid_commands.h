// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The steps of the grid window's "Import Data" and the parameter window's
// "Run NIBAL", with their messages. The windows call these and add only what
// is visible (enabled buttons, focus, the data viewer, hiding themselves).

#include <functional>
#include <string>
#include <string_view>

#include "base/result.h"
#include "nibal/grid_checks.h"
#include "nibal/grid_import.h"
#include "nibal/grid_model.h"
#include "nibal/grid_state.h"
#include "platform/app_context.h"
#include "platform/import_kind.h"

namespace sodwright::nibal {

// A grid read from a file, with the sizes it has: the checked typed ones for
// text and workbooks, the raster's own for an elevation raster.
struct ImportedGrid {
  GridDefinition definition;
  GridData data;
};

// Runs `read` under the busy pointer and note and puts its grid into the
// state. On failure (not enough memory included) the message is shown, with
// `detail` (when given and not empty once read) as its informative text; the
// grid held before stays and false is returned.
bool importGrid(GridState& state, platform::AppContext& context,
                const std::function<base::Result<ImportedGrid>()>& read,
                const std::string* detail = nullptr);

// "Import Data" of a chosen text file or workbook with the checked sizes, as
// importGrid; a text file is split at `delimiter`, a workbook read with
// context.workbooks. Any other kind is refused with its message.
bool importGridFile(GridState& state, platform::AppContext& context,
                    const GridDefinition& definition, const std::string& path,
                    platform::ImportKind kind, char delimiter);

enum class RunOutcome {
  AllMissing,       // "Kiding?" shown, nothing computed
  Failed,           // the output-failed message shown
  ReportCancelled,  // results computed, no file chosen
  ReportWritten,    // report written and opened; the parameter window hides
};

// "Run NIBAL" of the parameter window: reads the four coefficients, tells of the
// missing ones (title "Note"), stops when all are missing (title "Kiding?"),
// computes both directions and the sum, then asks for the report file, writes
// it with `dateText` as its date line and opens it in the text editor.
RunOutcome runGridModel(GridState& state, const GridParameterTexts& texts,
                        platform::AppContext& context, const std::string& dateText);

}  // namespace sodwright::nibal
