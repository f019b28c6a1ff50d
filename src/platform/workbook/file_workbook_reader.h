// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads workbooks itself, with no spreadsheet application: legacy .xls,
// .xlsx and .ods, chosen by the file's extension (any case).

#include <memory>
#include <string>

#include "platform/workbook.h"

namespace sodwright::platform {

class FileWorkbookReader : public WorkbookReader {
 public:
  base::Result<std::unique_ptr<Worksheet>> openFirstSheet(const std::string& path) override;
};

}  // namespace sodwright::platform
