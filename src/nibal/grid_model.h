// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tillage erosion computation over the grid. Along one tillage direction:
//   soil loss = -(Betta x delta slope gradient + Gamma x delta slope curvature) / d
// with the gradient in percent between neighbouring nodes and d the node
// spacing of that direction. The grid is taken as level beyond its edge.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "nibal/grid_state.h"

namespace sodwright::nibal {

// The four coefficients as typed, Betta and Gamma for tillage along the rows
// and along the columns, with their default texts.
struct GridParameterTexts {
  std::string BettaRow = "3";
  std::string GammaRow = "6";
  std::string BettaCol = "6";
  std::string GammaCol = "12";
};

// Reads the four coefficients into `GridInfo` (the leading number of each text;
// empty or other text gives 0) and returns the notes of the missing ones, a
// coefficient of 0 being missing, in the order the user is told of them.
std::vector<std::string_view> readGridParameters(GridInfo& info, const GridParameterTexts& texts);

// The notes of the missing coefficients of `info` (0, a -0 made 0), as
// readGridParameters gives them, for coefficients given as numbers.
std::vector<std::string_view> missingParameterNotes(GridInfo& info);

// True when all four coefficients are missing and there is nothing to compute.
bool allParametersMissing(const GridInfo& info);

// Lines of nodes walked together: node i of lane k of a line is at
// i x step + k (elevation and the three outputs alike). A row is one lane
// with step 1; the columns of a grid are C lanes side by side with the row
// stride as step, so a column walk reads memory row by row.
struct GridLines {
  const double* elevation;
  double* deltaGradient;
  double* deltaCurvature;
  double* soilLoss;
  std::ptrdiff_t step;
  int laneCount;
  int nodeCount;
};
void computeGridLines(const GridLines& lines, double spacing, double betta, double gamma);

// Size the seven result grids to the imported grid, all 0.
void clearGridResults(GridState& state);

// Column direction: each column walked over the rows with `ColumnSpacing`,
// `BettaCol` and `GammaCol`; fills DGradCol, DCurvCol, SoilLossCol.
void computeColumnDirection(GridState& state);
// Row direction: each row walked over the columns with `RowSpacing`,
// `BettaRow` and `GammaRow`; fills DGradRow, DCurvRow, SoilLossRow.
void computeRowDirection(GridState& state);
// SoilLossSum = SoilLossCol + SoilLossRow at every node.
void computeSoilLossSum(GridState& state);

// The first result that is not a finite number (an overflow spoils a run),
// rows outer and columns inner, the seven grids in their order at each node.
struct GridNodeFault {
  const char* grid;
  int row;
  int column;
};
std::optional<GridNodeFault> firstNonFiniteResult(const GridState& state);
inline bool gridResultsFinite(const GridState& state) { return !firstNonFiniteResult(state); }

// The run's failure message naming that node.
std::string nonFiniteRunMessage(const GridNodeFault& fault);

}  // namespace sodwright::nibal
