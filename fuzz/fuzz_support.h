// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers shared by the fuzz targets: taking bytes off the front of the input
// for choices, a scratch file for readers that take a path, and a property
// check that stops the run with a readable reason.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace sodwright::fuzz {

// Reads choices off the front of the input; the rest is the file's content.
class ByteTaker {
 public:
  ByteTaker(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint8_t byte() {
    if (pos_ >= size_) return 0;
    return data_[pos_++];
  }
  std::string_view rest() const {
    return {reinterpret_cast<const char*>(data_) + pos_, size_ - pos_};
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

// The five kinds of delimiter the import dialog offers: tab, space, comma,
// semicolon and another character (taken from the input).
char delimiterFrom(std::uint8_t choice, std::uint8_t other);

// Writes `content` to a scratch file of this process with the given
// extension (".xlsx", ...) and returns its path.
std::string writeScratchFile(std::string_view content, std::string_view extension);

// The whole content of a file, for the targets that build one.
std::string readScratchFile(const std::string& path);

// Prints the reason and aborts, so that libFuzzer keeps the input.
[[noreturn]] void propertyFailed(const char* file, int line, const std::string& what);

}  // namespace sodwright::fuzz

#define FUZZ_CHECK(condition, what)                                                  \
  do {                                                                               \
    if (!(condition)) ::sodwright::fuzz::propertyFailed(__FILE__, __LINE__, (what)); \
  } while (false)
