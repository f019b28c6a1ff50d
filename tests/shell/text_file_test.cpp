#include "shell/text_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

using namespace sodwright::shell;

TEST(LineSplitting, EveryLineEndCounts) {
  EXPECT_EQ(splitLines("a\r\nb\rc\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(splitLines("a\r\n"), (std::vector<std::string>{"a"}));
  EXPECT_EQ(splitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
  EXPECT_EQ(splitLines("\n\n"), (std::vector<std::string>{"", ""}));
  EXPECT_TRUE(splitLines("").empty());
  EXPECT_EQ(splitLines("a\n\rb"), (std::vector<std::string>{"a", "", "b"}));
}

TEST(FieldSplitting, EveryDelimiterSplits) {
  EXPECT_EQ(splitFields("a\tb\t\tc", '\t'), (std::vector<std::string>{"a", "b", "", "c"}));
  EXPECT_EQ(splitFields("", ','), (std::vector<std::string>{""}));
  EXPECT_EQ(splitFields("x,", ','), (std::vector<std::string>{"x", ""}));
}

TEST(FileWriting, ReportsFailuresAndRoundTrips) {
  const auto path = std::filesystem::temp_directory_path() / "sodwright_text_file_test.txt";
  EXPECT_FALSE(writeWholeFile(path.string(), "x\r\ny\r\n").has_value());
  EXPECT_EQ(readTextLines(path.string()), (std::vector<std::string>{"x", "y"}));
  std::filesystem::remove(path);
  EXPECT_FALSE(readTextLines(path.string()).has_value());
  EXPECT_TRUE(writeWholeFile("/nonexistent-dir/x.txt", "x").has_value());
  EXPECT_TRUE(writeWholeFile("/dev/full", "some text").has_value());
}
