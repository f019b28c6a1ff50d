#include "batch/workbook_input.h"

#include "grid/grid_messages.h"
#include "platform/workbook_path.h"

#if defined(SODWRIGHT_HAVE_WORKBOOKS)
#include "grid/grid_workbook_import.h"
#include "platform/workbook/file_workbook_reader.h"
#include "transect/transect_workbook_import.h"
#endif

namespace sodwright::batch {

#if !defined(SODWRIGHT_HAVE_WORKBOOKS)
namespace {
constexpr const char* kNoWorkbooks =
    "Workbooks cannot be read by this build; please save the data as a text file.";
}  // namespace
#endif

bool isWorkbookInput(const std::string& path) { return platform::isWorkbookPath(path); }

kolv::ImportResult importTransectInput(kolv::KolvState& state, const std::string& input,
                                       char delimiter, const std::string& base) {
  if (!isWorkbookInput(input)) return kolv::importTransectText(state, input, delimiter);
  if (!base.empty()) {
    const kolv::ImportResult baseResult = kolv::importTransectText(state, base, delimiter);
    if (!baseResult.ok()) return baseResult;
  }
#if defined(SODWRIGHT_HAVE_WORKBOOKS)
  platform::FileWorkbookReader reader;
  kolv::ImportResult result = kolv::importTransectWorkbook(state, reader, input);
  if (!result.ok() && base.empty() && !state.imported)
    *result.message += "\nHere the text file is given with --base FILE.";
  return result;
#else
  return kolv::ImportResult{std::string(kolv::kImportFailedMessage) + "\n" + kNoWorkbooks};
#endif
}

bool importGridWorkbookInput(nibal::GridState& state, platform::AppContext& context) {
#if defined(SODWRIGHT_HAVE_WORKBOOKS)
  platform::FileWorkbookReader reader;
  platform::WorkbookReader* const before = context.workbooks;
  context.workbooks = &reader;
  const bool imported = nibal::ImportGridWorkbook(state, context);
  context.workbooks = before;
  return imported;
#else
  state.pendingImport.reset();
  context.messages.inform(std::string(nibal::kDataImportFailed) + "\n" + kNoWorkbooks);
  return false;
#endif
}

}  // namespace sodwright::batch
