#include "platform/workbook/file_workbook_reader.h"

#include "platform/workbook/workbook_readers.h"
#include "platform/workbook_path.h"

namespace sodwright::platform {

std::unique_ptr<Worksheet> FileWorkbookReader::openFirstSheet(const std::string& path,
                                                              std::string& error) {
  error.clear();
  std::unique_ptr<MemoryWorksheet> sheet;
  switch (workbookFormatOf(path)) {
    case WorkbookFormat::Xls:
      sheet = readXlsFirstSheet(path, error);
      break;
    case WorkbookFormat::Xlsx:
      sheet = readXlsxFirstSheet(path, error);
      break;
    case WorkbookFormat::Ods:
      sheet = readOdsFirstSheet(path, error);
      break;
    case WorkbookFormat::None:
      error = "The file is not a workbook (.xls, .xlsx or .ods).";
      return nullptr;
  }
  if (!sheet && error.empty()) error = "The workbook cannot be read.";
  return sheet;
}

}  // namespace sodwright::platform
