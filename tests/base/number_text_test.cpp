// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/number_text.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

using namespace sodwright::base;

TEST(LeadingNumberParse, ReadsTheLeadingNumberAndIgnoresBlanks) {
  EXPECT_DOUBLE_EQ(parseLeadingNumber("2.5"), 2.5);
  EXPECT_DOUBLE_EQ(parseLeadingNumber("  1 2 3"), 123.0);
  EXPECT_DOUBLE_EQ(parseLeadingNumber("\t-0.25 m"), -0.25);
  EXPECT_DOUBLE_EQ(parseLeadingNumber("- 4"), -4.0);
  EXPECT_DOUBLE_EQ(parseLeadingNumber("+7"), 7.0);
  EXPECT_DOUBLE_EQ(parseLeadingNumber(".5"), 0.5);
  EXPECT_DOUBLE_EQ(parseLeadingNumber("5."), 5.0);
  EXPECT_DOUBLE_EQ(parseLeadingNumber("1.2.3"), 1.2);
  EXPECT_DOUBLE_EQ(parseLeadingNumber("1,5"), 1.0);
  EXPECT_DOUBLE_EQ(parseLeadingNumber(" 101 "), 101.0);
}

TEST(LeadingNumberParse, NoDigitsGivesZero) {
  EXPECT_EQ(parseLeadingNumber(""), 0.0);
  EXPECT_EQ(parseLeadingNumber("abc"), 0.0);
  EXPECT_EQ(parseLeadingNumber("."), 0.0);
  EXPECT_EQ(parseLeadingNumber("-"), 0.0);
  EXPECT_EQ(parseLeadingNumber("mg/kg"), 0.0);
  EXPECT_EQ(parseLeadingNumber("--5"), 0.0);
}

TEST(LeadingNumberParse, ExponentOnlyWhenComplete) {
  EXPECT_DOUBLE_EQ(parseLeadingNumber("1.5E3"), 1500.0);
  EXPECT_DOUBLE_EQ(parseLeadingNumber("1.5e-2"), 0.015);
  EXPECT_DOUBLE_EQ(parseLeadingNumber("2D2"), 200.0);
  EXPECT_DOUBLE_EQ(parseLeadingNumber("2E"), 2.0);
  EXPECT_DOUBLE_EQ(parseLeadingNumber("2E-"), 2.0);
  EXPECT_DOUBLE_EQ(parseLeadingNumber("2Ex"), 2.0);
  EXPECT_DOUBLE_EQ(parseLeadingNumber("3 E 2"), 300.0);
}

TEST(LeadingNumberParse, HugeExponentsDoNotWrap) {
  EXPECT_TRUE(std::isinf(parseLeadingNumber("1E999")));
  EXPECT_LT(parseLeadingNumber("-1E999"), 0.0);
  EXPECT_EQ(parseLeadingNumber("1E-999"), 0.0);
}

TEST(StrictParse, AcceptsOnlyWholeNumbers) {
  EXPECT_EQ(parseStrictNumber("2.5"), 2.5);
  EXPECT_EQ(parseStrictNumber("  -3 "), -3.0);
  EXPECT_EQ(parseStrictNumber("1e2"), 100.0);
  EXPECT_EQ(parseStrictNumber(".5"), 0.5);
  EXPECT_FALSE(parseStrictNumber("").has_value());
  EXPECT_FALSE(parseStrictNumber("  ").has_value());
  EXPECT_FALSE(parseStrictNumber("abc").has_value());
  EXPECT_FALSE(parseStrictNumber("2.5m").has_value());
  EXPECT_FALSE(parseStrictNumber("1 2").has_value());
  EXPECT_FALSE(parseStrictNumber("1e").has_value());
  EXPECT_FALSE(parseStrictNumber("-").has_value());
  EXPECT_FALSE(parseStrictNumber("1E999").has_value());
}

TEST(Int16Rounding, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(roundToInt16(2.5), 2);
  EXPECT_EQ(roundToInt16(3.5), 4);
  EXPECT_EQ(roundToInt16(-2.5), -2);
  EXPECT_EQ(roundToInt16(0.5), 0);
  EXPECT_EQ(roundToInt16(1.5), 2);
  EXPECT_EQ(roundToInt16(2.4999), 2);
  EXPECT_EQ(roundToInt16(32767.4), 32767);
  EXPECT_EQ(roundToInt16(-32768.4), -32768);
}

TEST(Int16Rounding, OutOfRangeIsExplicit) {
  EXPECT_FALSE(roundToInt16(32767.5).has_value());  // rounds to 32768
  EXPECT_FALSE(roundToInt16(-32768.6).has_value());
  EXPECT_FALSE(roundToInt16(1e300).has_value());
  EXPECT_FALSE(roundToInt16(std::numeric_limits<double>::quiet_NaN()).has_value());
  EXPECT_FALSE(roundToInt16(std::numeric_limits<double>::infinity()).has_value());
  EXPECT_EQ(floorToInt16(-0.5), -1);
  EXPECT_EQ(floorToInt16(9.999), 9);
  EXPECT_FALSE(floorToInt16(32768.0).has_value());
}

TEST(GeneralForm, DoubleUsesFifteenDigits) {
  EXPECT_EQ(generalText(0.25), "0.25");
  EXPECT_EQ(generalText(-0.5), "-0.5");
  EXPECT_EQ(generalText(2.3), "2.3");
  EXPECT_EQ(generalText(3000.0), "3000");
  EXPECT_EQ(generalText(0.0), "0");
  EXPECT_EQ(generalText(-0.0), "0");
  EXPECT_EQ(generalText(0.1 + 0.2), "0.3");
  EXPECT_EQ(generalText(1.0 / 3.0), "0.333333333333333");
  EXPECT_EQ(generalText(123456789012345.0), "123456789012345");
  EXPECT_EQ(generalText(1.5e16), "1.5E+16");
  EXPECT_EQ(generalText(1e15), "1E+15");
  EXPECT_EQ(generalText(0.0001), "0.0001");
  EXPECT_EQ(generalText(0.00001), "1E-05");
  EXPECT_EQ(generalText(-0.000012), "-1.2E-05");
  EXPECT_EQ(generalText(1e-100), "1E-100");
}

