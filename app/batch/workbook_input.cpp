// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/workbook_input.h"

#include <filesystem>
#include <system_error>

#include "nibal/grid_commands.h"
#include "nibal/grid_messages.h"
#include "platform/import_kind.h"

#if defined(SODWRIGHT_HAVE_WORKBOOKS)
#include "batch/batch_modules.h"
#include "kolv/io/transect_workbook_import.h"
#endif

namespace sodwright::batch {

namespace {
#if defined(SODWRIGHT_HAVE_WORKBOOKS)
// The reader of the workbook module, made once: it lives as long as the program.
base::Result<platform::WorkbookReader*> workbookReader() {
  static const base::Result<std::unique_ptr<platform::WorkbookReader>> reader =
      []() -> base::Result<std::unique_ptr<platform::WorkbookReader>> {
    const auto workbooks = workbookModule();
    if (!workbooks) return base::fail(workbooks.message());
    return (*workbooks)->makeReader();
  }();
  if (!reader) return base::fail(reader.message());
  return reader->get();
}
#else
constexpr const char* kNoWorkbooks =
    "Workbooks cannot be read by this build; please save the data as a text file.";
#endif
}  // namespace

bool isWorkbookInput(const std::string& path) {
  return platform::isWorkbook(platform::importKindOf(path));
}

base::Result<> importTransectInput(kolv::KolvState& state, const std::string& input, char delimiter,
                                   const std::string& base) {
  // A --base the run would not read (beside a text INPUT) must still exist:
  // a slip in its name would otherwise go unseen.
  std::error_code unknown;
  if (!base.empty() && !std::filesystem::exists(base, unknown))
    return base::fail(std::string(base::kImportFailed) + "\n--base " + base +
                      ": there is no such file.");
  if (!isWorkbookInput(input)) return kolv::importTransectText(state, input, delimiter);
  if (!base.empty()) {
    base::Result<> baseResult = kolv::importTransectText(state, base, delimiter);
    if (!baseResult.ok()) return baseResult;
  }
#if defined(SODWRIGHT_HAVE_WORKBOOKS)
  const auto reader = workbookReader();
  if (!reader) return base::fail(std::string(base::kImportFailed) + "\n" + reader.message());
  base::Result<> result = kolv::importTransectWorkbook(state, **reader, input);
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
  const auto reader = workbookReader();
  if (!reader) {
    context.messages.inform(std::string(base::kImportFailed) + "\n" + reader.message());
    return false;
  }
  platform::WorkbookReader* const before = context.workbooks;
  context.workbooks = *reader;
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
