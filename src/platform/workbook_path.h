#pragma once
// Which files the import commands treat as workbooks: ".xls", ".xlsx" and
// ".ods", whatever the case of the extension.

#include <cstddef>
#include <string_view>

namespace sodwright::platform {

enum class WorkbookFormat { None, Xls, Xlsx, Ods };

inline WorkbookFormat workbookFormatOf(std::string_view path) {
  const std::size_t dot = path.find_last_of('.');
  const std::size_t slash = path.find_last_of("/\\");
  if (dot == std::string_view::npos || (slash != std::string_view::npos && slash > dot))
    return WorkbookFormat::None;
  std::string_view ext = path.substr(dot + 1);
  auto is = [ext](std::string_view wanted) {
    if (ext.size() != wanted.size()) return false;
    for (std::size_t i = 0; i < ext.size(); ++i) {
      char ch = ext[i];
      if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
      if (ch != wanted[i]) return false;
    }
    return true;
  };
  if (is("xls")) return WorkbookFormat::Xls;
  if (is("xlsx")) return WorkbookFormat::Xlsx;
  if (is("ods")) return WorkbookFormat::Ods;
  return WorkbookFormat::None;
}

inline bool isWorkbookPath(std::string_view path) {
  return workbookFormatOf(path) != WorkbookFormat::None;
}

}  // namespace sodwright::platform
