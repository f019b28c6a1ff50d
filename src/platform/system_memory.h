// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the machine offers a run: the models take the number as an argument,
// so they read no system file themselves.

#include <cstdint>
#include <fstream>
#include <string>

#include <unistd.h>

namespace sodwright::platform {

// MemAvailable of /proc/meminfo, else the free pages; 0 when unknown.
inline std::uint64_t availableMemoryBytes() {
  std::ifstream meminfo("/proc/meminfo");
  std::string key;
  std::uint64_t kilobytes = 0;
  std::string unit;
  while (meminfo >> key >> kilobytes >> unit)
    if (key == "MemAvailable:") return kilobytes * 1024;
  const long pages = ::sysconf(_SC_AVPHYS_PAGES), size = ::sysconf(_SC_PAGESIZE);
  if (pages > 0 && size > 0)
    return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(size);
  return 0;
}

}  // namespace sodwright::platform
