// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A worksheet held in memory: only the filled cells are stored. The
// workbook readers fill one from a file; tests fill one by hand.

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <utility>

#include "platform/workbook.h"

namespace sodwright::platform {

class MemoryWorksheet : public Worksheet {
 public:
  // Stores a value; an empty value clears the cell.
  void set(int row, int column, CellValue value) {
    if (value.kind == CellValue::Kind::Empty) {
      cells_.erase(key(row, column));
      return;
    }
    cells_[key(row, column)] = std::move(value);
  }
  void setNumber(int row, int column, double value) {
    set(row, column, CellValue::ofNumber(value));
  }
  void setText(int row, int column, std::string value) {
    set(row, column, CellValue::ofText(std::move(value)));
  }

  CellValue cell(int row, int column) const override {
    const auto found = cells_.find(key(row, column));
    return found == cells_.end() ? CellValue::empty() : found->second;
  }
  std::size_t filledCount() const { return cells_.size(); }

 private:
  static std::uint64_t key(int row, int column) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(row)) << 32) |
           static_cast<std::uint32_t>(column);
  }
  std::unordered_map<std::uint64_t, CellValue> cells_;
};

}  // namespace sodwright::platform
