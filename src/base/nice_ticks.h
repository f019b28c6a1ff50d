// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Round values for the ticks of an axis: the multiples of one step, 1, 2 or
// 5 times a power of ten, that lie in the axis's range.

#include <string>
#include <vector>

namespace sodwright::base {

struct NiceTicks {
  double step = 0;
  int decimals = 0;            // what a tick's text needs to show the step
  std::vector<double> values;  // rising, all within low .. high
};

// The smallest such step that puts at most `most` ticks in low .. high (both
// ends included); no ticks for an empty or non-finite range.
NiceTicks niceTicks(double low, double high, int most);

// A tick's text with the step's decimals: 14500, 2.5, 0.05.
std::string tickText(double value, const NiceTicks& ticks);

}  // namespace sodwright::base
