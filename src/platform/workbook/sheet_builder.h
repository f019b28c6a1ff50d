#pragma once
// Collects the filled cells a reader finds into a MemoryWorksheet, with a cap
// on how much a file may make us hold: a damaged or hostile file can claim
// millions of repeated cells.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/cell_address.h"
#include "platform/memory_worksheet.h"

namespace sodwright::platform {

inline constexpr std::size_t kMaxFilledCells = 1000000;

// A number cell with the text a spreadsheet shows for it (the general form).
CellValue numberCell(double value);

class SheetBuilder {
 public:
  SheetBuilder() : sheet_(std::make_unique<MemoryWorksheet>()) {}

  // Stores a filled cell. Positions beyond the largest sheet are dropped.
  // False, with `error` set, once more than kMaxFilledCells are filled.
  bool put(std::int64_t row, std::int64_t column, const CellValue& value, std::string& error);

  std::unique_ptr<MemoryWorksheet> take() { return std::move(sheet_); }

 private:
  std::unique_ptr<MemoryWorksheet> sheet_;
};

}  // namespace sodwright::platform
