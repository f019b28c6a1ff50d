// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/state/bounded_array.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace sodwright::kolv {

void adviseLargePages(void* block, std::size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  // Only whole large pages inside the block, and only for blocks of several:
  // a small block comes from the heap, where the advice would reach others.
  constexpr std::uintptr_t kLargePage = std::uintptr_t{2} << 20;
  if (bytes < 4 * kLargePage) return;
  const auto start = reinterpret_cast<std::uintptr_t>(block);
  const std::uintptr_t first = (start + kLargePage - 1) & ~(kLargePage - 1);
  const std::uintptr_t end = (start + bytes) & ~(kLargePage - 1);
  if (end > first) madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
#else
  (void)block;
  (void)bytes;
#endif
}

}  // namespace sodwright::kolv
