#include "platform/workbook/file_workbook_reader.h"

#include "platform/workbook/workbook_readers.h"
#include "platform/workbook_path.h"

namespace sodwright::platform {

shell::Result<std::unique_ptr<Worksheet>> FileWorkbookReader::openFirstSheet(
    const std::string& path) {
  SheetResult sheet = shell::fail("The workbook cannot be read.");
  switch (workbookFormatOf(path)) {
    case WorkbookFormat::Xls:
      sheet = readXlsFirstSheet(path);
      break;
    case WorkbookFormat::Xlsx:
      sheet = readXlsxFirstSheet(path);
      break;
    case WorkbookFormat::Ods:
      sheet = readOdsFirstSheet(path);
      break;
    case WorkbookFormat::None:
      return shell::fail("The file is not a workbook (.xls, .xlsx or .ods).");
  }
  if (!sheet) {
    if (sheet.message().empty()) return shell::fail("The workbook cannot be read.");
    return shell::fail(sheet.message());
  }
  if (!*sheet) return shell::fail("The workbook cannot be read.");
  return std::unique_ptr<Worksheet>(std::move(*sheet));
}

}  // namespace sodwright::platform
