// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The address of the KOLV section of the shipped user guide, opened in the
// desktop's browser by the help items of the KOLV windows.

#include <string>

namespace sodwright::kolv {

// `section` names the part of the guide: "kolv", or "ensembles" for the
// uncertainty dialog.
std::string kolvHelpAddress(const char* section = "kolv");

}  // namespace sodwright::kolv
