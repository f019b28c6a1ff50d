// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Spreadsheet access: a workbook from a file name, its first worksheet, and
// cell values as number, text or empty. Rows and columns count from 1.

#include <memory>
#include <string>

#include "base/result.h"

namespace sodwright::platform {

struct CellValue {
  enum class Kind { Empty, Number, Text };
  Kind kind = Kind::Empty;
  double number = 0.0;
  std::string text;  // for Text; for Number the text a reader would show

  static CellValue empty() { return {}; }
  static CellValue ofNumber(double value) { return {Kind::Number, value, {}}; }
  static CellValue ofText(std::string value) { return {Kind::Text, 0.0, std::move(value)}; }
};

class Worksheet {
 public:
  virtual ~Worksheet() = default;
  // Absolute cell of the sheet, 1-based ("A1" is row 1, column 1).
  virtual CellValue cell(int row, int column) const = 0;
};

class WorkbookReader {
 public:
  virtual ~WorkbookReader() = default;
  // The first worksheet of the workbook in the file; fails with the reason
  // when the file cannot be read as a workbook.
  virtual base::Result<std::unique_ptr<Worksheet>> openFirstSheet(const std::string& path) = 0;
};

}  // namespace sodwright::platform
