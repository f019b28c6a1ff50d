#include "nibal/grid_checks.h"

#include <cmath>
#include <optional>

#include "nibal/grid_messages.h"
#include "base/number_text.h"

namespace sodwright::nibal {

namespace {

constexpr double kLargestNodeCount = 32767.0;  // GridNodeCount is a 16-bit integer

bool isWhole(double value) { return std::isfinite(value) && std::floor(value) == value; }

}  // namespace

base::Result<GridDefinition> checkGridBoxes(const GridBoxTexts& boxes) {
  const std::optional<double> rows = base::parseStrictNumber(boxes.rows);
  const std::optional<double> columns = base::parseStrictNumber(boxes.columns);
  const std::optional<double> rowSpacing = base::parseStrictNumber(boxes.rowSpacing);
  const std::optional<double> columnSpacing = base::parseStrictNumber(boxes.columnSpacing);
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
  definition.rowsText = boxes.rows;
  definition.columnsText = boxes.columns;
  definition.rowSpacingText = boxes.rowSpacing;
  definition.columnSpacingText = boxes.columnSpacing;
  return definition;
}

}  // namespace sodwright::nibal
