// SPDX-License-Identifier: GPL-3.0-or-later
// The three workbook readers against files made by
// tests/data/workbooks/make_workbooks.py.
#include <string>

#include <gtest/gtest.h>

#include "platform/cell_address.h"
#include "platform/import_kind.h"
#include "platform/workbook/file_workbook_reader.h"
#include "platform/workbook/sheet_builder.h"

namespace sodwright::platform {
namespace {

std::string dataFile(const std::string& name) {
  return std::string(SODWRIGHT_TEST_DATA_DIR) + "/workbooks/" + name;
}

std::unique_ptr<Worksheet> open(const std::string& name, std::string& error) {
  FileWorkbookReader reader;
  auto sheet = reader.openFirstSheet(dataFile(name));
  error = sheet.message();
  return sheet ? std::move(*sheet) : nullptr;
}

void expectNumber(const Worksheet& sheet, const char* cell, double value) {
  const auto ref = parseCellReference(cell);
  ASSERT_TRUE(ref);
  const CellValue got = sheet.cell(ref->row, ref->column);
  EXPECT_EQ(got.kind, CellValue::Kind::Number) << cell;
  EXPECT_EQ(got.number, value) << cell;
}

void expectText(const Worksheet& sheet, const char* cell, const std::string& text) {
  const auto ref = parseCellReference(cell);
  ASSERT_TRUE(ref);
  const CellValue got = sheet.cell(ref->row, ref->column);
  EXPECT_EQ(got.kind, CellValue::Kind::Text) << cell;
  EXPECT_EQ(got.text, text) << cell;
}

void expectEmpty(const Worksheet& sheet, const char* cell) {
  const auto ref = parseCellReference(cell);
  ASSERT_TRUE(ref);
  EXPECT_EQ(sheet.cell(ref->row, ref->column).kind, CellValue::Kind::Empty) << cell;
}

class WorkbookCells : public ::testing::TestWithParam<std::string> {};

TEST_P(WorkbookCells, ReadsEachKindOfCellOfTheFirstSheet) {
  std::string error;
  const auto sheet = open("cells." + GetParam(), error);
  ASSERT_TRUE(sheet) << error;
  expectNumber(*sheet, "A1", 1.5);
  expectText(*sheet, "B1", "abc");
  expectNumber(*sheet, "C1", 42);
  if (GetParam() == "xls") {
    // The .xls reader cannot tell a boolean from the integers 1 and 0.
    expectNumber(*sheet, "D1", 1);
    expectNumber(*sheet, "E2", 0);
  } else {
    expectText(*sheet, "D1", "TRUE");
    expectText(*sheet, "E2", "FALSE");
  }
  expectEmpty(*sheet, "A2");
  expectNumber(*sheet, "B2", -100);
  expectText(*sheet, "F4", "mg");
  expectNumber(*sheet, "E7", 0.1);
  expectText(*sheet, "C12", "  3.25");
  expectNumber(*sheet, "AB30", 123456.789);
  expectEmpty(*sheet, "AB31");
  expectEmpty(*sheet, "A1048576");
  // A number carries the text a spreadsheet shows for it.
  EXPECT_EQ(sheet->cell(30, 28).text, "123456.789");
}

INSTANTIATE_TEST_SUITE_P(AllFormats, WorkbookCells, ::testing::Values("xls", "xlsx", "ods"));

TEST(OdsRepeats, RepeatedRowsAndCellsAreFilledAndTheEmptyRestIsNot) {
  std::string error;
  const auto sheet = open("cells.ods", error);
  ASSERT_TRUE(sheet) << error;
  expectEmpty(*sheet, "A40");
  expectNumber(*sheet, "A41", 9);
  expectNumber(*sheet, "A42", 9);
  expectNumber(*sheet, "A43", 0.25);
  expectNumber(*sheet, "C43", 0.25);
  expectEmpty(*sheet, "D43");
  expectEmpty(*sheet, "A44");
}

TEST(XlsxCells, InlineStringsFormulaTextsAndCellsWithoutReferences) {
  std::string error;
  const auto sheet = open("cells_inline.xlsx", error);
  ASSERT_TRUE(sheet) << error;
  expectText(*sheet, "A1", "first");
  expectNumber(*sheet, "B1", 2.5);
  expectNumber(*sheet, "C1", -7);
  expectText(*sheet, "B3", "rich text");
  expectText(*sheet, "C3", "first");
  expectText(*sheet, "D3", "TRUE");
  expectText(*sheet, "E3", "#DIV/0!");
  expectEmpty(*sheet, "F3");
}

struct Damaged {
  std::string file;
  std::string message;
};

class DamagedWorkbook : public ::testing::TestWithParam<Damaged> {};

TEST_P(DamagedWorkbook, GivesItsMessageAndNoSheet) {
  std::string error;
  const auto sheet = open(GetParam().file, error);
  EXPECT_FALSE(sheet);
  EXPECT_NE(error.find(GetParam().message), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(Files, DamagedWorkbook,
                         ::testing::Values(Damaged{"not_a_zip.xlsx", "not a zip archive"},
                                           Damaged{"not_a_zip.ods", "not a zip archive"},
                                           Damaged{"not_an_xls.xls", "not an .xls workbook"},
                                           Damaged{"no_workbook_part.xlsx", "no workbook part"},
                                           Damaged{"no_sheet.xlsx", "no worksheet"},
                                           Damaged{"no_content.ods", "no content.xml"},
                                           Damaged{"broken_sheet.xlsx", "broken XML"},
                                           Damaged{"missing.xlsx", "cannot be opened"},
                                           Damaged{"missing.xls", "cannot be opened"},
                                           Damaged{"transect.txt", "not a workbook"},
                                           Damaged{"huge_repeat.ods",
                                                   "more text than can be read"}));

TEST(OdsText, ACellTextInsideDeeplyNestedSpansIsRead) {
  std::string error;
  const auto sheet = open("deep_spans.ods", error);
  ASSERT_TRUE(sheet) << error;
  expectText(*sheet, "A1", "deep");
}

TEST(WorkbookPath, KnowsTheThreeExtensionsInAnyCase) {
  EXPECT_EQ(importKindOf("a/b/Data.XLS"), ImportKind::Xls);
  EXPECT_EQ(importKindOf("data.XlSx"), ImportKind::Xlsx);
  EXPECT_EQ(importKindOf("data.ods"), ImportKind::Ods);
  for (const char* name : {"data.txt", "data.xlsm", "xls", "folder.xls/data"})
    EXPECT_FALSE(isWorkbook(importKindOf(name))) << name;
}

TEST(CellAddress, ParsesCellsAndRanges) {
  const auto c12 = parseCellReference("C12");
  ASSERT_TRUE(c12);
  EXPECT_EQ(c12->row, 12);
  EXPECT_EQ(c12->column, 3);
  EXPECT_EQ(parseCellReference("$ab$30")->column, 28);
  EXPECT_FALSE(parseCellReference("12"));
  EXPECT_FALSE(parseCellReference("C"));
  EXPECT_FALSE(parseCellReference("C0"));
  EXPECT_FALSE(parseCellReference("C12x"));
  EXPECT_FALSE(parseCellReference("XFE1"));      // past the last column
  EXPECT_FALSE(parseCellReference("A1048577"));  // past the last row
  EXPECT_FALSE(parseCellReference("A99999999999999999999"));
  const auto range = parseRangeAddress("A7:E5000");
  ASSERT_TRUE(range);
  EXPECT_EQ(range->rowCount(), 4994);
  EXPECT_EQ(range->columnCount(), 5);
  EXPECT_EQ(parseRangeAddress("F4:A1")->firstColumn, 1);
  EXPECT_FALSE(parseRangeAddress("A1:"));
  EXPECT_EQ(cellName(107, 5), "E107");
  EXPECT_EQ(columnName(16384), "XFD");
  EXPECT_EQ(columnName(27), "AA");
}

TEST(CellAddress, ReadsCellsThroughARange) {
  std::string error;
  const auto sheet = open("cells.xlsx", error);
  ASSERT_TRUE(sheet) << error;
  const CellRange range = *parseRangeAddress("B2:E7");
  EXPECT_EQ(cellInRange(*sheet, range, 1, 1).number, -100);                  // B2
  EXPECT_EQ(cellInRange(*sheet, range, 6, 4).number, 0.1);                   // E7
  EXPECT_EQ(cellInRange(*sheet, range, 7, 1).kind, CellValue::Kind::Empty);  // outside
  EXPECT_EQ(cellInRange(*sheet, range, 0, 1).kind, CellValue::Kind::Empty);
}

}  // namespace
}  // namespace sodwright::platform

namespace sodwright::platform {
namespace {

TEST(SheetBuilderLimits, CutsLongTextsAndRefusesWhatWouldExhaustMemory) {
  // The real limits are large; the same checks with small ones.
  SheetBuilder texts(1000, 3 * kMaxCellText);
  ASSERT_TRUE(texts.put(1, 1, CellValue::ofText(std::string(40000, 'x'))).ok());  // cut
  ASSERT_TRUE(texts.put(0, 1, numberCell(1)).ok());  // before the first row: dropped
  ASSERT_TRUE(texts.put(1, kMaxSheetColumns + 1, numberCell(1)).ok());  // past the last column
  ASSERT_TRUE(texts.put(2, 1, CellValue::ofText(std::string(kMaxCellText, 'y'))).ok());
  ASSERT_TRUE(texts.put(2, 2, CellValue::ofText(std::string(kMaxCellText, 'y'))).ok());
  const auto tooMuch = texts.put(2, 3, CellValue::ofText("z"));
  EXPECT_FALSE(tooMuch.ok());
  EXPECT_EQ(tooMuch.message(), "The first worksheet holds more text than can be read.");
  const auto sheet = texts.take();
  EXPECT_EQ(sheet->cell(1, 1).text.size(), kMaxCellText);
  EXPECT_EQ(sheet->cell(0, 1).kind, CellValue::Kind::Empty);

  SheetBuilder numbers(250);
  std::size_t filled = 0;
  base::Result<> put;
  while ((put = numbers.put(static_cast<std::int64_t>(filled / 100 + 1),
                            static_cast<std::int64_t>(filled % 100 + 1), numberCell(0.5))))
    ++filled;
  EXPECT_EQ(filled, 250u);
  EXPECT_EQ(put.message(),
            "The first worksheet holds more than 250 filled cells; it is too large to read.");
}

}  // namespace
}  // namespace sodwright::platform
