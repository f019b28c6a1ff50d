// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The three readers behind FileWorkbookReader, one per file format. Each
// reads the first worksheet into memory or fails with the reason.

#include <memory>
#include <string>

#include "base/result.h"
#include "platform/memory_worksheet.h"

namespace sodwright::platform {

using SheetResult = base::Result<std::unique_ptr<MemoryWorksheet>>;

SheetResult readXlsFirstSheet(const std::string& path);
SheetResult readXlsxFirstSheet(const std::string& path);
SheetResult readOdsFirstSheet(const std::string& path);

}  // namespace sodwright::platform
