#include "grid/grid_checks.h"

#include <cmath>
#include <optional>

#include "grid/grid_messages.h"
#include "shell/number_text.h"

namespace sodwright::nibal {

namespace {

constexpr double kLargestNodeCount = 32767.0;  // GridNodeCount is a 16-bit integer

GridBoxCheck refuse(GridBoxVerdict verdict, std::string_view message) {
  GridBoxCheck check;
  check.verdict = verdict;
  check.message = std::string(message);
  return check;
}

bool isWhole(double value) { return std::isfinite(value) && std::floor(value) == value; }

}  // namespace

GridBoxCheck checkGridBoxes(const GridBoxTexts& boxes) {
  const std::optional<double> rows = shell::parseStrictNumber(boxes.rows);
  const std::optional<double> columns = shell::parseStrictNumber(boxes.columns);
  const std::optional<double> rowSpacing = shell::parseStrictNumber(boxes.rowSpacing);
  const std::optional<double> columnSpacing = shell::parseStrictNumber(boxes.columnSpacing);
  if (!rows || !columns || !rowSpacing || !columnSpacing)
    return refuse(GridBoxVerdict::WrongOrTooLarge, kGridWrongOrImportFailed);

  const bool withinLimits = *rows > 3 && *columns > 3 && *rowSpacing > 0 && *columnSpacing > 0 &&
                            std::isfinite(*rowSpacing) && std::isfinite(*columnSpacing);
  // A count with a fraction would be rounded in some places and cut in others.
  if (!withinLimits || !isWhole(*rows) || !isWhole(*columns))
    return refuse(GridBoxVerdict::ValueWrong, kGridValueWrong);
  if (*rows * *columns > kLargestNodeCount)
    return refuse(GridBoxVerdict::WrongOrTooLarge, kGridWrongOrImportFailed);

  GridBoxCheck check;
  check.definition.rows = static_cast<int>(*rows);
  check.definition.columns = static_cast<int>(*columns);
  check.definition.rowsText = boxes.rows;
  check.definition.columnsText = boxes.columns;
  check.definition.rowSpacingText = boxes.rowSpacing;
  check.definition.columnSpacingText = boxes.columnSpacing;
  return check;
}

}  // namespace sodwright::nibal
