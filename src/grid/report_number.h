#pragma once
// Fixed-decimal texts for the grid report's masks ("##0.00", "##0.000",
// "######0.00", ...): at least one integer digit, exactly `decimals`
// decimals, half away from zero on the exact binary value, no minus sign on
// a value that rounds to zero. The same texts as shell::formatMask, made
// directly by std::to_chars where no exact tie can occur, since a report of
// the largest grid formats a third of a million numbers.

#include <string>

namespace sodwright::nibal {

// `decimals` from 0 to 6.
std::string fixedDecimals(double value, int decimals);

}  // namespace sodwright::nibal
