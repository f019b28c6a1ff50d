#pragma once
// The grid-size checks of "Import Data": the four boxes of the grid window,
// read strictly, before any file is chosen.

#include <string>

#include "grid/grid_state.h"

namespace sodwright::nibal {

struct GridBoxTexts {
  std::string rows;           // txtRows
  std::string columns;        // txtColumns
  std::string rowSpacing;     // txtXSpacing
  std::string columnSpacing;  // txtYSpacing
};

enum class GridBoxVerdict {
  Accepted,
  ValueWrong,       // a value fails its limit: focus txtRows
  WrongOrTooLarge,  // a box is not a number, or Rows x Columns exceeds 32767: focus "Import Data"
};

struct GridBoxCheck {
  GridBoxVerdict verdict = GridBoxVerdict::Accepted;
  std::string message;        // empty when accepted
  GridDefinition definition;  // filled when accepted
};

// Rows and Columns must be whole numbers above 3 (a fraction is refused), the
// spacings above 0, and Rows x Columns must fit the 16-bit node count.
GridBoxCheck checkGridBoxes(const GridBoxTexts& boxes);

}  // namespace sodwright::nibal
