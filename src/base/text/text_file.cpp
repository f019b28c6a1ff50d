// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/text/text_file.h"

#include <fstream>
#include <sstream>

#include "base/files/output_batch.h"
#include "base/files/pending_output.h"

namespace sodwright::base {

std::vector<std::string> splitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::string current;
  bool pending = false;  // a line has started since the last line end
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(current);
      current.clear();
      pending = false;
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      current.push_back(c);
      pending = true;
    }
  }
  if (pending) lines.push_back(current);
  return lines;
}

TextLineReader::TextLineReader(std::istream& in, std::size_t longestLine)
    : in_(in), longestLine_(longestLine), buffer_(std::size_t{1} << 16) {}

bool TextLineReader::fill() {
  if (atEnd_) return false;
  in_.read(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
  end_ = static_cast<std::size_t>(in_.gcount());
  position_ = 0;
  if (in_.bad()) failed_ = true;
  if (end_ == 0) atEnd_ = true;
  return end_ != 0;
}

const std::string* TextLineReader::next(bool skipEmpty) {
  if (tooLong_ || failed_) return nullptr;
  line_.clear();
  bool started = false;  // a line has started since the last line end
  for (;;) {
    if (position_ == end_ && !fill()) {
      if (failed_ || !started) return nullptr;
      ++lineNumber_;
      return &line_;
    }
    const char* const data = buffer_.data();
    std::size_t at = position_;
    if (!started) {
      // Line ends in a row: each ends an empty line, CR LF counting once.
      while (at < end_ && (data[at] == '\r' || data[at] == '\n')) {
        const bool crLf = afterCarriageReturn_ && data[at] == '\n';
        afterCarriageReturn_ = data[at] == '\r';
        ++at;
        if (crLf) continue;
        ++lineNumber_;
        if (!skipEmpty) {
          position_ = at;
          return &line_;
        }
      }
      position_ = at;
      if (at == end_) continue;
      afterCarriageReturn_ = false;
    }
    std::size_t stop = at;
    while (stop < end_ && data[stop] != '\r' && data[stop] != '\n') ++stop;
    if (line_.size() + (stop - at) > longestLine_) {
      tooLong_ = true;
      ++lineNumber_;
      return nullptr;
    }
    line_.append(data + at, stop - at);
    started = true;
    position_ = stop;
    if (stop < end_) {
      afterCarriageReturn_ = data[stop] == '\r';
      ++position_;
      ++lineNumber_;
      return &line_;
    }
  }
}

base::Result<std::string> readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return base::fail("cannot open the file: " + path);
  std::ostringstream buffer;
  buffer << in.rdbuf();
  if (in.bad()) return base::fail("cannot read the file: " + path);
  return buffer.str();
}

base::Result<std::vector<std::string>> readTextLines(const std::string& path) {
  auto content = readWholeFile(path);
  if (!content) return base::fail(content.message());
  return splitLines(*content);
}

base::Result<> writeWholeFile(const std::string& path, std::string_view content) {
  auto file = PendingFile::create(path);
  if (!file) return base::fail(file.message());
  (*file)->write(content);
  if (OutputBatch* batch = OutputBatch::current()) return batch->keep(std::move(*file));
  return (*file)->commit();
}

std::vector<std::string> splitFields(std::string_view line, char delimiter) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const auto pos = line.find(delimiter, start);
    if (pos == std::string_view::npos) {
      fields.emplace_back(line.substr(start));
      return fields;
    }
    fields.emplace_back(line.substr(start, pos - start));
    start = pos + 1;
  }
}

}  // namespace sodwright::base
