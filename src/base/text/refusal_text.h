// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a refused value gets beside the box's own message: the true reason
// and the range the box accepts. The box's message stays as the window shows
// it; these texts go after it on the command line and below it in the window.

#include <string>
#include <string_view>

namespace sodwright::base {

struct Refusal {
  std::string reason;    // why, when the range alone does not say it ("not a number"); may be empty
  std::string accepted;  // the values the box takes, limits named with their current values
};

// A text that does not start with a number: such a box reads it as 0.
bool lacksNumber(std::string_view text);

// The command line's line: "--name typed: message (reason; accepted: range)";
// an empty `typed` shows as "".
std::string optionRefusalText(std::string_view option, std::string_view typed,
                              std::string_view message, const Refusal& refusal);

// The window's detail: "You typed typed: reason. Accepted: range."
std::string boxRefusalDetail(std::string_view typed, const Refusal& refusal);

// A file that could not be written, with the system's reason: "Cannot write path: reason".
std::string cannotWriteText(std::string_view path, std::string_view reason);

}  // namespace sodwright::base
