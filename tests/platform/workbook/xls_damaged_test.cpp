// SPDX-License-Identifier: GPL-3.0-or-later
// An .xls workbook whose string record claims more characters than it holds
// makes the .xls library read past its own buffer. The library runs in a
// reader program of its own, so the program only sees a damaged workbook
// and goes on reading others.

#include <string>

#include <gtest/gtest.h>

#include "platform/workbook/file_workbook_reader.h"

namespace sodwright::platform {
namespace {

std::string workbook(const std::string& name) {
  return std::string(SODWRIGHT_TEST_DATA_DIR) + "/workbooks/" + name;
}

TEST(XlsDamaged, AStringLongerThanItsRecordIsADamagedWorkbookNotACrash) {
  FileWorkbookReader reader;
  for (int attempt = 0; attempt < 3; ++attempt) {
    const auto sheet = reader.openFirstSheet(workbook("damaged_string_length.xls"));
    // Past the library's buffer lies whatever the stack holds: the reader
    // dies (always so under the address sanitizer), the library finds the
    // record broken (a damaged workbook with the library's code) or reads
    // nonsense text.
    if (!sheet) {
      EXPECT_EQ(sheet.message().rfind("The .xls workbook is damaged and cannot be read", 0), 0u)
          << sheet.message();
    }
  }
  const auto good = reader.openFirstSheet(workbook("cells.xls"));
  ASSERT_TRUE(good) << good.message();
  EXPECT_EQ((*good)->cell(1, 1).kind, CellValue::Kind::Number);
}

TEST(XlsDamaged, CellsComeBackFromTheChildWithTheirKindsAndTexts) {
  FileWorkbookReader reader;
  const auto read = reader.openFirstSheet(workbook("transect.xls"));
  ASSERT_TRUE(read) << read.message();
  const auto& sheet = *read;
  const CellValue sequence = sheet->cell(1, 2);
  EXPECT_EQ(sequence.kind, CellValue::Kind::Number);
  EXPECT_EQ(sequence.text, "0");
  EXPECT_EQ(sheet->cell(1, 1).kind, CellValue::Kind::Text);
  EXPECT_FALSE(sheet->cell(1, 1).text.empty());
  EXPECT_EQ(sheet->cell(5000, 50).kind, CellValue::Kind::Empty);
}

}  // namespace
}  // namespace sodwright::platform
