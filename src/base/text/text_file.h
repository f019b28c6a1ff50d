// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading and writing the program's text files: 8-bit text; CR LF, CR alone
// and LF alone each end a line, and a final line end starts no further line.
// Files are written with CR LF.

#include <cstddef>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"

namespace sodwright::base {

inline constexpr std::string_view kLineEnd = "\r\n";

// No line of a file the program reads needs more characters than this; a
// longer one (or a file without line ends, such as a device) is refused.
inline constexpr std::size_t kLongestTextLine = std::size_t{1} << 16;

// What an import adds to its failure message when memory ran out.
inline constexpr std::string_view kNotEnoughMemory =
    "There is not enough memory to read this file.";

// Reads lines one at a time by the rule above, so that a file is never held
// whole: memory stays bounded by the longest line allowed.
class TextLineReader {
 public:
  TextLineReader(std::istream& in, std::size_t longestLine = kLongestTextLine);

  // The next line, valid until the following call; null at the end of the
  // input, after a read error or at a line longer than allowed. With
  // `skipEmpty` empty lines are passed over (their numbers still count).
  const std::string* next(bool skipEmpty = false);

  // The 1-based number of the line last returned (or refused as too long).
  int lineNumber() const { return lineNumber_; }
  bool tooLong() const { return tooLong_; }
  bool failed() const { return failed_; }

 private:
  bool fill();

  std::istream& in_;
  std::size_t longestLine_;
  std::vector<char> buffer_;
  std::size_t position_ = 0;
  std::size_t end_ = 0;
  std::string line_;
  int lineNumber_ = 0;
  bool afterCarriageReturn_ = false;
  bool atEnd_ = false;
  bool tooLong_ = false;
  bool failed_ = false;
};

// Splits text into lines by the rule above.
std::vector<std::string> splitLines(std::string_view text);

// Reads a whole file; the failure says whether it could not be opened or read.
base::Result<std::string> readWholeFile(const std::string& path);

// Reads a file's lines; fails as readWholeFile does.
base::Result<std::vector<std::string>> readTextLines(const std::string& path);

// Writes text to a file in one go, replacing it once all of it is written
// (PendingFile): on failure the old file stays. Fails with the reason
// (cannot create, short write, failed close, a target that is not a
// regular file). Inside an OutputBatch the file is written whole and named
// when the batch commits.
base::Result<> writeWholeFile(const std::string& path, std::string_view content);

// Splits a line at every occurrence of the one-character delimiter.
std::vector<std::string> splitFields(std::string_view line, char delimiter);

}  // namespace sodwright::base
