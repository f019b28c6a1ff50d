// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/workbook/sheet_builder.h"

#include <utility>

#include "base/number_text.h"

namespace sodwright::platform {

CellValue numberCell(double value) {
  CellValue cell = CellValue::ofNumber(value);
  cell.text = base::generalText(value);
  return cell;
}

base::Result<> SheetBuilder::put(std::int64_t row, std::int64_t column, const CellValue& value) {
  if (value.kind == CellValue::Kind::Empty) return {};
  if (row < 1 || column < 1 || row > kMaxSheetRows || column > kMaxSheetColumns) return {};
  if (sheet_->filledCount() >= maxFilledCells_) {
    return base::fail("The first worksheet holds more than " + std::to_string(maxFilledCells_) +
                      " filled cells; it is too large to read.");
  }
  if (value.kind == CellValue::Kind::Text) {
    CellValue cut = CellValue::ofText(value.text.substr(0, kMaxCellText));
    textBytes_ += cut.text.size();
    if (textBytes_ > maxText_)
      return base::fail("The first worksheet holds more text than can be read.");
    sheet_->set(static_cast<int>(row), static_cast<int>(column), std::move(cut));
    return {};
  }
  sheet_->set(static_cast<int>(row), static_cast<int>(column), value);
  return {};
}

}  // namespace sodwright::platform
