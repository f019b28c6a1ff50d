// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/nice_ticks.h"

#include <algorithm>
#include <cmath>

#include "base/number_text.h"

namespace sodwright::base {

NiceTicks niceTicks(double low, double high, int most) {
  NiceTicks out;
  if (!std::isfinite(low) || !std::isfinite(high) || !(high > low) || most < 1) return out;
  // Start a power of ten below the even spacing and widen 1, 2, 5, 10, ...
  int power = static_cast<int>(std::floor(std::log10((high - low) / most))) - 1;
  for (int i = 0;; ++i) {
    const double mantissa = i % 3 == 0 ? 1 : i % 3 == 1 ? 2 : 5;
    const int exponent = power + i / 3;
    const double step = mantissa * std::pow(10.0, exponent);
    // A hair of slack, so that an end that is a multiple (0.3 of 0.1) counts.
    const double first = std::ceil(low / step - 1e-9), last = std::floor(high / step + 1e-9);
    if (last - first + 1 > most) continue;
    out.step = step;
    out.decimals = std::max(0, -exponent);
    for (double k = first; k <= last; ++k) out.values.push_back(k * step + 0.0);
    return out;
  }
}

std::string tickText(double value, const NiceTicks& ticks) {
  return nearestFixedText(value, ticks.decimals);
}

}  // namespace sodwright::base
