// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The straightforward fixed-decimal formatter the masks are checked against:
// printf's exact expansion with thirty guard digits, and on a tail of
// "5000..." the whole expansion, to decide the half away from zero. Slow, and
// plainly right; the program formats through base::appendMasked. Beside it,
// printf itself, the oracle of the general and nearest-rounded forms.

#include <string>

namespace sodwright::base::testing {

std::string exactFixedText(double value, int decimals, int minIntegerDigits);

// The C library's text of one value under a one-conversion format ("%.6g").
std::string printfText(const char* format, double value);

// The general form as it was written before it moved to std::to_chars: the
// digits of printf's "%.<precision - 1>e", shortest, in the program's layout.
std::string printfGeneralText(double value, int precision);

}  // namespace sodwright::base::testing
