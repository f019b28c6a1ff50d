// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The checks both workbook targets make on a file: the reader gives the same
// answer twice, and what the transect and grid imports make of the sheet
// holds up (a refused import keeps the held data; an accepted one has the
// right size, finite values, and a transect writes a file that imports again).

#include <cstdint>
#include <string_view>

#include "platform/workbook.h"

namespace sodwright::fuzz {

void checkWorkbook(std::string_view content, std::string_view extension, std::uint8_t gridChoice);

// The transect and grid imports on a sheet already read.
void checkSheet(const platform::Worksheet& sheet, std::uint8_t gridChoice);

}  // namespace sodwright::fuzz
