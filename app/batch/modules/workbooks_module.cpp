// SPDX-License-Identifier: GPL-3.0-or-later
// sodwright-batch-workbooks.so: the workbook readers (.xls through its reader
// program, .xlsx and .ods with libzip and Qt's XML reader).
#include "batch/batch_modules.h"
#include "platform/workbook/file_workbook_reader.h"

namespace sodwright::batch {
namespace {

std::unique_ptr<platform::WorkbookReader> makeReader() {
  return std::make_unique<platform::FileWorkbookReader>();
}

constexpr WorkbookModule kWorkbooks{&makeReader};

}  // namespace
}  // namespace sodwright::batch

SODWRIGHT_BATCH_MODULE_ENTRY(sodwright::batch::kWorkbooks)
