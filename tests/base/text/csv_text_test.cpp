// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/text/csv_text.h"

#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace sodwright::base {
namespace {

TEST(CsvText, QuotesOnlyWhereAFieldMustBeAndNumbersReadBackExactly) {
  EXPECT_EQ(csvField("N12"), "N12");
  EXPECT_EQ(csvField("a,b"), "\"a,b\"");
  EXPECT_EQ(csvField("say \"hi\""), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(csvField("two\nlines"), "\"two\nlines\"");
  EXPECT_EQ(exactNumber(0.1), "0.1");
  EXPECT_EQ(exactNumber(-3000.0), "-3000");
  EXPECT_EQ(exactNumber(-0.0), "0");
  EXPECT_EQ(exactNumberSingle(0.1f), "0.1");
  for (double v : {1.0 / 3.0, 2.0 / 3.0 * 1e-7, -123456.78901234567, 5e-324})
    EXPECT_EQ(std::strtod(exactNumber(v).c_str(), nullptr), v);
  EXPECT_EQ(std::strtof(exactNumberSingle(1.0f / 3.0f).c_str(), nullptr), 1.0f / 3.0f);
}

TEST(CsvText, QuotedFieldsReadAsTheirContentAtAnyDelimiter) {
  EXPECT_EQ(splitQuotedFields("\"245.017\",\"5000\",12", ','),
            (std::vector<std::string>{"245.017", "5000", "12"}));
  // A delimiter and a doubled quote inside quotes belong to the field.
  EXPECT_EQ(splitQuotedFields("\"a,b\",\"say \"\"hi\"\"\",", ','),
            (std::vector<std::string>{"a,b", "say \"hi\"", ""}));
  EXPECT_EQ(splitQuotedFields("\"1 2\" 3", ' '), (std::vector<std::string>{"1 2", "3"}));
  // A quote inside an unquoted field is text; an unclosed one runs to the end.
  EXPECT_EQ(splitQuotedFields("5\"x,\"7,8", ','), (std::vector<std::string>{"5\"x", "7,8"}));
  EXPECT_EQ(unquotedField("\"12.5\" m"), "12.5 m");
  EXPECT_EQ(fieldDelimiterPositions("\"a\tb\"\tc\td", '\t'), (std::vector<std::size_t>{5, 7}));
}

}  // namespace
}  // namespace sodwright::base
