// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The C library's exponential, called at its own entry. On glibc for x86-64
// `exp` is a wrapper: it calls the exponential's entry, sets errno when the
// result overflows or underflows, and returns the entry's value unchanged.
// A pass makes D + 1 calls per node and reads no errno, so it calls the
// entry, which glibc keeps as __exp_finite, directly: the same value bit for
// bit on every argument, in about three quarters of the time.

#include <cmath>

#if defined(__GLIBC__) && defined(__x86_64__) && defined(__ELF__)
#define SODWRIGHT_EXP_ENTRY 1
extern "C" double sodwright_library_exp(double x);
__asm__(".symver sodwright_library_exp,__exp_finite@GLIBC_2.15");
#endif

namespace sodwright::kolv {

inline double libraryExp(double x) {
#if defined(SODWRIGHT_EXP_ENTRY)
  return sodwright_library_exp(x);
#else
  return std::exp(x);
#endif
}

}  // namespace sodwright::kolv
