// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/fit/fit_profile.h"

#include <algorithm>
#include <cmath>

#include "base/threads/parallel.h"
#include "kolv/fit/fit_local_search.h"

namespace sodwright::kolv {

namespace {

struct EndTrace {
  double value = 0.0;
  bool open = false;
  double lowestSsr = kFailedRun;
  std::vector<double> lowestValues;
};

// One end, from the optimum outward (direction +1 or -1). z(v), the square
// root of the rise of the profiled sum of squares, is close to linear in v,
// so the bracket grows by extrapolating it and shrinks by the secant,
// halving instead when the secant would leave the bracket.
EndTrace traceEnd(FitProblem& problem, const std::vector<double>& centre, double centreSsr,
                  double bestSsr, std::size_t k, double step, double threshold, int direction) {
  const FitSetup& setup = problem.setup();
  const FitBounds& b = setup.bounds[k];
  const double optimum = centre[k];
  const double limit = direction > 0 ? b.high : b.low;
  std::vector<std::size_t> free;
  for (std::size_t j = 0; j < centre.size(); ++j)
    if (j != k) free.push_back(j);
  const int budget = 100 + 60 * static_cast<int>(free.size());
  std::vector<double> others = centre;
  EndTrace trace;
  const auto rise = [&](double v) {
    std::vector<double> start = others;
    start[k] = v;
    const LocalMinimum m = localSearch(problem, start, free, budget);
    others = m.values;
    if (m.ssr < trace.lowestSsr) {
      trace.lowestSsr = m.ssr;
      trace.lowestValues = m.values;
    }
    return std::sqrt(std::max(0.0, m.ssr - bestSsr));
  };
  const double target = std::sqrt(std::max(threshold - bestSsr, 0.0));
  if ((optimum - limit) * direction >= 0.0) return {limit, true, trace.lowestSsr, {}};
  // Another minimum than the best starts above the best's sum of squares.
  double inside = optimum, zInside = std::sqrt(std::max(0.0, centreSsr - bestSsr));
  double outside = limit, zOutside = 0.0;
  double distance = std::max(step, 1e-9 * std::max(1.0, std::abs(optimum)));
  bool bracketed = false;
  for (int i = 0; i < 16 && !problem.cancelled(); ++i) {
    double trial = optimum + direction * distance;
    if ((trial - limit) * direction >= 0.0) trial = limit;
    const double z = rise(trial);
    if (z >= target) {
      outside = trial;
      zOutside = z;
      bracketed = true;
      break;
    }
    inside = trial;
    zInside = z;
    if (trial == limit) break;
    const double grow = z > 0.0 ? std::clamp(1.2 * target / z, 1.5, 4.0) : 4.0;
    distance = std::abs(trial - optimum) * grow;
  }
  if (!bracketed) {
    trace.value = limit;
    trace.open = true;
    return trace;
  }
  const double tolerance = 1e-4 * std::max(step, std::abs(outside - optimum) * 1e-3);
  for (int i = 0; i < 20 && !problem.cancelled(); ++i) {
    if (std::abs(outside - inside) <= tolerance) break;
    double v = inside + (target - zInside) * (outside - inside) / (zOutside - zInside);
    const double span = std::abs(outside - inside);
    if (!(std::abs(v - inside) > 0.02 * span && std::abs(outside - v) > 0.02 * span))
      v = 0.5 * (inside + outside);
    const double z = rise(v);
    if (std::abs(z - target) <= 1e-4 * target) {
      inside = outside = v;
      break;
    }
    if (z >= target) {
      outside = v;
      zOutside = z;
    } else {
      inside = v;
      zInside = z;
    }
  }
  trace.value = zOutside > zInside && outside != inside
                    ? inside + (target - zInside) * (outside - inside) / (zOutside - zInside)
                    : 0.5 * (inside + outside);
  return trace;
}

}  // namespace

ProfileOutcome profileIntervals(const KolvState& study, const FitSetup& setup,
                                const ObservedProfile& observed, const std::vector<double>& centre,
                                double centreSsr, double bestSsr, double threshold,
                                const std::vector<double>& steps, int threads,
                                const std::atomic<bool>* cancel) {
  const std::vector<double>& best = centre;
  const std::size_t ends = 2 * best.size();
  std::vector<EndTrace> traces(ends);
  std::vector<long> runs(ends, 0);
  const int parts = std::min(base::workerCount(threads), static_cast<int>(ends));
  base::runParts(parts, [&](int part) {
    for (std::size_t e = static_cast<std::size_t>(part); e < ends;
         e += static_cast<std::size_t>(parts)) {
      FitProblem problem(study, setup, observed, cancel, 1);
      traces[e] = traceEnd(problem, centre, centreSsr, bestSsr, e / 2, steps[e / 2], threshold,
                           e % 2 == 0 ? -1 : +1);
      runs[e] = problem.runs();
    }
  });
  ProfileOutcome outcome;
  outcome.lowestSsr = centreSsr;
  outcome.lowestValues = centre;
  for (std::size_t k = 0; k < best.size(); ++k) {
    const EndTrace& low = traces[2 * k];
    const EndTrace& high = traces[2 * k + 1];
    outcome.intervals.push_back({low.value, high.value, low.open, high.open});
  }
  for (std::size_t e = 0; e < ends; ++e) {
    outcome.runs += runs[e];
    if (traces[e].lowestSsr < outcome.lowestSsr && !traces[e].lowestValues.empty()) {
      outcome.lowestSsr = traces[e].lowestSsr;
      outcome.lowestValues = traces[e].lowestValues;
    }
  }
  return outcome;
}

}  // namespace sodwright::kolv
