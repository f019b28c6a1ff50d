#include "platform/workbook/sheet_builder.h"

#include "shell/number_text.h"

namespace sodwright::platform {

CellValue numberCell(double value) {
  CellValue cell = CellValue::ofNumber(value);
  cell.text = shell::generalText(value);
  return cell;
}

bool SheetBuilder::put(std::int64_t row, std::int64_t column, const CellValue& value, std::string& error) {
  if (value.kind == CellValue::Kind::Empty) return true;
  if (row < 1 || column < 1 || row > kMaxSheetRows || column > kMaxSheetColumns) return true;
  if (sheet_->filledCount() >= kMaxFilledCells) {
    error = "The first worksheet holds more than " + std::to_string(kMaxFilledCells) +
            " filled cells; it is too large to read.";
    return false;
  }
  sheet_->set(static_cast<int>(row), static_cast<int>(column), value);
  return true;
}

}  // namespace sodwright::platform
