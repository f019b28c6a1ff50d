// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/fit/fit_bootstrap.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "base/threads/parallel.h"
#include "kolv/fit/fit_local_search.h"

namespace sodwright::kolv {

double sortedQuantile(const std::vector<double>& sorted, double q) {
  if (sorted.empty()) return std::nan("");
  const double h = (static_cast<double>(sorted.size()) - 1.0) * q;
  const auto lo = static_cast<std::size_t>(std::floor(h));
  if (lo + 1 >= sorted.size()) return sorted.back();
  return sorted[lo] + (h - static_cast<double>(lo)) * (sorted[lo + 1] - sorted[lo]);
}

BootstrapOutcome bootstrapIntervals(const KolvState& study, const FitSetup& setup,
                                    const ObservedProfile& observed,
                                    const std::vector<double>& best,
                                    const std::vector<double>& simulated, int replicates,
                                    std::uint64_t seed, int maxRuns, int threads,
                                    const std::atomic<bool>* cancel) {
  const std::vector<int> nodes = interiorNodes(study.params);
  const std::size_t n = nodes.size(), p = best.size();
  std::vector<double> residuals(n);
  double mean = 0.0;
  for (std::size_t i = 0; i < n; ++i) {
    const auto node = static_cast<std::size_t>(nodes[i]);
    residuals[i] = observed.values[node] - simulated[node];
    mean += residuals[i];
  }
  mean /= static_cast<double>(n);
  const double scale = n > p ? std::sqrt(static_cast<double>(n) / static_cast<double>(n - p)) : 1.0;
  for (double& r : residuals) r = (r - mean) * scale;

  std::vector<std::size_t> free(p);
  for (std::size_t k = 0; k < p; ++k) free[k] = k;
  std::vector<LocalMinimum> fits(static_cast<std::size_t>(replicates));
  std::vector<long> runs(fits.size(), 0);
  const int parts = std::min(base::workerCount(threads), replicates);
  base::runParts(parts, [&](int part) {
    for (int r = part; r < replicates; r += parts) {
      std::seed_seq seq{static_cast<std::uint32_t>(seed), static_cast<std::uint32_t>(seed >> 32),
                        static_cast<std::uint32_t>(r)};
      std::mt19937_64 engine(seq);
      ObservedProfile drawn = observed;
      for (int node : nodes) {
        // The modulo's bias is below n / 2^64.
        const std::size_t pick = static_cast<std::size_t>(engine() % n);
        drawn.values[static_cast<std::size_t>(node)] =
            simulated[static_cast<std::size_t>(node)] + residuals[pick];
      }
      FitProblem problem(study, setup, drawn, cancel, 1);
      fits[static_cast<std::size_t>(r)] = localSearch(problem, best, free, maxRuns);
      runs[static_cast<std::size_t>(r)] = problem.runs();
    }
  });
  BootstrapOutcome outcome;
  std::vector<std::vector<double>> values(p);
  for (std::size_t r = 0; r < fits.size(); ++r) {
    outcome.runs += runs[r];
    if (!fits[r].reached) {
      ++outcome.failed;
      continue;
    }
    ++outcome.replicates;
    for (std::size_t k = 0; k < p; ++k) values[k].push_back(fits[r].values[k]);
  }
  for (std::size_t k = 0; k < p; ++k) {
    std::sort(values[k].begin(), values[k].end());
    outcome.intervals.push_back(
        {sortedQuantile(values[k], 0.025), sortedQuantile(values[k], 0.975)});
  }
  return outcome;
}

}  // namespace sodwright::kolv
