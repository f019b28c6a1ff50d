// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The grid-size checks of "Import Data": the rows, columns and the two
// spacings as typed, read strictly, before any file is chosen.

#include <optional>
#include <string>
#include <string_view>

#include "base/result.h"
#include "base/text/refusal_text.h"
#include "nibal/grid_state.h"

namespace sodwright::nibal {

struct GridSizeTexts {
  std::string rows;
  std::string columns;
  std::string rowSpacing;     // "Row Spacing"
  std::string columnSpacing;  // "Column Spacing"
};

// Rows and Columns must be whole numbers above 3 (a fraction is refused), the
// spacings above 0, and Rows x Columns must fit the 16-bit node count. The
// failure's message also says what is asked next: kGridValueWrong (a value
// fails its limit) asks for the rows again; kGridWrongOrImportFailed (a value
// is not a number, or too many nodes) returns to "Import Data".
base::Result<GridDefinition> checkGridSize(const GridSizeTexts& texts);

// The box checkGridSize refused first, for the text beside its message:
// the box's caption, the command line's option, the text typed and why.
struct GridSizeRefusal {
  std::string box;     // "Rows", "Columns", "Row Spacing", "Column Spacing"
  std::string option;  // "--rows", ...
  std::string typed;
  base::Refusal refusal;
};
GridSizeRefusal gridSizeRefusal(const GridSizeTexts& texts);

// A spacing given as a number (not typed): the line refusing one that is not
// above 0 or not finite, as the command line words it for `name`, or empty.
std::optional<std::string> spacingRefusal(std::string_view name, double spacing);

}  // namespace sodwright::nibal
