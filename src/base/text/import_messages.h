// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts every import shows, whatever the model: each is written once.

#include <string>
#include <string_view>

#include "base/text/text_file.h"

namespace sodwright::base {

// A file whose kind no import reads.
inline constexpr std::string_view kUnsupportedFile =
    "Sorry, program can not handle this file. Please convert your data into Excel, Text or DBF "
    "file";
// First line of a failed import; a second line names the place and the fault.
inline constexpr std::string_view kImportFailed =
    "Data import failed. Please check your data file and try again.";

// A failed import for want of memory; the program goes on with what it held.
inline std::string importOutOfMemoryMessage() {
  return std::string(kImportFailed) + "\n" + std::string(kNotEnoughMemory);
}

}  // namespace sodwright::base
