// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The global part of a fit: local searches from a fixed design of starts
// within the bounds, and the distinct minima they end in.

#include <string>
#include <vector>

#include "base/result.h"
#include "kolv/fit/fit_local_search.h"

namespace sodwright::kolv {

// The starts, as stored: INPUT's values (each held inside its bounds), then
// the points 1, 2, ... of the Halton sequence in bases 2, 3, 5 and 7 over
// the bounds, so that a count gives the same starts on every machine. Fails
// when a parameter's bounds hold no value the parameter set can store.
base::Result<std::vector<std::vector<double>>> fitStarts(const FitProblem& problem,
                                                         const std::vector<double>& inputValues,
                                                         int count);

struct SearchOutcome {
  // Distinct local minima, lowest sum of squares first; `starts` of each
  // says how many searches ended there.
  std::vector<LocalMinimum> minima;
  std::vector<int> starts;
  long runs = 0;
  bool cancelled = false;
  int failedRuns = 0;
};

// A local search from every start, `threads` at a time, each in a problem
// of its own. Two ends are the same minimum when no parameter differs by
// more than a thousandth of its bounds' width.
SearchOutcome searchFromStarts(const KolvState& study, const FitSetup& setup,
                               const ObservedProfile& observed,
                               const std::vector<std::vector<double>>& starts, int maxRuns,
                               int threads, const std::atomic<bool>* cancel);

// The 0.95 quantile of chi-square with 1 to 4 degrees of freedom: a minimum
// whose sum of squares exceeds the best's by less than this in
// n ln(SSR / SSRbest) fits the data not significantly worse.
double chiSquare95(int dof);

}  // namespace sodwright::kolv
