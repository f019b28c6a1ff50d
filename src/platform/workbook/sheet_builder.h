// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Collects the filled cells a reader finds into a MemoryWorksheet, with a cap
// on how much a file may make us hold: a damaged or hostile file can claim
// millions of repeated cells.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "base/result.h"
#include "platform/cell_address.h"
#include "platform/memory_worksheet.h"

namespace sodwright::platform {

inline constexpr std::size_t kMaxFilledCells = 1000000;
// The longest text a cell keeps (what spreadsheet programs allow), and the
// most text all cells together may hold: one long text repeated over many
// cells must not exhaust memory.
inline constexpr std::size_t kMaxCellText = 32767;
inline constexpr std::size_t kMaxSheetText = 64u * 1024 * 1024;

// A number cell with the text a spreadsheet shows for it (the general form).
CellValue numberCell(double value);

class SheetBuilder {
 public:
  explicit SheetBuilder(std::size_t maxFilledCells = kMaxFilledCells,
                        std::size_t maxText = kMaxSheetText)
      : sheet_(std::make_unique<MemoryWorksheet>()),
        maxFilledCells_(maxFilledCells),
        maxText_(maxText) {}

  // Stores a filled cell, a text cut to kMaxCellText. Positions beyond the
  // largest sheet are dropped. Fails once more than maxFilledCells are
  // filled or the texts pass maxText bytes.
  base::Result<> put(std::int64_t row, std::int64_t column, const CellValue& value);

  std::unique_ptr<MemoryWorksheet> take() { return std::move(sheet_); }

 private:
  std::unique_ptr<MemoryWorksheet> sheet_;
  std::size_t maxFilledCells_;
  std::size_t maxText_;
  std::size_t textBytes_ = 0;
};

}  // namespace sodwright::platform
