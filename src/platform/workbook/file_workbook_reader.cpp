#include "platform/workbook/file_workbook_reader.h"

#include "platform/workbook/workbook_readers.h"
#include "platform/workbook_path.h"

namespace sodwright::platform {

base::Result<std::unique_ptr<Worksheet>> FileWorkbookReader::openFirstSheet(
    const std::string& path) {
  SheetResult sheet = base::fail("The workbook cannot be read.");
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
      return base::fail("The file is not a workbook (.xls, .xlsx or .ods).");
  }
  if (!sheet) {
    if (sheet.message().empty()) return base::fail("The workbook cannot be read.");
    return base::fail(sheet.message());
  }
  if (!*sheet) return base::fail("The workbook cannot be read.");
  return std::unique_ptr<Worksheet>(std::move(*sheet));
}

}  // namespace sodwright::platform
