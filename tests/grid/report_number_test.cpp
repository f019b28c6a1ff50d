#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "grid/report_number.h"
#include "shell/number_text.h"

namespace sodwright::nibal {
namespace {

std::string mask(int decimals) { return "##0" + (decimals > 0 ? "." + std::string(decimals, '0') : ""); }

TEST(ReportNumber, ExactTiesRoundAwayFromZero) {
  EXPECT_EQ(fixedDecimals(0.125, 2), "0.13");
  EXPECT_EQ(fixedDecimals(-0.125, 2), "-0.13");
  EXPECT_EQ(fixedDecimals(0.0625, 3), "0.063");
  EXPECT_EQ(fixedDecimals(2.5, 0), "3");
  EXPECT_EQ(fixedDecimals(512000.125, 2), "512000.13");
  EXPECT_EQ(fixedDecimals(1.005, 2), "1.00");  // 1.005 is below the tie in binary
}

TEST(ReportNumber, ZeroAndValuesThatRoundToZeroHaveNoMinusSign) {
  EXPECT_EQ(fixedDecimals(-0.0, 3), "0.000");
  EXPECT_EQ(fixedDecimals(-0.0004, 3), "0.000");
  EXPECT_EQ(fixedDecimals(-0.0005, 3), "-0.001");
  EXPECT_EQ(fixedDecimals(-0.004, 2), "0.00");
}

TEST(ReportNumber, AgreesWithTheSharedMaskFormatting) {
  std::mt19937_64 random(20261208);
  std::uniform_real_distribution<double> magnitude(-8.0, 9.0);
  std::uniform_int_distribution<int> ticks(-400000, 400000);
  for (int i = 0; i < 20000; ++i) {
    const int decimals = 2 + i % 2;
    // Values of every size, and values on the decimal grid and halfway between.
    const double wide = std::copysign(std::pow(10.0, magnitude(random)), magnitude(random));
    const double onGrid = ticks(random) / std::pow(10.0, decimals + 1);
    const double binaryHalf = ticks(random) / 1024.0;
    for (double value : {wide, onGrid, binaryHalf, 1e17 + i, -3e22})
      ASSERT_EQ(fixedDecimals(value, decimals), shell::formatMask(value, mask(decimals))) << value;
  }
}

}  // namespace
}  // namespace sodwright::nibal
