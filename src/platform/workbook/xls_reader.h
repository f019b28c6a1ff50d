#pragma once
// What the .xls reader program does: reads the first sheet of a workbook in
// its own process and encodes the filled cells (or the error text) for the
// program that started it, which decodes them in readXlsFirstSheet.

#include <string>

namespace sodwright::platform {

std::string readXlsForTransfer(const std::string& path);

}  // namespace sodwright::platform
