#include "shell/csv_text.h"

#include <cctype>
#include <charconv>

namespace sodwright::shell {

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

namespace {

std::string lowerEnd(std::string_view path, std::size_t count) {
  std::string end(path.size() >= count ? path.substr(path.size() - count) : path);
  for (char& ch : end) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return end;
}

}  // namespace

std::optional<char> presetDelimiter(std::string_view path) {
  const std::string end = lowerEnd(path, 4);
  if (end == ".csv") return ',';
  if (end == ".tsv") return '\t';
  return std::nullopt;
}

bool isDelimitedTextPath(std::string_view path) {
  const std::string end = lowerEnd(path, 4);
  return end == ".txt" || end == ".dat" || end == ".csv" || end == ".tsv";
}

}  // namespace sodwright::shell
