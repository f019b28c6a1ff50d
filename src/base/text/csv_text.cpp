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

std::vector<std::size_t> fieldDelimiterPositions(std::string_view line, char delimiter) {
  std::vector<std::size_t> positions;
  bool atFieldStart = true;
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char ch = line[i];
    if (quoted) {
      // A doubled quote stays inside; a single one closes the field.
      if (ch == '"') {
        if (i + 1 < line.size() && line[i + 1] == '"')
          ++i;
        else
          quoted = false;
      }
      continue;
    }
    if (ch == delimiter) {
      positions.push_back(i);
      atFieldStart = true;
      continue;
    }
    if (atFieldStart && ch == '"') quoted = true;
    atFieldStart = false;
  }
  return positions;
}

std::string unquotedField(std::string_view field) {
  if (field.empty() || field.front() != '"') return std::string(field);
  std::string content;
  std::size_t i = 1;
  for (; i < field.size(); ++i) {
    if (field[i] != '"') {
      content += field[i];
      continue;
    }
    if (i + 1 < field.size() && field[i + 1] == '"') {
      content += '"';
      ++i;
      continue;
    }
    ++i;
    break;
  }
  if (i < field.size()) content += field.substr(i);
  return content;
}

std::vector<std::string> splitQuotedFields(std::string_view line, char delimiter) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (const std::size_t position : fieldDelimiterPositions(line, delimiter)) {
    fields.push_back(unquotedField(line.substr(start, position - start)));
    start = position + 1;
  }
  fields.push_back(unquotedField(line.substr(start)));
  return fields;
}

}  // namespace sodwright::base
