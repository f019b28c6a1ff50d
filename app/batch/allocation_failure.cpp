// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/allocation_failure.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace sodwright::batch {

namespace {

std::atomic<std::size_t> lastFailedBytes{0};

// As the standard's operator new: the new-handler is asked until it gives
// up; then the size is noted and std::bad_alloc thrown.
void* allocate(std::size_t size) {
  const std::size_t asked = size == 0 ? 1 : size;
  for (;;) {
    if (void* block = std::malloc(asked)) return block;
    if (std::new_handler handler = std::get_new_handler()) {
      handler();
      continue;
    }
    lastFailedBytes.store(asked, std::memory_order_relaxed);
    throw std::bad_alloc();
  }
}

}  // namespace

std::size_t failedAllocationBytes() { return lastFailedBytes.load(std::memory_order_relaxed); }

}  // namespace sodwright::batch

// The replaceable forms that allocate, the throwing and the nothrow ones
// alike: a block from one may be freed by any delete, so every delete goes
// back to free, as every block came from malloc. The aligned forms stay the
// library's, with their own deletes.
void* operator new(std::size_t size) { return sodwright::batch::allocate(size); }
void* operator new[](std::size_t size) { return sodwright::batch::allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return sodwright::batch::allocate(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return sodwright::batch::allocate(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
