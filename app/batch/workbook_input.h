// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Workbooks as INPUT of the batch commands (.xls, .xlsx, .ods, any case).
// Builds without the workbook readers refuse them with a message.

#include <string>

#include "base/result.h"
#include "kolv/io/transect_import.h"
#include "kolv/state/kolv_state.h"
#include "nibal/grid_state.h"
#include "platform/app_context.h"

namespace sodwright::batch {

bool isWorkbookInput(const std::string& path);

// The transect import of the kolv command. A text file is read with the
// delimiter. A workbook carries no tillage depth, bulk densities or unit:
// they come from `base`, a transect text file imported first (read with
// the same delimiter), as an earlier text import provides them in the
// desktop program; without a base the workbook import refuses.
base::Result<> importTransectInput(kolv::KolvState& state, const std::string& input, char delimiter,
                                   const std::string& base);

// The workbook branch of the nibal command's "Import Data": reads the
// workbook at `path` into the grid, messages through the context.
bool importGridWorkbookInput(nibal::GridState& state, platform::AppContext& context,
                             const nibal::GridDefinition& definition, const std::string& path);

}  // namespace sodwright::batch
