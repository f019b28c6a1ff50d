#pragma once
// The straightforward fixed-decimal formatter the masks are checked against:
// printf's exact expansion with thirty guard digits, and on a tail of
// "5000..." the whole expansion, to decide the half away from zero. Slow, and
// plainly right; the program formats through base::appendMasked.

#include <string>

namespace sodwright::base::testing {

std::string exactFixedText(double value, int decimals, int minIntegerDigits);

}  // namespace sodwright::base::testing
