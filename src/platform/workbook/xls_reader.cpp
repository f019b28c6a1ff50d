// Legacy .xls workbooks through FreeXL.
#include <freexl.h>

#include <array>
#include <fstream>

#include "platform/workbook/sheet_builder.h"
#include "platform/workbook/workbook_readers.h"

namespace sodwright::platform {
namespace {

// Closes the FreeXL handle on every way out.
class XlsHandle {
 public:
  ~XlsHandle() {
    if (handle != nullptr) freexl_close(handle);
  }
  const void* handle = nullptr;
};

std::string openFailure(int code) {
  switch (code) {
    case FREEXL_FILE_NOT_FOUND:
      return "The file cannot be opened.";
    case FREEXL_INSUFFICIENT_MEMORY:
      return "The workbook is too large to read.";
    case FREEXL_INVALID_CFBF_HEADER:
    case FREEXL_CFBF_INVALID_SIGNATURE:
      return "The file is not an .xls workbook.";
    default:
      return "The .xls workbook is damaged and cannot be read (code " + std::to_string(code) + ").";
  }
}

// Every .xls file is a compound document starting with this signature; a
// short or foreign file is told apart from a damaged workbook by it.
bool hasCompoundSignature(const std::string& path) {
  static constexpr std::array<unsigned char, 8> kSignature = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  std::ifstream in(path, std::ios::binary);
  std::array<char, 8> head{};
  if (!in.read(head.data(), head.size())) return false;
  for (std::size_t i = 0; i < head.size(); ++i) {
    if (static_cast<unsigned char>(head[i]) != kSignature[i]) return false;
  }
  return true;
}

}  // namespace

std::unique_ptr<MemoryWorksheet> readXlsFirstSheet(const std::string& path, std::string& error) {
  if (std::ifstream(path, std::ios::binary) && !hasCompoundSignature(path)) {
    error = "The file is not an .xls workbook.";
    return nullptr;
  }
  XlsHandle xls;
  const int opened = freexl_open(path.c_str(), &xls.handle);
  if (opened != FREEXL_OK) {
    error = openFailure(opened);
    return nullptr;
  }
  unsigned int value = 0;
  if (freexl_get_info(xls.handle, FREEXL_BIFF_PASSWORD, &value) == FREEXL_OK && value == FREEXL_BIFF_OBFUSCATED) {
    error = "The workbook is protected by a password and cannot be read.";
    return nullptr;
  }
  if (freexl_get_info(xls.handle, FREEXL_BIFF_SHEET_COUNT, &value) != FREEXL_OK || value == 0) {
    error = "The workbook has no worksheet.";
    return nullptr;
  }
  if (freexl_select_active_worksheet(xls.handle, 0) != FREEXL_OK) {
    error = "The first worksheet of the workbook cannot be read.";
    return nullptr;
  }
  unsigned int rows = 0;
  unsigned short columns = 0;
  if (freexl_worksheet_dimensions(xls.handle, &rows, &columns) != FREEXL_OK) {
    error = "The first worksheet of the workbook cannot be read.";
    return nullptr;
  }
  SheetBuilder builder;
  for (unsigned int r = 0; r < rows && r < static_cast<unsigned int>(kMaxSheetRows); ++r) {
    for (unsigned int c = 0; c < columns; ++c) {
      FreeXL_CellValue cell;
      const int got = freexl_get_cell_value(xls.handle, r, static_cast<unsigned short>(c), &cell);
      if (got == FREEXL_ILLEGAL_CELL_ROW_COL) continue;
      const int row = static_cast<int>(r) + 1;
      const int column = static_cast<int>(c) + 1;
      if (got != FREEXL_OK) {
        error = "Cell " + cellName(row, column) + " of the workbook cannot be read.";
        return nullptr;
      }
      CellValue read;
      switch (cell.type) {
        case FREEXL_CELL_INT:
          read = numberCell(cell.value.int_value);
          break;
        case FREEXL_CELL_DOUBLE:
          read = numberCell(cell.value.double_value);
          break;
        case FREEXL_CELL_TEXT:
        case FREEXL_CELL_SST_TEXT:
        case FREEXL_CELL_DATE:
        case FREEXL_CELL_DATETIME:
        case FREEXL_CELL_TIME:
          read = CellValue::ofText(cell.value.text_value != nullptr ? cell.value.text_value : "");
          break;
        default:
          continue;
      }
      if (!builder.put(row, column, read, error)) return nullptr;
    }
  }
  return builder.take();
}

}  // namespace sodwright::platform
