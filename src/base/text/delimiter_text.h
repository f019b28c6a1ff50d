// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The delimiter typed as "Other" text: exactly one character, or one of the
// two messages of the delimiter dialog.

#include <string_view>
#include <variant>

namespace sodwright::base {

inline constexpr std::string_view kDelimiterMissingMessage =
    "Please input Delimiter used in your data file";
inline constexpr std::string_view kDelimiterTooLongMessage =
    "Delimiter must be one character. Please input again or revise your data file.";

// The character, or the message that refuses the text.
inline std::variant<char, std::string_view> delimiterFromOtherText(std::string_view text) {
  if (text.empty()) return kDelimiterMissingMessage;
  if (text.size() > 1) return kDelimiterTooLongMessage;
  return text.front();
}

}  // namespace sodwright::base
