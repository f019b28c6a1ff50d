// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/fit/fit_multistart.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "base/threads/parallel.h"

namespace sodwright::kolv {

namespace {

double radicalInverse(int index, int base) {
  double result = 0.0, scale = 1.0 / base;
  for (int i = index; i > 0; i /= base) {
    result += (i % base) * scale;
    scale /= base;
  }
  return result;
}

bool sameMinimum(const FitSetup& setup, const std::vector<double>& a,
                 const std::vector<double>& b) {
  for (std::size_t k = 0; k < a.size(); ++k)
    if (std::abs(a[k] - b[k]) > 1e-3 * (setup.bounds[k].high - setup.bounds[k].low)) return false;
  return true;
}

}  // namespace

base::Result<std::vector<std::vector<double>>> fitStarts(const FitProblem& problem,
                                                         const std::vector<double>& inputValues,
                                                         int count) {
  const FitSetup& setup = problem.setup();
  const std::size_t p = setup.parameters.size();
  for (std::size_t k = 0; k < p; ++k) {
    const FitBounds& b = setup.bounds[k];
    std::vector<double> middle = inputValues;
    middle[k] = 0.5 * (b.low + b.high);
    const double held = problem.stored(middle)[k];
    if (held < b.low || held > b.high)
      return base::fail("kolv-fit: the bounds of " +
                        std::string(fitParameterName(setup.parameters[k])) +
                        " leave no start inside them: no value the parameter set stores lies "
                        "between them");
  }
  constexpr int kBases[] = {2, 3, 5, 7};
  std::vector<std::vector<double>> starts;
  for (int s = 0; s < count; ++s) {
    std::vector<double> start(p);
    for (std::size_t k = 0; k < p; ++k) {
      const FitBounds& b = setup.bounds[k];
      start[k] = s == 0 ? std::clamp(inputValues[k], b.low, b.high)
                        : b.low + radicalInverse(s, kBases[k]) * (b.high - b.low);
    }
    start = problem.stored(start);
    // Single rounding may step over a bound; the start goes back inside.
    for (std::size_t k = 0; k < p; ++k)
      start[k] = std::clamp(start[k], setup.bounds[k].low, setup.bounds[k].high);
    starts.push_back(start);
  }
  return starts;
}

SearchOutcome searchFromStarts(const KolvState& study, const FitSetup& setup,
                               const ObservedProfile& observed,
                               const std::vector<std::vector<double>>& starts, int maxRuns,
                               int threads, const std::atomic<bool>* cancel) {
  std::vector<std::size_t> free(setup.parameters.size());
  for (std::size_t k = 0; k < free.size(); ++k) free[k] = k;
  std::vector<LocalMinimum> ends(starts.size());
  std::vector<long> runs(starts.size(), 0);
  const int parts = std::min(base::workerCount(threads), static_cast<int>(starts.size()));
  base::runParts(parts, [&](int part) {
    for (std::size_t s = static_cast<std::size_t>(part); s < starts.size();
         s += static_cast<std::size_t>(parts)) {
      FitProblem problem(study, setup, observed, cancel, 1);
      ends[s] = localSearch(problem, starts[s], free, maxRuns);
      runs[s] = problem.runs();
    }
  });
  SearchOutcome outcome;
  // Start order, then a stable sort: the same minima in the same order on
  // any thread count.
  for (std::size_t s = 0; s < ends.size(); ++s) {
    outcome.runs += runs[s];
    outcome.failedRuns += ends[s].failedRuns;
    outcome.cancelled = outcome.cancelled || ends[s].cancelled;
    bool merged = false;
    for (std::size_t m = 0; m < outcome.minima.size() && !merged; ++m) {
      if (!sameMinimum(setup, outcome.minima[m].values, ends[s].values)) continue;
      ++outcome.starts[m];
      if (ends[s].ssr < outcome.minima[m].ssr) outcome.minima[m] = ends[s];
      merged = true;
    }
    if (!merged) {
      outcome.minima.push_back(ends[s]);
      outcome.starts.push_back(1);
    }
  }
  std::vector<std::size_t> order(outcome.minima.size());
  for (std::size_t m = 0; m < order.size(); ++m) order[m] = m;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return outcome.minima[a].ssr < outcome.minima[b].ssr;
  });
  SearchOutcome sorted = outcome;
  for (std::size_t m = 0; m < order.size(); ++m) {
    sorted.minima[m] = outcome.minima[order[m]];
    sorted.starts[m] = outcome.starts[order[m]];
  }
  return sorted;
}

double chiSquare95(int dof) {
  constexpr double kTable[] = {3.841458820694124, 5.991464547107979, 7.814727903251178,
                               9.487729036781154};
  return kTable[std::clamp(dof, 1, 4) - 1];
}

}  // namespace sodwright::kolv
