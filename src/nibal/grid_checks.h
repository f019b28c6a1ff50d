#pragma once
// The grid-size checks of "Import Data": the four boxes of the grid window,
// read strictly, before any file is chosen.

#include <string>

#include "nibal/grid_state.h"
#include "base/result.h"

namespace sodwright::nibal {

struct GridBoxTexts {
  std::string rows;           // txtRows
  std::string columns;        // txtColumns
  std::string rowSpacing;     // txtXSpacing
  std::string columnSpacing;  // txtYSpacing
};

// Rows and Columns must be whole numbers above 3 (a fraction is refused), the
// spacings above 0, and Rows x Columns must fit the 16-bit node count. The
// failure's message also says where the focus goes: kGridValueWrong (a value
// fails its limit) asks for new input in txtRows; kGridWrongOrImportFailed (a
// box is not a number, or too many nodes) returns to "Import Data".
base::Result<GridDefinition> checkGridBoxes(const GridBoxTexts& boxes);

}  // namespace sodwright::nibal
