// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Residual-bootstrap percentile intervals: the fitted profile plus the
// fit's residuals drawn again with replacement, fitted again, many times.

#include <atomic>
#include <cstdint>
#include <vector>

#include "kolv/fit/fit_setup.h"

namespace sodwright::kolv {

struct BootstrapOutcome {
  std::vector<FitBounds> intervals;  // 2.5 and 97.5 % percentiles, one per parameter
  int replicates = 0;                // fitted
  int failed = 0;                    // whose search failed, left out
  long runs = 0;
};

// Replicate r draws its residuals from a Mersenne Twister (64-bit) of its
// own, seeded with std::seed_seq{seed low 32 bits, seed high 32 bits, r}:
// the same intervals, to the bit, on any thread count. The residuals of the
// compared points are centred and scaled by sqrt(n / (n - p)); each
// replicate is searched locally from `best`.
BootstrapOutcome bootstrapIntervals(const KolvState& study, const FitSetup& setup,
                                    const ObservedProfile& observed,
                                    const std::vector<double>& best,
                                    const std::vector<double>& simulated, int replicates,
                                    std::uint64_t seed, int maxRuns, int threads,
                                    const std::atomic<bool>* cancel);

// The q-quantile of sorted values, interpolated between order statistics
// (h = (n - 1) q).
double sortedQuantile(const std::vector<double>& sorted, double q);

}  // namespace sodwright::kolv
