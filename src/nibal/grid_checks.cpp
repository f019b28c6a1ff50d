// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/grid_checks.h"

#include <cmath>
#include <optional>

#include "base/number_text.h"
#include "base/text/csv_text.h"
#include "nibal/grid_messages.h"

namespace sodwright::nibal {

namespace {

constexpr double kLargestNodeCount = 32767.0;  // GridNodeCount is a 16-bit integer

bool isWhole(double value) { return std::isfinite(value) && std::floor(value) == value; }

constexpr const char* kCountRange = "a whole number above 3";
constexpr const char* kSpacingRange = "a spacing above 0 m";

}  // namespace

GridSizeRefusal gridSizeRefusal(const GridSizeTexts& texts) {
  struct Box {
    const char* caption;
    const char* option;
    const std::string& typed;
    bool count;
  };
  const Box boxes[] = {{"Rows", "--rows", texts.rows, true},
                       {"Columns", "--columns", texts.columns, true},
                       {"Row Spacing", "--row-spacing", texts.rowSpacing, false},
                       {"Column Spacing", "--column-spacing", texts.columnSpacing, false}};
  // In the order of checkGridSize: any text that is not a number, then a
  // value beyond its limit, then the node count.
  for (const Box& box : boxes)
    if (!base::parseStrictNumber(box.typed))
      return {box.caption,
              box.option,
              box.typed,
              {"not a number", box.count ? kCountRange : kSpacingRange}};
  for (const Box& box : boxes) {
    const double value = *base::parseStrictNumber(box.typed);
    const bool fits = box.count ? value > 3 && isWhole(value) : value > 0 && std::isfinite(value);
    if (!fits)
      return {box.caption, box.option, box.typed, {{}, box.count ? kCountRange : kSpacingRange}};
  }
  const double nodes =
      *base::parseStrictNumber(texts.rows) * *base::parseStrictNumber(texts.columns);
  return {"Rows",
          "--rows",
          texts.rows,
          {"Rows x Columns is " + base::generalText(nodes) + " nodes",
           "Rows x Columns up to 32767 nodes"}};
}

std::optional<std::string> spacingRefusal(std::string_view name, double spacing) {
  if (spacing > 0 && std::isfinite(spacing)) return std::nullopt;
  return base::optionRefusalText(name, base::exactNumber(spacing), kGridValueWrong,
                                 {{}, kSpacingRange});
}

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
