// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/text/text_file.h"

#include <cstdio>
#include <filesystem>
#include <sstream>

#include <gtest/gtest.h>

using namespace sodwright::base;

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
  EXPECT_TRUE(writeWholeFile(path.string(), "x\r\ny\r\n").ok());
  EXPECT_EQ(readTextLines(path.string()).value(), (std::vector<std::string>{"x", "y"}));
  std::filesystem::remove(path);
  EXPECT_FALSE(readTextLines(path.string()).ok());
  EXPECT_FALSE(writeWholeFile("/nonexistent-dir/x.txt", "x").ok());
  EXPECT_FALSE(writeWholeFile("/dev/full", "some text").ok());
}

namespace {

// Every line the reader gives, with a buffer small enough that line ends
// fall on the chunk borders.
std::vector<std::string> readAll(const std::string& text, bool skipEmpty = false) {
  std::istringstream in(text);
  TextLineReader reader(in);
  std::vector<std::string> lines;
  while (const std::string* line = reader.next(skipEmpty)) lines.push_back(*line);
  return lines;
}

}  // namespace

TEST(LineReading, SameLinesAsSplittingTheWholeText) {
  for (const std::string text :
       {"a\r\nb\rc\nd", "a\r\n", "a\r\n\r\n", "\n\n", "", "a\n\rb", "\r\n\r", "x\r"})
    EXPECT_EQ(readAll(text), splitLines(text)) << text;
  // A CR LF split by the reader's 64 KiB chunk still ends one line.
  const std::string longLine(65535, 'x');
  EXPECT_EQ(readAll(longLine + "\r\ny\n"), (std::vector<std::string>{longLine, "y"}));
  EXPECT_EQ(readAll("\n\r\n\ra\n\nb", true), (std::vector<std::string>{"a", "b"}));
}

TEST(LineReading, StopsAtALineLongerThanAllowed) {
  std::istringstream in("ok\n" + std::string(kLongestTextLine + 1, '\0'));
  TextLineReader reader(in);
  ASSERT_NE(reader.next(), nullptr);
  EXPECT_EQ(reader.next(), nullptr);
  EXPECT_TRUE(reader.tooLong());
  EXPECT_EQ(reader.lineNumber(), 2);
}
