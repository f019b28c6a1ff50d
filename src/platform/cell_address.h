// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Cell names as a spreadsheet writes them ("C12", "A1:C400"), and reading a
// worksheet through a range: cell (1, 1) of the range "A7:E5000" is A7.

#include <optional>
#include <string>
#include <string_view>

#include "platform/workbook.h"

namespace sodwright::platform {

// The largest sheet the file formats allow.
inline constexpr int kMaxSheetRows = 1048576;
inline constexpr int kMaxSheetColumns = 16384;

struct CellRef {
  int row = 0;
  int column = 0;
};

struct CellRange {
  int firstRow = 1;
  int firstColumn = 1;
  int lastRow = 1;
  int lastColumn = 1;
  int rowCount() const { return lastRow - firstRow + 1; }
  int columnCount() const { return lastColumn - firstColumn + 1; }
};

// Column letters of a 1-based column: 1 "A", 26 "Z", 27 "AA".
inline std::string columnName(int column) {
  std::string letters;
  for (int c = column; c > 0; c = (c - 1) / 26)
    letters.insert(letters.begin(), static_cast<char>('A' + (c - 1) % 26));
  return letters;
}

inline std::string cellName(int row, int column) {
  return columnName(column) + std::to_string(row);
}

// "C12", "c12" or "$C$12"; empty when the text is no cell name or lies
// outside the largest sheet.
inline std::optional<CellRef> parseCellReference(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && text[i] == '$') ++i;
  long long column = 0;
  const std::size_t lettersStart = i;
  for (; i < text.size(); ++i) {
    char ch = text[i];
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
    if (ch < 'A' || ch > 'Z') break;
    column = column * 26 + (ch - 'A' + 1);
    if (column > kMaxSheetColumns) return std::nullopt;
  }
  if (i == lettersStart) return std::nullopt;
  if (i < text.size() && text[i] == '$') ++i;
  long long row = 0;
  const std::size_t digitsStart = i;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    row = row * 10 + (text[i] - '0');
    if (row > kMaxSheetRows) return std::nullopt;
  }
  if (i == digitsStart || i != text.size() || row < 1) return std::nullopt;
  return CellRef{static_cast<int>(row), static_cast<int>(column)};
}

// "A1:F4" (corners in either order) or one cell "B2".
inline std::optional<CellRange> parseRangeAddress(std::string_view text) {
  const std::size_t colon = text.find(':');
  const auto first = parseCellReference(text.substr(0, colon));
  const auto last =
      colon == std::string_view::npos ? first : parseCellReference(text.substr(colon + 1));
  if (!first || !last) return std::nullopt;
  CellRange range;
  range.firstRow = first->row < last->row ? first->row : last->row;
  range.lastRow = first->row < last->row ? last->row : first->row;
  range.firstColumn = first->column < last->column ? first->column : last->column;
  range.lastColumn = first->column < last->column ? last->column : first->column;
  return range;
}

// Cell (row, column) of a range, both counted from 1 inside the range; a
// position outside the range reads as empty.
inline CellValue cellInRange(const Worksheet& sheet, const CellRange& range, int row, int column) {
  if (row < 1 || column < 1 || row > range.rowCount() || column > range.columnCount())
    return CellValue::empty();
  return sheet.cell(range.firstRow + row - 1, range.firstColumn + column - 1);
}

}  // namespace sodwright::platform
