// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the .xls reader program does: reads the first sheet of a workbook in
// its own process and encodes the filled cells (or the error text) for the
// program that started it, which decodes them with decodeXlsTransfer.

#include <string>
#include <string_view>

#include "platform/workbook/workbook_readers.h"

namespace sodwright::platform {

std::string readXlsForTransfer(const std::string& path);

// The starting program's side: the sheet or the error text that an answer of
// readXlsForTransfer carries; an answer cut short is a damaged workbook.
SheetResult decodeXlsTransfer(std::string_view answer);

}  // namespace sodwright::platform
