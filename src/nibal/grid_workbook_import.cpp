// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/grid_workbook_import.h"

#include <cmath>
#include <optional>
#include <utility>

#include "base/number_text.h"
#include "platform/cell_address.h"

namespace sodwright::nibal {
namespace {

using platform::CellValue;

base::Failure failure(std::string_view place, std::string_view fault) {
  return base::fail(importFailureMessage(place, fault));
}

// A coordinate as the cell holds it: a number stays a number, a text its text.
GridCoordinate coordinate(const CellValue& cell) {
  if (cell.kind == CellValue::Kind::Number) return cell.number;
  return cell.text;
}

}  // namespace

base::Result<GridData> readGridWorksheet(const platform::Worksheet& sheet, int rows, int columns) {
  const long long records = static_cast<long long>(rows) * columns;
  if (rows < 1 || columns < 1 || records > platform::kMaxSheetRows)
    return failure("Grid", "the grid size does not fit a worksheet");
  const platform::CellRange range = *platform::parseRangeAddress("A1:C" + std::to_string(records));
  GridRecordBuilder builder(rows, columns);
  for (int n = 1; n <= static_cast<int>(records); ++n) {
    const CellValue easting = platform::cellInRange(sheet, range, n, 1);
    const CellValue northing = platform::cellInRange(sheet, range, n, 2);
    const CellValue elevationCell = platform::cellInRange(sheet, range, n, 3);
    const std::string place = "Cell " + platform::cellName(n, 3);
    if (easting.kind == CellValue::Kind::Empty && northing.kind == CellValue::Kind::Empty &&
        elevationCell.kind == CellValue::Kind::Empty)
      return failure("Row " + std::to_string(n),
                     "cells A" + std::to_string(n) + " to C" + std::to_string(n) +
                         " are empty, but the grid has " + std::to_string(records) + " nodes (" +
                         std::to_string(rows) + " rows x " + std::to_string(columns) + " columns)");
    double elevation = 0.0;
    if (elevationCell.kind == CellValue::Kind::Number) {
      elevation = elevationCell.number;
    } else if (elevationCell.kind == CellValue::Kind::Text) {
      const std::optional<double> parsed = base::parseStrictNumber(elevationCell.text);
      if (!parsed)
        return failure(place, "the elevation \"" + elevationCell.text + "\" is not a number");
      elevation = *parsed;
    }
    if (!std::isfinite(elevation)) return failure(place, "the elevation is not a finite number");
    if (auto fault = builder.add(coordinate(easting), coordinate(northing), elevation))
      return failure(place, *fault);
  }
  return builder.take();
}

base::Result<GridData> readGridWorkbookFile(platform::WorkbookReader& reader,
                                            const std::string& path, int rows, int columns) {
  const auto sheet = reader.openFirstSheet(path);
  if (!sheet) {
    std::string error = sheet.message();
    // The reader's error is a whole sentence; keep its own full stop.
    if (!error.empty() && error.back() == '.') error.pop_back();
    return failure("File " + path, error);
  }
  return readGridWorksheet(**sheet, rows, columns);
}

}  // namespace sodwright::nibal
