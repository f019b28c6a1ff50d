// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string_view>

namespace sodwright::platform {
// Title of message boxes that name no title of their own.
inline constexpr std::string_view kProgramTitle = "Sodwright";
}  // namespace sodwright::platform
