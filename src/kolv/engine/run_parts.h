// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Work split into parts that run at once: part 0 on the calling thread, each
// other part on a thread of its own where one can be had (else on the
// calling thread as well). The first exception a part throws, in part
// order, is thrown again once every part has ended.

#include <cstddef>
#include <exception>
#include <functional>
#include <system_error>
#include <thread>
#include <vector>

namespace sodwright::kolv {

inline void runParts(int parts, const std::function<void(int)>& part) {
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

}  // namespace sodwright::kolv
