// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/result.h"

#include <memory>
#include <string>

#include <gtest/gtest.h>

namespace sodwright::base {
namespace {

Result<std::unique_ptr<int>> halve(int n) {
  if (n % 2 != 0) return fail("Line " + std::to_string(n) + ": odd");
  return std::make_unique<int>(n / 2);
}

TEST(Result, HoldsAMoveOnlyValueOrTheMessageToShow) {
  Result<std::unique_ptr<int>> even = halve(8);
  ASSERT_TRUE(even);
  EXPECT_TRUE(even.message().empty());
  std::unique_ptr<int> taken = *std::move(even);
  EXPECT_EQ(*taken, 4);

  const auto odd = halve(3);
  EXPECT_FALSE(odd.ok());
  EXPECT_EQ(odd.message(), "Line 3: odd");

  Result<> done;
  EXPECT_TRUE(done);
  Result<> refused = fail(std::string_view("no"));
  EXPECT_FALSE(refused);
  EXPECT_EQ(refused.message(), "no");
}

}  // namespace
}  // namespace sodwright::base
