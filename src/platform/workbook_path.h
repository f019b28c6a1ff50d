#pragma once
// Which workbook reader a file goes to: ".xls", ".xlsx" and ".ods", whatever
// the case of the extension, as the import kinds decide.

#include <string_view>

#include "platform/import_kind.h"

namespace sodwright::platform {

enum class WorkbookFormat { None, Xls, Xlsx, Ods };

inline WorkbookFormat workbookFormatOf(std::string_view path) {
  switch (importKindOf(path)) {
    case ImportKind::Xls:
      return WorkbookFormat::Xls;
    case ImportKind::Xlsx:
      return WorkbookFormat::Xlsx;
    case ImportKind::Ods:
      return WorkbookFormat::Ods;
    default:
      return WorkbookFormat::None;
  }
}

inline bool isWorkbookPath(std::string_view path) { return isWorkbook(importKindOf(path)); }

}  // namespace sodwright::platform
