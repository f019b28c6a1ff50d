// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the import commands make of a file, by its extension in any case:
// one table, so that a new kind is one more row.

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace sodwright::platform {

enum class ImportKind {
  Text,  // delimited text: the delimiter dialog comes next
  Xls,   // workbooks
  Xlsx,
  Ods,
  Raster,       // elevation rasters; only the grid reads them
  Database,     // offered by the open dialog, but not read
  Unsupported,  // anything else
};

struct ImportKindRow {
  std::string_view extension;  // lower case, with its dot
  ImportKind kind;
  std::optional<char> delimiter;  // what the delimiter dialog opens on, if the name says
};

inline constexpr std::array<ImportKindRow, 12> kImportKinds{{
    {".txt", ImportKind::Text, std::nullopt},
    {".dat", ImportKind::Text, std::nullopt},
    {".csv", ImportKind::Text, ','},
    {".tsv", ImportKind::Text, '\t'},
    {".xyz", ImportKind::Text, ' '},  // x y z text as GIS tools write it
    {".xls", ImportKind::Xls, std::nullopt},
    {".xlsx", ImportKind::Xlsx, std::nullopt},
    {".ods", ImportKind::Ods, std::nullopt},
    {".tif", ImportKind::Raster, std::nullopt},
    {".tiff", ImportKind::Raster, std::nullopt},
    {".asc", ImportKind::Raster, std::nullopt},
    {".dbf", ImportKind::Database, std::nullopt},
}};

// The row of the file's extension; null when no row names it.
inline const ImportKindRow* importKindRowOf(std::string_view path) {
  std::string extension = std::filesystem::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (const ImportKindRow& row : kImportKinds)
    if (row.extension == extension) return &row;
  return nullptr;
}

inline ImportKind importKindOf(std::string_view path) {
  const ImportKindRow* row = importKindRowOf(path);
  return row ? row->kind : ImportKind::Unsupported;
}

// The delimiter a text file's name suggests: ',' for ".csv", the tab for
// ".tsv", the blank for ".xyz", empty for any other name (the delimiter
// dialog's own choice).
inline std::optional<char> presetDelimiterOf(std::string_view path) {
  const ImportKindRow* row = importKindRowOf(path);
  return row ? row->delimiter : std::nullopt;
}

inline bool isWorkbook(ImportKind kind) {
  return kind == ImportKind::Xls || kind == ImportKind::Xlsx || kind == ImportKind::Ods;
}

}  // namespace sodwright::platform
