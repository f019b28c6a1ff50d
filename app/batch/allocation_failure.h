// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The size of the last allocation the runner could not have, so that a
// failure anywhere can be reported with what was asked instead of ending the
// process: the runner replaces the global operator new (and its delete) with
// one that notes the size before it throws std::bad_alloc.

#include <cstddef>

namespace sodwright::batch {

// Bytes of the last failed allocation; 0 when none has failed.
std::size_t failedAllocationBytes();

}  // namespace sodwright::batch
