// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/workbook_input.h"

#include "nibal/grid_commands.h"
#include "nibal/grid_messages.h"
#include "platform/import_kind.h"

#if defined(SODWRIGHT_HAVE_WORKBOOKS)
#include "kolv/io/transect_workbook_import.h"
#include "platform/workbook/file_workbook_reader.h"
#endif

namespace sodwright::batch {

#if !defined(SODWRIGHT_HAVE_WORKBOOKS)
namespace {
constexpr const char* kNoWorkbooks =
    "Workbooks cannot be read by this build; please save the data as a text file.";
}  // namespace
#endif

bool isWorkbookInput(const std::string& path) {
  return platform::isWorkbook(platform::importKindOf(path));
}

base::Result<> importTransectInput(kolv::KolvState& state, const std::string& input, char delimiter,
                                   const std::string& base) {
  if (!isWorkbookInput(input)) return kolv::importTransectText(state, input, delimiter);
  if (!base.empty()) {
    base::Result<> baseResult = kolv::importTransectText(state, base, delimiter);
    if (!baseResult.ok()) return baseResult;
  }
#if defined(SODWRIGHT_HAVE_WORKBOOKS)
  platform::FileWorkbookReader reader;
  base::Result<> result = kolv::importTransectWorkbook(state, reader, input);
  if (!result && base.empty() && !state.imported)
    return base::fail(result.message() + "\nHere the text file is given with --base FILE.");
  return result;
#else
  return base::fail(std::string(base::kImportFailed) + "\n" + kNoWorkbooks);
#endif
}

bool importGridWorkbookInput(nibal::GridState& state, platform::AppContext& context,
                             const nibal::GridDefinition& definition, const std::string& path) {
#if defined(SODWRIGHT_HAVE_WORKBOOKS)
  platform::FileWorkbookReader reader;
  platform::WorkbookReader* const before = context.workbooks;
  context.workbooks = &reader;
  const bool imported =
      nibal::importGridFile(state, context, definition, path, platform::importKindOf(path), '\0');
  context.workbooks = before;
  return imported;
#else
  (void)state;
  (void)definition;
  (void)path;
  context.messages.inform(std::string(base::kImportFailed) + "\n" + kNoWorkbooks);
  return false;
#endif
}

}  // namespace sodwright::batch
