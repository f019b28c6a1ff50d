// SPDX-License-Identifier: GPL-3.0-or-later
// Workbooks spoiled byte by byte: every reader answers with a sheet or with
// an error text, never both and never neither (run under the sanitizers to
// catch reads out of bounds).
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/workbook/file_workbook_reader.h"

namespace sodwright::platform {
namespace {

std::string readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class SpoiledWorkbook : public ::testing::TestWithParam<std::string> {};

TEST_P(SpoiledWorkbook, AnswersWithASheetOrAnError) {
  const std::string name = GetParam();
  const std::string original =
      readBytes(std::string(SODWRIGHT_TEST_DATA_DIR) + "/workbooks/" + name);
  ASSERT_FALSE(original.empty());
  const std::filesystem::path spoiled =
      std::filesystem::temp_directory_path() /
      ("sodwright_spoiled_" + std::to_string(::getpid()) + "_" + name);
  FileWorkbookReader reader;
  std::uint32_t seed = 12345;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return seed >> 8;
  };
  int sheets = 0, errors = 0;
  for (int round = 0; round < 80; ++round) {
    std::string bytes = original;
    if (round % 3 == 0) {
      bytes.resize(next() % bytes.size());  // cut short
    } else {
      for (int flips = 1 + round % 4; flips > 0; --flips)
        bytes[next() % bytes.size()] = static_cast<char>(next());
    }
    std::ofstream(spoiled, std::ios::binary | std::ios::trunc) << bytes;
    const auto sheet = reader.openFirstSheet(spoiled.string());
    EXPECT_EQ(sheet.ok(), sheet.message().empty())
        << name << " round " << round << ": " << sheet.message();
    (sheet ? sheets : errors) += 1;
  }
  std::filesystem::remove(spoiled);
  EXPECT_GT(errors, 0) << name;  // the damage was noticed at least sometimes
}

INSTANTIATE_TEST_SUITE_P(Files, SpoiledWorkbook,
                         ::testing::Values("cells.xls", "cells.xlsx", "cells.ods",
                                           "cells_inline.xlsx", "transect.xls", "grid.ods"),
                         [](const ::testing::TestParamInfo<std::string>& param) {
                           std::string label = param.param;
                           for (char& ch : label)
                             if (ch == '.') ch = '_';
                           return label;
                         });

}  // namespace
}  // namespace sodwright::platform
