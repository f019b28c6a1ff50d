// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include <unistd.h>

namespace sodwright::fuzz {

char delimiterFrom(std::uint8_t choice, std::uint8_t other) {
  switch (choice % 5) {
    case 0:
      return '\t';
    case 1:
      return ' ';
    case 2:
      return ',';
    case 3:
      return ';';
    default:
      // Any other character but the line ends, which can never be a field separator.
      return other == '\r' || other == '\n' ? '|' : static_cast<char>(other);
  }
}

std::string writeScratchFile(std::string_view content, std::string_view extension) {
  const std::string path =
      "/tmp/sodwright-fuzz-" + std::to_string(getpid()) + std::string(extension);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  out.close();
  if (!out) propertyFailed(__FILE__, __LINE__, "cannot write the scratch file " + path);
  return path;
}

std::string readScratchFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.good() && !in.eof()) propertyFailed(__FILE__, __LINE__, "cannot read " + path);
  return bytes;
}

void propertyFailed(const char* file, int line, const std::string& what) {
  std::fprintf(stderr, "%s:%d: property failed: %s\n", file, line, what.c_str());
  std::fflush(stderr);
  std::abort();
}

}  // namespace sodwright::fuzz
