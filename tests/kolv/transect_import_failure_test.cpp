// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>
#include <functional>
#include <sstream>

#include <gtest/gtest.h>

#include "base/text/text_file.h"
#include "kolv/io/transect_import.h"
#include "kolv/transect_text.h"

namespace sodwright::kolv {
namespace {

using testing::describeState;
using testing::pointRows;
using testing::TransectHeader;
using testing::transectText;

struct MalformedCase {
  const char* name;
  std::function<std::string()> text;
  const char* secondLineStart;  // the line the problem is reported on
};

std::string withHeader(const std::function<void(TransectHeader&)>& change, int rows) {
  TransectHeader h;
  change(h);
  return transectText(h, pointRows(rows));
}

std::string firstLines(const std::string& text, int count) {
  const auto lines = base::splitLines(text);
  std::string out;
  for (int i = 0; i < count; ++i) out += lines[static_cast<std::size_t>(i)] + "\r\n";
  return out;
}

const std::vector<MalformedCase>& malformedCases() {
  static const std::vector<MalformedCase> cases = {
      {"too few point rows",
       [] { return withHeader([](TransectHeader& h) { h.points = " 5 "; }, 3); },
       "Line 12: the line is missing (point row 4 of 5"},
      {"row with four delimiters",
       [] {
         TransectHeader h;
         return transectText(
             h, {"1\t2\t3\t.1\t.05\t100", "1\t2\t3\t.1\t100", "1\t2\t3\t.1\t.05\t100"});
       },
       "Line 10: point row 2 of 3"},
      {"missing header lines", [] { return firstLines(transectText(TransectHeader{}, {}), 4); },
       "Line 5:"},
      {"empty file", [] { return std::string(); }, "Line 1:"},
      {"interval 0", [] { return withHeader([](TransectHeader& h) { h.interval = " 0 "; }, 3); },
       "Line 2:"},
      {"negative interval",
       [] { return withHeader([](TransectHeader& h) { h.interval = "-.5 "; }, 3); }, "Line 2:"},
      {"point count beyond 16 bits",
       [] { return withHeader([](TransectHeader& h) { h.points = " 40000 "; }, 3); }, "Line 1:"},
      {"point count beyond the node bounds",
       [] {
         return withHeader(
             [](TransectHeader& h) {
               h.points = " 32000 ";
               h.distrDistance = " 300 ";
               h.interval = " 1 ";
             },
             3);
       },
       "Line 2:"},
      {"point count 0", [] { return withHeader([](TransectHeader& h) { h.points = " 0 "; }, 3); },
       "Line 1:"},
      {"sequence beyond the bounds",
       [] { return withHeader([](TransectHeader& h) { h.sequence = "32717"; }, 3); }, "Line 1:"},
      {"negative sequence",
       [] { return withHeader([](TransectHeader& h) { h.sequence = "-1"; }, 3); }, "Line 1:"},
      {"zero bulk density", [] { return withHeader([](TransectHeader& h) { h.bd2 = " 0 "; }, 3); },
       "Line 5:"},
      {"zero tillage depth",
       [] { return withHeader([](TransectHeader& h) { h.tillDepth = " 0 "; }, 3); }, "Line 4:"},
      {"units field too short",
       [] {
         std::string text = transectText(TransectHeader{}, pointRows(3));
         return text.replace(text.find("mg/kg\tmg/kg"), 11, "mg/kg\tkg");
       },
       "Line 8: the unit field \"kg\" is shorter"},
      {"header line without its fields",
       [] {
         std::string text = transectText(TransectHeader{}, pointRows(3));
         const auto at = text.find("\t*SG+");
         return text.erase(at, text.find("\r\n", at) - at);  // line 3 ends after Beta
       },
       "Line 3:"},
      {"interval past the Single range",
       [] { return withHeader([](TransectHeader& h) { h.interval = " 1E+39 "; }, 3); },
       "Line 2: the interval 1E+39 does not fit a Single"},
      {"Alpha past the Single range",
       [] { return withHeader([](TransectHeader& h) { h.alpha = " 1E+39 "; }, 3); },
       "Line 3: the Alpha value"},
      {"a header line longer than any",
       [] { return std::string(base::kLongestTextLine + 1, '\0'); },
       "Line 1: the line is longer than"},
      {"row value past the Double range",
       [] {
         TransectHeader h;
         return transectText(
             h, {"1\t2\t3\t.1\t.05\t100", "1\t2\t3E999\t.1\t.05\t100", "1\t2\t3\t.1\t.05\t100"});
       },
       "Line 10:"},
  };
  return cases;
}

// Each malformed file gives the failure message with the line, and the
// transect imported before stays exactly as it was.
TEST(TransectImportFailure, MalformedFilesLeaveThePreviousTransect) {
  KolvState state;
  TransectHeader good;
  good.sequence = "3";
  good.unit = "ppm";
  ASSERT_TRUE(
      importTransectLines(state, base::splitLines(transectText(good, pointRows(4))), '\t').ok());
  state.params.SeqCount = 12;  // typed in the parameter window since
  state.params.ScScale = 0.25f;
  const std::string before = describeState(state);

  for (const auto& c : malformedCases()) {
    SCOPED_TRACE(c.name);
    const auto result = importTransectLines(state, base::splitLines(c.text()), '\t');
    ASSERT_FALSE(result.ok());
    const std::string& message = result.message();
    const auto lineEnd = message.find('\n');
    ASSERT_NE(lineEnd, std::string::npos);
    EXPECT_EQ(message.substr(0, lineEnd), base::kImportFailed);
    EXPECT_EQ(message.substr(lineEnd + 1, std::string(c.secondLineStart).size()), c.secondLineStart)
        << message;
    EXPECT_EQ(describeState(state), before);
  }
}

TEST(TransectImportFailure, MissingFileNamesTheFile) {
  KolvState state;
  const auto result = importTransectText(state, "/nonexistent/kolv/transect.txt", '\t');
  ASSERT_FALSE(result.ok());
  EXPECT_EQ(result.message(),
            std::string(base::kImportFailed) +
                "\nThe file /nonexistent/kolv/transect.txt is missing: there is no such file.");
  EXPECT_FALSE(state.imported);
}

// A .txt link to an endless device is refused at its first line instead of
// being read into memory.
TEST(TransectImportFailure, AnEndlessFileIsRefusedAtItsFirstLine) {
  const auto link = std::filesystem::temp_directory_path() / "sodwright_endless_transect.txt";
  std::filesystem::remove(link);
  std::filesystem::create_symlink("/dev/zero", link);
  KolvState state;
  const auto result = importTransectText(state, link.string(), '\t');
  std::filesystem::remove(link);
  ASSERT_FALSE(result.ok());
  EXPECT_NE(result.message().find("Line 1: the line is longer than"), std::string::npos)
      << result.message();
  EXPECT_FALSE(state.imported);
}

// A long transect's rows are read in two halves at once; the problem named
// is still that of the first line in the file that has one, whichever half
// holds it and whether a later line is bad or missing.
TEST(TransectImportFailure, ALongTransectNamesItsFirstBadLine) {
  constexpr int kRows = 6000;
  TransectHeader h;
  h.points = std::to_string(kRows);
  auto importWith = [&](const std::vector<std::pair<int, std::string>>& changes, int rows) {
    std::vector<std::string> lines = pointRows(kRows);
    for (const auto& [row, text] : changes) lines[static_cast<std::size_t>(row)] = text;
    lines.resize(static_cast<std::size_t>(rows));
    std::istringstream in(transectText(h, lines));
    KolvState state;
    return importTransectStream(state, in, '\t').message();
  };
  const std::string infinite = "1\t2\t3\t0.2\t0.1\t1e999";
  // Row 4,500 (line 4,509) lies in the second half, row 100 in the first.
  EXPECT_NE(importWith({{4500, infinite}}, kRows).find("Line 4509: the elevation"),
            std::string::npos);
  EXPECT_NE(importWith({{4500, infinite}, {100, infinite}}, kRows).find("Line 109: "),
            std::string::npos);
  EXPECT_NE(importWith({{4500, infinite}}, 5000).find("Line 4509: "), std::string::npos);
  EXPECT_NE(importWith({}, 5000).find("Line 5009: the line is missing"), std::string::npos);
}

// A measured value that is not one number is refused by line and field,
// never read as 0 or cut short; trailing empty fields are passed over.
TEST(TransectImportFailure, PointValuesThatAreNoNumbersNameTheirLineAndField) {
  const auto secondLine = [](const std::vector<std::string>& rows, char delimiter) {
    KolvState state;
    const auto result = importTransectLines(
        state, base::splitLines(transectText(TransectHeader{}, rows, delimiter)), delimiter);
    return result.ok() ? std::string("accepted")
                       : result.message().substr(result.message().find('\n') + 1);
  };
  const std::string good = "1\t2\t3\t.1\t.05\t100";
  for (const std::string elevation : {"abc", "", "nan", "inf", "0x1C", "28.224471abc", "1 2"})
    EXPECT_EQ(secondLine({good, "1\t2\t3\t.1\t.05\t" + elevation, good}, '\t'),
              "Line 10: the elevation (field 6) \"" + elevation + "\" is not a number.");
  EXPECT_EQ(secondLine({good, good, "x\t2\t3\t.1\t.05\t100"}, '\t'),
            "Line 11: the layer-1 concentration (field 1) \"x\" is not a number.");
  EXPECT_EQ(secondLine({good, "1\t2\t3\t0,1\t.05\t100", good}, '\t'),
            "Line 10: the layer-1 thickness (field 4) \"0,1\" is not a number.");
  EXPECT_EQ(secondLine({"1,2,3,.1,.05,100", "1,2,3,.1,.05,28,224471", "1,2,3,.1,.05,100"}, ','),
            "Line 10: a point row holds six values; \"224471\" follows the elevation (field 6), "
            "a decimal comma with the comma delimiter?");
  EXPECT_EQ(secondLine({good, good + "\t \t", good}, '\t'), "accepted");
}

TEST(TransectImportFailure, WrongDelimiterFailsOnTheFirstLine) {
  KolvState state;
  const auto result = importTransectLines(
      state, base::splitLines(transectText(TransectHeader{}, pointRows(3))), ',');
  ASSERT_FALSE(result.ok());
  EXPECT_NE(result.message().find("Line 1: "), std::string::npos);
  EXPECT_NE(result.message().find("found 0"), std::string::npos);
}

}  // namespace
}  // namespace sodwright::kolv
