// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether a number read from text can be stored in the field that holds it:
// a Double must be finite, a Single must stay finite once rounded to 32 bits
// (1E+39 is a finite Double but an infinite Single).

#include <cmath>

namespace sodwright::base {

inline bool fitsDouble(double value) { return std::isfinite(value); }

inline bool fitsSingle(double value) {
  return std::isfinite(value) && std::isfinite(static_cast<float>(value));
}

}  // namespace sodwright::base
