// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/threads/parallel.h"

#include <cstddef>
#include <vector>

namespace sodwright::base {

int workerCount(int asked) {
  if (asked > 0) return asked;
  const unsigned cores = std::thread::hardware_concurrency();
  return cores > 0 ? static_cast<int>(cores) : 1;
}

void runParts(int parts, const std::function<void(int)>& part) {
  std::vector<std::exception_ptr> failures(static_cast<std::size_t>(parts > 0 ? parts : 0));
  auto guarded = [&](int p) {
    try {
      part(p);
    } catch (...) {
      failures[static_cast<std::size_t>(p)] = std::current_exception();
    }
  };
  std::vector<std::thread> helpers;
  int started = 1;
  try {
    for (; started < parts; ++started) helpers.emplace_back(guarded, started);
  } catch (const std::system_error&) {
    // No thread to be had: the calling thread takes the remaining parts.
  }
  for (int p = started; p < parts; ++p) guarded(p);
  if (parts > 0) guarded(0);
  for (std::thread& h : helpers) h.join();
  for (const std::exception_ptr& failure : failures)
    if (failure) std::rethrow_exception(failure);
}

}  // namespace sodwright::base
