// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/workbook/file_workbook_reader.h"

#include "platform/import_kind.h"
#include "platform/workbook/workbook_readers.h"

namespace sodwright::platform {

base::Result<std::unique_ptr<Worksheet>> FileWorkbookReader::openFirstSheet(
    const std::string& path) {
  SheetResult sheet = base::fail("The workbook cannot be read.");
  switch (importKindOf(path)) {
    case ImportKind::Xls:
      sheet = readXlsFirstSheet(path);
      break;
    case ImportKind::Xlsx:
      sheet = readXlsxFirstSheet(path);
      break;
    case ImportKind::Ods:
      sheet = readOdsFirstSheet(path);
      break;
    default:
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
