#pragma once
// Reading and writing the program's text files: 8-bit text; CR LF, CR alone
// and LF alone each end a line, and a final line end starts no further line.
// Files are written with CR LF.

#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sodwright::shell {

inline constexpr std::string_view kLineEnd = "\r\n";

// Splits text into lines by the rule above.
std::vector<std::string> splitLines(std::string_view text);

// Reads a whole file; empty when it cannot be opened or read.
std::optional<std::string> readWholeFile(const std::string& path);

// Reads a file's lines; empty when the file cannot be opened or read.
std::optional<std::vector<std::string>> readTextLines(const std::string& path);

// Writes text to a file in one go, replacing it. Returns an error text on
// failure (cannot create, short write, failed close) and empty on success.
std::optional<std::string> writeWholeFile(const std::string& path, std::string_view content);

// Splits a line at every occurrence of the one-character delimiter.
std::vector<std::string> splitFields(std::string_view line, char delimiter);

}  // namespace sodwright::shell
