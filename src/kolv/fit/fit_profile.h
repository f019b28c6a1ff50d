// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Profile-likelihood intervals: for each fitted parameter, the values where
// the sum of squares, the other parameters fitted again at each, stays below
// SSRmin (1 + t^2 / (n - p)).

#include <atomic>
#include <vector>

#include "kolv/fit/fit_setup.h"

namespace sodwright::kolv {

struct ProfileBounds {
  double low = 0.0, high = 0.0;
  bool openLow = false, openHigh = false;  // the profile stays below the threshold to the bound
};

struct ProfileOutcome {
  std::vector<ProfileBounds> intervals;  // one per parameter
  long runs = 0;
  // A lower sum of squares met on a profile: the search missed a minimum.
  double lowestSsr = 0.0;
  std::vector<double> lowestValues;
};

// The ends of the piece of the profile around the minimum `centre` (sum of
// squares `centreSsr`; the best's, `bestSsr`, sets the rise). `steps` gives
// each parameter's first step out (its Jacobian half-width, or a tenth of
// its bounds). The ends are traced `threads` at a time, each in a problem
// of its own.
ProfileOutcome profileIntervals(const KolvState& study, const FitSetup& setup,
                                const ObservedProfile& observed, const std::vector<double>& centre,
                                double centreSsr, double bestSsr, double threshold,
                                const std::vector<double>& steps, int threads,
                                const std::atomic<bool>* cancel);

}  // namespace sodwright::kolv
