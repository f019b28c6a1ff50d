// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The single bump of the grid model's examples, run with the default
// coefficients: strong loss on and above the bump, strong gain below it.
//   SoilLossSum(2, 2) = 1200 + 600 = 1800 (loss), (3, 2) = -3000 (gain).

#include "grid_test_support.h"
#include "nibal/grid_model.h"

namespace sodwright::nibal::testing {

inline GridState runBump(const std::string& rowSpacing = "1",
                         const std::string& columnSpacing = "1") {
  GridState s = makeGrid(
      4, 4, [](int r, int c) { return r == 2 && c == 2 ? 1.0 : 0.0; }, rowSpacing, columnSpacing);
  s.info.BettaRow = 3;
  s.info.GammaRow = 6;
  s.info.BettaCol = 6;
  s.info.GammaCol = 12;
  clearGridResults(s);
  computeColumnDirection(s);
  computeRowDirection(s);
  computeSoilLossSum(s);
  return s;
}

}  // namespace sodwright::nibal::testing