TEST(GeneralForm, SingleUsesSevenDigits) {
  EXPECT_EQ(generalTextSingle(0.1f), "0.1");
  EXPECT_EQ(generalTextSingle(1.0f / 3.0f), "0.3333333");
  EXPECT_EQ(generalTextSingle(2.3f), "2.3");
  EXPECT_EQ(generalTextSingle(1234567.0f), "1234567");
  EXPECT_EQ(generalTextSingle(12345678.0f), "1.234568E+07");
  EXPECT_EQ(generalTextSingle(0.00005f), "5E-05");
  EXPECT_EQ(generalTextSingle(9.9999999f), "10");
  EXPECT_EQ(generalText(42LL), "42");
  EXPECT_EQ(generalText(-7LL), "-7");
}

TEST(BareForm, HasBlanksAndNoLeadingZero) {
  EXPECT_EQ(bareText(0.25), " .25 ");
  EXPECT_EQ(bareText(-0.25), "-.25 ");
  EXPECT_EQ(bareText(-1.5), "-1.5 ");
  EXPECT_EQ(bareText(101LL), " 101 ");
  EXPECT_EQ(bareText(1300.0), " 1300 ");
  EXPECT_EQ(bareText(0.0), " 0 ");
  EXPECT_EQ(bareTextSingle(0.1f), " .1 ");
  EXPECT_EQ(bareTextSingle(2.0f), " 2 ");
  EXPECT_EQ(bareText(0.00001), " 1E-05 ");
  EXPECT_EQ(bareText(-3LL), "-3 ");
}

TEST(FormatMask, ExactDecimalsAndAtLeastOneIntegerDigit) {
  EXPECT_EQ(formatMask(0.5, "######0.000000"), "0.500000");
  EXPECT_EQ(formatMask(123.456789, "##0.0000"), "123.4568");
  EXPECT_EQ(formatMask(1234.5, "##0.00"), "1234.50");
  EXPECT_EQ(formatMask(3.0, "###0.0"), "3.0");
  EXPECT_EQ(formatMask(5.0, "##0"), "5");
  EXPECT_EQ(formatMask(-2.25, "##0.0000"), "-2.2500");
  EXPECT_EQ(formatMask(0.999996, "##0.00000"), "1.00000");
  EXPECT_EQ(formatMask(999.9999, "##0.00"), "1000.00");
  EXPECT_EQ(formatMask(1e20, "0.0"), "100000000000000000000.0");
}

TEST(FormatMask, HalvesAwayFromZeroOnTheExactBinaryValue) {
  EXPECT_EQ(formatMask(0.125, "0.00"), "0.13");  // exact tie: printf would give 0.12
  EXPECT_EQ(formatMask(2.5, "0"), "3");
  EXPECT_EQ(formatMask(-2.5, "0"), "-3");
  EXPECT_EQ(formatMask(0.5, "##0"), "1");
  EXPECT_EQ(formatMask(1.0005, "0.000"), "1.000");  // binary value lies below the half
  EXPECT_EQ(formatMask(2.675, "0.00"), "2.67");     // 2.67499999...
  EXPECT_EQ(formatMask(1.005, "0.00"), "1.00");
  EXPECT_EQ(formatMask(0.375, "0.00"), "0.38");
  EXPECT_EQ(formatMask(-0.375, "0.00"), "-0.38");
}

TEST(FormatMask, NegativeValueRoundingToZeroHasNoSign) {
  EXPECT_EQ(formatMask(-0.0000001, "##0.0000"), "0.0000");
  EXPECT_EQ(formatMask(-0.0, "##0.00"), "0.00");
  EXPECT_EQ(formatMask(-0.004, "##0.00"), "0.00");
  EXPECT_EQ(formatMask(-0.005, "##0.00"), "-0.01");
  EXPECT_EQ(formatMask(-0.4, "##0"), "0");
}

TEST(ViewerTruncation, T4FloorsTowardMinusInfinity) {
  EXPECT_EQ(t4Text(0.123456), "0.1234");
  EXPECT_EQ(t4Text(-0.123456), "-0.1235");
  EXPECT_EQ(t4Text(-0.00001), "-0.0001");
  EXPECT_EQ(t4Text(0.00001), "0");
  EXPECT_EQ(t4Text(101.5), "101.5");
  EXPECT_EQ(t4TextSingle(0.5f), "0.5");
  EXPECT_EQ(t4TextSingle(-0.123456f), "-0.1235");
  EXPECT_EQ(t4TextSingle(1.23456789f), "1.2345");
}

TEST(ViewerTruncation, T4OfASingleIsFormedInSingle) {
  // Widened to Double these carry a tail that the floor would keep.
  EXPECT_EQ(t4TextSingle(-0.1f), "-0.1");
  EXPECT_EQ(t4TextSingle(0.7f), "0.7");
  EXPECT_EQ(t4TextSingle(-2.3f), "-2.3");
  EXPECT_EQ(t4Text(static_cast<double>(0.7f)), "0.6999");  // a Double stays Double
}

TEST(ViewerTruncation, T2KeepsTwoDecimals) {
  EXPECT_EQ(t2Text(10.129), "10.12");
  EXPECT_EQ(t2Text(-10.121), "-10.13");
  EXPECT_EQ(t2Text(7.0), "7");
}
