// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers past the range of a double, written with many digits instead of an
// exponent: the side they fall out of decides between 0 and infinity.

#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "base/number_text.h"

using namespace sodwright::base;

TEST(NumberRangeEdges, ManyLeadingZerosUnderflowToZero) {
  const std::string tiny = "0." + std::string(400, '0') + "1";
  EXPECT_EQ(parseLeadingNumber(tiny), 0.0);
  EXPECT_EQ(parseLeadingNumber("-" + tiny), 0.0);
  EXPECT_EQ(parseStrictNumber(tiny), 0.0);
  // The exponent adds to the place of the first digit.
  EXPECT_EQ(parseLeadingNumber(tiny + "e+5"), 0.0);
  EXPECT_EQ(parseLeadingNumber(tiny + "e-5"), 0.0);
}

TEST(NumberRangeEdges, ManyDigitsOverflowToInfinityWhateverTheExponentSign) {
  const std::string huge = "1" + std::string(400, '0');
  EXPECT_EQ(parseLeadingNumber(huge), INFINITY);
  EXPECT_EQ(parseLeadingNumber(huge + "e-10"), INFINITY);
  EXPECT_EQ(parseLeadingNumber("-" + huge + "e-10"), -INFINITY);
  EXPECT_FALSE(parseStrictNumber(huge + "e-10").has_value());
  // Back inside the range once the exponent brings it there.
  EXPECT_DOUBLE_EQ(parseLeadingNumber(huge + "e-395"), 1e5);
  EXPECT_EQ(parseLeadingNumber("1e99999999999999999999"), INFINITY);
  EXPECT_EQ(parseLeadingNumber("1e-99999999999999999999"), 0.0);
  EXPECT_EQ(parseLeadingNumber("0.00000001e-400"), 0.0);
  EXPECT_EQ(parseLeadingNumber("12345.6e400"), INFINITY);
}
