// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Number <-> text rules shared by every reader, box, viewer and report.
//
// Reading: the lenient parse takes the leading number of a text (blanks and
// tabs anywhere are skipped, "." is the decimal point, no digits gives 0);
// the strict parse accepts only a text that is one whole number.
// Writing: the general form (7 significant digits for Single, 15 for Double),
// the bare form of reports (" .25 ", "-1.5 ", " 101 "), and format masks such
// as "##0.00" (half away from zero on the exact binary value).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sodwright::base {

// Lenient leading-number parse. Overflow gives +/-infinity.
double parseLeadingNumber(std::string_view text);

// Strict parse: blanks and tabs around the number are allowed, nothing else.
std::optional<double> parseStrictNumber(std::string_view text);

// Round to a signed 16-bit integer, halves to the even neighbour.
// Empty when the value is not finite or lies outside -32768..32767.
std::optional<std::int16_t> roundToInt16(double value);

// Whole part toward minus infinity (Int), as a 16-bit integer; empty when out of range.
std::optional<std::int16_t> floorToInt16(double value);

// Store a Double into a Single.
inline float roundToSingle(double value) { return static_cast<float>(value); }

// General form: shortest text at the value's precision, "0.25", "-0.5", "3000",
// exponent form "1E-05", "1.5E+16" below 1E-4 or past the precision.
std::string generalText(double value);       // Double, 15 significant digits
std::string generalTextSingle(float value);  // Single, 7 significant digits
std::string generalText(long long value);    // Integer

// The C library's "%.<significantDigits>g" and "%.<decimals>f": nearest with
// ties to even on the exact binary value, lower-case exponent ("1.5e+16"),
// "inf" and "nan". Read-outs and map keys quote values so.
std::string generalText(double value, int significantDigits);
std::string nearestFixedText(double value, int decimals);

// Bare form of reports: general form without the zero before the point,
// one leading blank (or the minus sign) and one trailing blank.
std::string bareText(double value);
std::string bareTextSingle(float value);
std::string bareText(long long value);

// A format mask such as "######0.000000", "##0.0000", "###0", "##0.00":
// the zeros before the point are the integer digits always written, the
// zeros after it the decimals.
struct FixedMask {
  int minIntegerDigits = 1;
  int decimals = 0;
};

constexpr FixedMask maskOf(std::string_view mask) {
  FixedMask m{0, 0};
  bool afterPoint = false;
  for (char c : mask) {
    if (c == '.')
      afterPoint = true;
    else if (c == '0')
      ++(afterPoint ? m.decimals : m.minIntegerDigits);
  }
  return m;
}

// Masked text: at least the mask's integer digits, exactly its decimals, no
// filler blanks; half away from zero on the exact binary value; a value that
// rounds to zero has no minus sign. Every report, label and box of the
// program formats through these.
std::string formatMask(double value, std::string_view mask);
std::string formatMask(double value, FixedMask mask);
// Appends the masked text to `out`: the writers of long reports build their
// lines without a string per number.
void appendMasked(std::string& out, double value, FixedMask mask);

// Fixed decimals, the same rounding as formatMask ("0" followed by decimals).
std::string formatFixed(double value, int decimals, int minIntegerDigits = 1);

// Data viewer truncations: multiply by 10^4 (10^2), floor, divide, general form.
std::string t4Text(double value);
std::string t4TextSingle(float value);  // x 10^4, floor and / 10^4 each in Single
std::string t2Text(double value);

}  // namespace sodwright::base
