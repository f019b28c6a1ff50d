// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/nice_ticks.h"

#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace sodwright::base {
namespace {

std::vector<std::string> texts(const NiceTicks& ticks) {
  std::vector<std::string> out;
  for (double v : ticks.values) out.push_back(tickText(v, ticks));
  return out;
}

TEST(NiceTicks, RoundStepsWithinTheRangeAndTheirDecimals) {
  // A substance chart's window: 14546.77 .. 17277.16 gives round thousands
  // or halves, never the ends themselves.
  EXPECT_EQ(texts(niceTicks(14546.77, 17277.16, 6)),
            (std::vector<std::string>{"15000", "15500", "16000", "16500", "17000"}));
  // Both ends count when they are multiples; a tick below zero keeps its sign.
  EXPECT_EQ(texts(niceTicks(-0.1, 0.2, 4)),
            (std::vector<std::string>{"-0.1", "0.0", "0.1", "0.2"}));
  EXPECT_EQ(texts(niceTicks(0, 0.3, 4)), (std::vector<std::string>{"0.0", "0.1", "0.2", "0.3"}));
  EXPECT_EQ(texts(niceTicks(0, 10, 3)), (std::vector<std::string>{"0", "5", "10"}));
  // Small spans need the step's decimals.
  const NiceTicks fine = niceTicks(1.2031, 1.2049, 5);
  EXPECT_DOUBLE_EQ(fine.step, 0.0005);
  EXPECT_EQ(texts(fine), (std::vector<std::string>{"1.2035", "1.2040", "1.2045"}));
  // Nothing to tick.
  EXPECT_TRUE(niceTicks(3, 3, 5).values.empty());
  EXPECT_TRUE(niceTicks(0, std::numeric_limits<double>::infinity(), 5).values.empty());
}

}  // namespace
}  // namespace sodwright::base
