// SPDX-License-Identifier: GPL-3.0-or-later
// The format masks, made by std::to_chars (or, where it is exact, by the same
// rounding in integers, which is several times faster). to_chars gives the
// exact decimal expansion rounded to nearest with ties to even; the masks
// round ties away from zero, so exact ties are found first and written from
// their exact expansion one decimal longer.

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "base/number_text.h"

namespace sodwright::base {
namespace {

// |value| x 10^decimals lies exactly halfway between two integers when, and
// only when, the lowest set bit of |value| weighs 2^-(decimals + 1): writing
// |value| = m x 2^e with m odd, |value| x 2 x 10^decimals = m x 5^decimals x
// 2^(e + 1 + decimals) is an odd integer only for e = -(decimals + 1).
bool isExactTie(double magnitude, int decimals) {
  const auto bits = std::bit_cast<std::uint64_t>(magnitude);
  constexpr std::uint64_t kFractionMask = (std::uint64_t{1} << 52) - 1;
  const int biased = static_cast<int>(bits >> 52);
  std::uint64_t significand = bits & kFractionMask;
  int exponent = -1074;  // of the lowest significand bit of a subnormal
  if (biased != 0) {
    significand |= std::uint64_t{1} << 52;
    exponent = biased - 1075;
  }
  if (significand == 0) return false;
  return exponent + std::countr_zero(significand) == -(decimals + 1);
}

// Adds one unit in the last place of a text of digits and one point.
void incrementLastDigit(char* first, char*& last) {
  for (char* p = last - 1; p >= first; --p) {
    if (*p == '.') continue;
    if (*p != '9') {
      ++*p;
      return;
    }
    *p = '0';
  }
  // Carried past the first digit: 99.95 -> 100.0
  for (char* p = last; p > first; --p) *p = *(p - 1);
  *first = '1';
  ++last;
}

__extension__ typedef unsigned __int128 Wide;

constexpr std::uint64_t kPowersOfTen[] = {1,         10,         100,         1000,
                                          10000,     100000,     1000000,     10000000,
                                          100000000, 1000000000, 10000000000, 100000000000};

// std::to_chars(first, last, magnitude, std::chars_format::fixed, decimals),
// formed in integers where that is exact: magnitude = m x 2^e with m < 2^53,
// so m x 10^decimals x 2^e is a 128-bit integer shifted by -e, rounded to
// nearest with ties to even as to_chars rounds. Other values (subnormal,
// very small or large, many decimals) go to to_chars itself.
std::to_chars_result fixedDigits(char* first, char* last, double magnitude, int decimals) {
  const auto bits = std::bit_cast<std::uint64_t>(magnitude);
  const int biased = static_cast<int>(bits >> 52);
  constexpr int kMostDecimals = 7;  // the masks, and one more for a tie
  if (biased == 0 || biased >= 0x7ff || decimals < 0 || decimals > kMostDecimals)
    return std::to_chars(first, last, magnitude, std::chars_format::fixed, decimals);
  const std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  const int e = biased - 1075;
  const std::uint64_t scale = kPowersOfTen[decimals];
  Wide q = 0;
  if (e >= 0) {
    if (e > 10) return std::to_chars(first, last, magnitude, std::chars_format::fixed, decimals);
    q = static_cast<Wide>(m << e) * scale;
  } else {
    const int shift = -e;
    if (shift > 120)
      return std::to_chars(first, last, magnitude, std::chars_format::fixed, decimals);
    const Wide exact = static_cast<Wide>(m) * scale;  // below 2^90
    q = exact >> shift;
    const Wide rest = exact - (q << shift);
    const Wide half = static_cast<Wide>(1) << (shift - 1);
    if (rest > half || (rest == half && (q & 1) != 0)) ++q;
  }
  if (q >> 64 != 0)
    return std::to_chars(first, last, magnitude, std::chars_format::fixed, decimals);
  const auto scaled = static_cast<std::uint64_t>(q);
  auto written = std::to_chars(first, last, scaled / scale);
  if (written.ec != std::errc() || decimals == 0) return written;
  char* p = written.ptr;
  if (last - p < decimals + 1) return {last, std::errc::value_too_large};
  *p++ = '.';
  std::uint64_t fraction = scaled % scale;
  for (int k = decimals - 1; k >= 0; --k) {
    p[k] = static_cast<char>('0' + fraction % 10);
    fraction /= 10;
  }
  return {p + decimals, std::errc()};
}

}  // namespace

void appendMasked(std::string& out, double value, FixedMask mask) {
  if (std::isnan(value)) {
    out += "NaN";
    return;
  }
  if (std::isinf(value)) {
    out += value < 0 ? "-Infinity" : "Infinity";
    return;
  }
  const int decimals = mask.decimals < 0 ? 0 : mask.decimals;
  const double magnitude = std::fabs(value);
  const bool tie = isExactTie(magnitude, decimals);
  // The largest double has 309 integer digits; a tie is written one decimal
  // longer, and one more place takes a carry.
  const std::size_t size = 312 + static_cast<std::size_t>(decimals) + 2;
  char stackBuffer[400];
  std::string heapBuffer;
  char* buffer = stackBuffer;
  if (size > sizeof stackBuffer) {
    heapBuffer.resize(size);
    buffer = heapBuffer.data();
  }
  const auto result =
      fixedDigits(buffer, buffer + size - 1, magnitude, tie ? decimals + 1 : decimals);
  char* end = result.ptr;
  if (tie) {
    --end;                     // the exact expansion ends in the 5 of the half
    if (decimals == 0) --end;  // and the point before it
    incrementLastDigit(buffer, end);
  }
  const char* digitsEnd = end;
  const char* point = buffer;
  while (point != end && *point != '.') ++point;
  const auto integerDigits = static_cast<int>(point - buffer);
  bool allZero = true;
  for (const char* p = buffer; p != digitsEnd; ++p)
    if (*p != '0' && *p != '.') allZero = false;
  if (std::signbit(value) && !allZero) out += '-';
  const char* first = buffer;
  if (mask.minIntegerDigits <= 0 && integerDigits == 1 && *buffer == '0')
    ++first;  // ".25"
  else if (integerDigits < mask.minIntegerDigits)
    out.append(static_cast<std::size_t>(mask.minIntegerDigits - integerDigits), '0');
  out.append(first, digitsEnd);
}

std::string formatMask(double value, FixedMask mask) {
  std::string out;
  appendMasked(out, value, mask);
  return out;
}

std::string formatMask(double value, std::string_view mask) {
  return formatMask(value, maskOf(mask));
}

std::string formatFixed(double value, int decimals, int minIntegerDigits) {
  return formatMask(value, FixedMask{minIntegerDigits, decimals});
}

}  // namespace sodwright::base
