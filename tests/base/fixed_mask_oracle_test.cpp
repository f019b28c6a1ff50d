// SPDX-License-Identifier: GPL-3.0-or-later
// The masks (std::to_chars with exact ties found by their lowest bit) against
// the straightforward exact formatter, on a million values of every class
// where the two could part: exact binary ties and their neighbours, decimal
// texts ending in 5 that are not ties in binary, values rounding to zero,
// subnormals, large magnitudes and random values of every size. The same
// values check the general forms (the Double and Single general form, the
// read-out's "%.6g", the map key's "%.4g" and "%.0f", the warning's "%.2f")
// against printf, which wrote them before std::to_chars did.
#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "base/exact_fixed_oracle.h"
#include "base/number_text.h"

namespace sodwright::base {
namespace {

class MaskOracle {
 public:
  void check(double value, int decimals, int minIntegerDigits = 1) {
    for (double v : {value, -value}) {
      const std::string fast = formatFixed(v, decimals, minIntegerDigits);
      const std::string exact = testing::exactFixedText(v, decimals, minIntegerDigits);
      ++checked;
      if (fast != exact && ++failures <= 10)
        ADD_FAILURE() << std::hexfloat << v << " with " << decimals << " decimals: " << fast
                      << " vs " << exact;
      checkGeneral(v);
    }
  }
  void checkGeneral(double v) {
    const auto single = static_cast<float>(v);
    expect(v, "general", generalText(v), testing::printfGeneralText(v, 15));
    expect(v, "Single", generalTextSingle(single), testing::printfGeneralText(single, 7));
    expect(v, "%.6g", generalText(v, 6), testing::printfText("%.6g", v));
    expect(v, "%.4g", generalText(v, 4), testing::printfText("%.4g", v));
    expect(v, "%.0f", nearestFixedText(v, 0), testing::printfText("%.0f", v));
    expect(v, "%.2f", nearestFixedText(v, 2), testing::printfText("%.2f", v));
    ++checkedGeneral;
  }
  void expect(double v, const char* form, const std::string& fast, const std::string& printed) {
    if (fast != printed && ++failures <= 10)
      ADD_FAILURE() << std::hexfloat << v << " as " << form << ": " << fast << " vs " << printed;
  }
  long checked = 0;
  long checkedGeneral = 0;
  int failures = 0;
};

double decimalText(long long digits, int exponent) {
  const std::string text = std::to_string(digits) + "e" + std::to_string(exponent);
  double value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

TEST(MaskOracle, AMillionValuesOfEveryTieClassAgreeWithTheExactFormatterAndPrintf) {
  std::mt19937_64 random(20261208);
  auto below = [&](std::uint64_t n) {
    return std::uniform_int_distribution<std::uint64_t>(0, n - 1)(random);
  };
  MaskOracle oracle;
  for (int round = 0; round < 45455; ++round) {
    const int d = static_cast<int>(round % 7);  // the masks' 0 to 6 decimals
    // Exact binary ties m x 2^-(d+1), m odd, small and up to 2^53, and both neighbours.
    const auto m = static_cast<double>((below(std::uint64_t{1} << (1 + below(53))) | 1));
    const double tie = std::ldexp(m, -(d + 1));
    oracle.check(tie, d);
    oracle.check(std::nextafter(tie, 0.0), d);
    oracle.check(std::nextafter(tie, std::numeric_limits<double>::infinity()), d);
    // Decimal texts ending in 5 one place past the mask (2.675, 1.005): mostly not ties in binary.
    oracle.check(decimalText(static_cast<long long>(below(100000000)) * 10 + 5, -(d + 1)), d);
    // Values that round to zero, and those just at or past half a unit.
    const double unit = std::pow(10.0, -d);
    oracle.check(unit * 0.5 * std::generate_canonical<double, 53>(random), d);
    oracle.check(std::nextafter(unit * 0.5, 1.0), d);
    oracle.check(std::ldexp(1.0, -1074 + static_cast<int>(below(60))), d);
    // Random bit patterns of every size, up to the largest double.
    double anyValue = std::numeric_limits<double>::quiet_NaN();
    while (!std::isfinite(anyValue)) anyValue = std::bit_cast<double>(random());
    oracle.check(anyValue, d);
    // Magnitudes past 2^53, where every double is a whole number, and round values beside 10^k.
    oracle.check(std::ldexp(static_cast<double>(random() >> 11), 53 + static_cast<int>(below(30))),
                 d);
    oracle.check(std::nextafter(std::pow(10.0, static_cast<double>(below(23))) - 0.5 * unit, 0.0),
                 d);
    // Report-sized values with a random mask width.
    oracle.check(
        std::ldexp(std::generate_canonical<double, 53>(random), static_cast<int>(below(40)) - 20),
        d, static_cast<int>(below(3)));
  }
  oracle.check(0.0, 2);
  oracle.check(0.0, 0, 0);
  EXPECT_GE(oracle.checked, 1000000);
  EXPECT_EQ(oracle.checkedGeneral, oracle.checked);
  EXPECT_EQ(oracle.failures, 0);
}

TEST(MaskOracle, GeneralFormsAtTheirEdgesAgreeWithPrintf) {
  using limits = std::numeric_limits<double>;
  MaskOracle oracle;
  for (double v : {0.0,
                   -0.0,
                   limits::denorm_min(),
                   limits::min(),
                   std::nextafter(limits::min(), 0.0),
                   1e-5,
                   1e-4,
                   std::nextafter(1e-4, 0.0),
                   9.99995e-5,
                   1e15,
                   1e16,
                   1e17,
                   999999999999999.5,
                   1e21,
                   0.5,
                   1.5,
                   2.5,
                   0.125,
                   0.375,
                   1234565.0,
                   999999.5,
                   99999.5,
                   9999995.0,
                   0.00012345650000000000123,
                   1.0 / 3.0,
                   limits::max(),
                   static_cast<double>(std::numeric_limits<float>::max()),
                   static_cast<double>(std::numeric_limits<float>::denorm_min()),
                   limits::infinity(),
                   -limits::infinity(),
                   limits::quiet_NaN(),
                   -limits::quiet_NaN()})
    oracle.checkGeneral(v);
  EXPECT_EQ(oracle.failures, 0);
  // Spelled out, so that the oracle itself is pinned where it matters most.
  EXPECT_EQ(generalText(1234565.0, 6), "1.23456e+06");  // an exact tie goes to even
  EXPECT_EQ(generalText(0.0001, 6), "0.0001");
  EXPECT_EQ(generalText(1e-5, 6), "1e-05");
  EXPECT_EQ(nearestFixedText(0.125, 2), "0.12");
  EXPECT_EQ(generalText(1e16), "1E+16");
}

TEST(MaskOracle, NamedTiesAndNonFiniteValues) {
  EXPECT_EQ(formatMask(0.125, "##0.00"), "0.13");
  EXPECT_EQ(formatMask(-2.5, "##0"), "-3");
  EXPECT_EQ(formatMask(99.95, "0.0"), "100.0");  // 99.95 lies above the half in binary
  EXPECT_EQ(formatMask(9.5, "0"), "10");         // the carry of a tie adds a digit
  EXPECT_EQ(formatMask(0.25, "#.00"), ".25");    // no required integer digit
  EXPECT_EQ(formatMask(3.5, "000.0"), "003.5");
  EXPECT_EQ(formatMask(std::numeric_limits<double>::infinity(), "0.00"), "Infinity");
  EXPECT_EQ(formatMask(std::nan(""), "0.00"), "NaN");
  std::string line = "x=";
  appendMasked(line, -0.0004, maskOf("##0.000"));
  EXPECT_EQ(line, "x=0.000");
}

}  // namespace
}  // namespace sodwright::base
