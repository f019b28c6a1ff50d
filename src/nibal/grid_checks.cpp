// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/grid_checks.h"

#include <cmath>
#include <optional>

#include "base/number_text.h"
#include "nibal/grid_messages.h"

namespace sodwright::nibal {

namespace {

constexpr double kLargestNodeCount = 32767.0;  // GridNodeCount is a 16-bit integer

bool isWhole(double value) { return std::isfinite(value) && std::floor(value) == value; }

}  // namespace

base::Result<GridDefinition> checkGridSize(const GridSizeTexts& texts) {
  const std::optional<double> rows = base::parseStrictNumber(texts.rows);
  const std::optional<double> columns = base::parseStrictNumber(texts.columns);
  const std::optional<double> rowSpacing = base::parseStrictNumber(texts.rowSpacing);
  const std::optional<double> columnSpacing = base::parseStrictNumber(texts.columnSpacing);
  if (!rows || !columns || !rowSpacing || !columnSpacing)
    return base::fail(kGridWrongOrImportFailed);

  const bool withinLimits = *rows > 3 && *columns > 3 && *rowSpacing > 0 && *columnSpacing > 0 &&
                            std::isfinite(*rowSpacing) && std::isfinite(*columnSpacing);
  // A count with a fraction would be rounded in some places and cut in others.
  if (!withinLimits || !isWhole(*rows) || !isWhole(*columns)) return base::fail(kGridValueWrong);
  if (*rows * *columns > kLargestNodeCount) return base::fail(kGridWrongOrImportFailed);

  GridDefinition definition;
  definition.rows = static_cast<int>(*rows);
  definition.columns = static_cast<int>(*columns);
  definition.rowsText = texts.rows;
  definition.columnsText = texts.columns;
  definition.rowSpacingText = texts.rowSpacing;
  definition.columnSpacingText = texts.columnSpacing;
  return definition;
}

}  // namespace sodwright::nibal
