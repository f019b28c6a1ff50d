// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/text/csv_text.h"

#include <charconv>

namespace sodwright::base {

namespace {

template <class T>
std::string shortest(T value) {
  char text[48];
  const auto [end, error] = std::to_chars(text, text + sizeof text, value);
  return error == std::errc() ? std::string(text, end) : std::string();
}

}  // namespace

std::string csvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (char ch : text) {
    if (ch == '"') quoted += '"';
    quoted += ch;
  }
  quoted += '"';
  return quoted;
}

// A zero that came out negative is written as 0, as spreadsheets show it.
std::string exactNumber(double value) { return shortest(value == 0.0 ? 0.0 : value); }
std::string exactNumberSingle(float value) { return shortest(value == 0.0f ? 0.0f : value); }

}  // namespace sodwright::base
