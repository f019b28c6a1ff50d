// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The engine's inner loops run over many nodes with one operation per
// element. On x86-64 they are also compiled for AVX2 and the processor
// picks the version at load time. AVX2 alone brings no fused multiply-add,
// so every element is rounded exactly as in the plain version.

#if defined(__x86_64__) && defined(__GNUC__) && defined(__linux__)
#define SODWRIGHT_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define SODWRIGHT_VECTOR_CLONES
#endif
