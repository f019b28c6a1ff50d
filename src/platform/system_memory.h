// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the machine and the process's limits offer a run: the models take the
// number as an argument, so they read no system file themselves.

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string>

#include <sys/resource.h>
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

// A line of /proc/self/status in bytes ("VmSize:", "VmData:"); 0 when unknown.
inline std::uint64_t processStatusBytes(const std::string& wanted) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(wanted, 0) == 0) return std::stoull(line.substr(wanted.size())) * 1024;
  return 0;
}

// What the process may still map under its soft limit `resource`
// (RLIMIT_AS against the address space in use, RLIMIT_DATA against the data
// in use); UINT64_MAX when unlimited.
inline std::uint64_t roomUnderLimit(int resource, const std::string& inUse) {
  rlimit limit{};
  if (::getrlimit(resource, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return UINT64_MAX;
  const auto most = static_cast<std::uint64_t>(limit.rlim_cur);
  const std::uint64_t used = processStatusBytes(inUse);
  return most > used ? most - used : 1;  // nothing left, but not "unknown"
}

// The memory a run may take: the machine's available memory, bounded by
// the address-space and data limits (ulimit -v, ulimit -d) less what the
// process holds already; 0 when none of them is known.
inline std::uint64_t usableMemoryBytes() {
  std::uint64_t usable = availableMemoryBytes();
  if (usable == 0) usable = UINT64_MAX;
  usable = std::min(
      {usable, roomUnderLimit(RLIMIT_AS, "VmSize:"), roomUnderLimit(RLIMIT_DATA, "VmData:")});
  return usable == UINT64_MAX ? 0 : usable;
}

}  // namespace sodwright::platform
