#pragma once
// The three readers behind FileWorkbookReader, one per file format. Each
// reads the first worksheet into memory or returns empty with `error` set.

#include <memory>
#include <string>

#include "platform/memory_worksheet.h"

namespace sodwright::platform {

std::unique_ptr<MemoryWorksheet> readXlsFirstSheet(const std::string& path, std::string& error);
std::unique_ptr<MemoryWorksheet> readXlsxFirstSheet(const std::string& path, std::string& error);
std::unique_ptr<MemoryWorksheet> readOdsFirstSheet(const std::string& path, std::string& error);

}  // namespace sodwright::platform
