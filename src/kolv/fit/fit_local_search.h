// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The bounded local search of a fit: NLopt's BOBYQA (subplex for a single
// free parameter), derivative-free, on the parameters scaled to [0, 1]
// within their bounds, restarted from its best point while that improves.

#include <cstddef>
#include <string>
#include <vector>

#include "kolv/fit/fit_problem.h"

namespace sodwright::kolv {

struct LocalMinimum {
  std::vector<double> values;  // every fitted parameter, as stored
  double ssr = kFailedRun;
  bool reached = false;  // the local criterion was met
  bool cancelled = false;
  std::string stopReason;
  int failedRuns = 0;
};

// Minimises the sum of squares over the parameters `free` (indices into the
// setup) from `start`, the others held at their start values; at most
// `maxRuns` runs of its own. With no free parameter it runs `start` once.
LocalMinimum localSearch(FitProblem& problem, const std::vector<double>& start,
                         const std::vector<std::size_t>& free, int maxRuns);

}  // namespace sodwright::kolv
