// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/fit/fit_local_search.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <nlopt.hpp>

namespace sodwright::kolv {

namespace {

struct Objective {
  FitProblem* problem;
  const std::vector<std::size_t>* free;
  nlopt::opt* optimiser;
  std::vector<double> full;  // the trial point, held parameters included
  double best = std::numeric_limits<double>::infinity();
  std::vector<double> bestValues;
  int failedRuns = 0;
};

double objective(const std::vector<double>& u, std::vector<double>&, void* data) {
  auto* o = static_cast<Objective*>(data);
  if (o->problem->cancelled()) o->optimiser->force_stop();
  const FitSetup& setup = o->problem->setup();
  for (std::size_t j = 0; j < u.size(); ++j) {
    const std::size_t k = (*o->free)[j];
    const FitBounds& b = setup.bounds[k];
    o->full[k] = b.low + std::clamp(u[j], 0.0, 1.0) * (b.high - b.low);
  }
  const Residuals r = o->problem->run(o->full);
  if (!r.ok) ++o->failedRuns;
  const double ssr = FitProblem::sumOfSquares(r);
  if (ssr < o->best) {
    o->best = ssr;
    o->bestValues = o->full;
  }
  return ssr;
}

std::string resultText(nlopt::result result) {
  switch (result) {
    case nlopt::SUCCESS:
      return "converged";
    case nlopt::STOPVAL_REACHED:
      return "converged (stop value reached)";
    case nlopt::FTOL_REACHED:
      return "converged (sum of squares no longer falls)";
    case nlopt::XTOL_REACHED:
      return "converged (parameters no longer move)";
    case nlopt::MAXEVAL_REACHED:
      return "not converged: the run limit was reached";
    case nlopt::MAXTIME_REACHED:
      return "not converged: the time limit was reached";
    case nlopt::FORCED_STOP:
      return "cancelled";
    default:
      return "not converged: the optimiser failed";
  }
}

}  // namespace

LocalMinimum localSearch(FitProblem& problem, const std::vector<double>& start,
                         const std::vector<std::size_t>& free, int maxRuns) {
  LocalMinimum found;
  if (free.empty()) {
    found.values = problem.stored(start);
    found.ssr = problem.ssr(found.values);
    found.reached = found.ssr < kFailedRun;
    found.stopReason = found.reached ? "converged" : "not converged: the run failed";
    return found;
  }
  const FitSetup& setup = problem.setup();
  const std::size_t p = free.size();
  Objective data{&problem, &free, nullptr, start, std::numeric_limits<double>::infinity(),
                 start,    0};
  const long first = problem.runs();
  nlopt::result outcome = nlopt::FAILURE;
  // The sum of squares is flat below the Single precision of the
  // coefficients, which can end a search early in a long valley (Alpha
  // against Betta): the search starts again from its best point until a
  // restart no longer improves it.
  for (int attempt = 0; attempt < 4; ++attempt) {
    nlopt::opt optimiser(p >= 2 ? nlopt::LN_BOBYQA : nlopt::LN_SBPLX, static_cast<unsigned>(p));
    optimiser.set_lower_bounds(std::vector<double>(p, 0.0));
    optimiser.set_upper_bounds(std::vector<double>(p, 1.0));
    std::vector<double> step(p), u(p);
    for (std::size_t j = 0; j < p; ++j) {
      const std::size_t k = free[j];
      const FitBounds& b = setup.bounds[k];
      const double width = b.high - b.low;
      // A fifth of the value, so that small coefficients in wide bounds
      // take steps of their own size.
      step[j] = std::min(0.2 * std::max(std::abs(data.bestValues[k]), 0.01 * width) / width, 0.25);
      u[j] = std::clamp((data.bestValues[k] - b.low) / width, 0.0, 1.0);
    }
    optimiser.set_initial_step(step);
    optimiser.set_xtol_abs(1e-9);
    const long used = problem.runs() - first;
    if (used >= maxRuns) {
      outcome = nlopt::MAXEVAL_REACHED;
      break;
    }
    optimiser.set_maxeval(static_cast<int>(maxRuns - used));
    data.optimiser = &optimiser;
    optimiser.set_min_objective(objective, &data);
    const double before = data.best;
    double minimum = 0.0;
    try {
      outcome = optimiser.optimize(u, minimum);
    } catch (const nlopt::forced_stop&) {
      outcome = nlopt::FORCED_STOP;
    } catch (const std::exception& error) {
      found.stopReason = std::string("not converged: ") + error.what();
      outcome = nlopt::FAILURE;
      break;
    }
    if (outcome == nlopt::FORCED_STOP || outcome == nlopt::MAXEVAL_REACHED) break;
    if (!(data.best < before * (1.0 - 1e-9))) break;
  }
  if (found.stopReason.empty()) found.stopReason = resultText(outcome);
  found.cancelled = outcome == nlopt::FORCED_STOP || problem.cancelled();
  const bool ended = (outcome == nlopt::SUCCESS || outcome == nlopt::STOPVAL_REACHED ||
                      outcome == nlopt::FTOL_REACHED || outcome == nlopt::XTOL_REACHED) &&
                     !found.cancelled;
  found.reached = ended && data.best < kFailedRun;
  // The optimiser ends normally on a sum that never became a number to
  // compare; the status must not then read "converged".
  if (ended && !found.reached)
    found.stopReason = std::isinf(data.best)
                           ? "not converged: the sum of squares overflows (the residuals are too "
                             "large for their squares to be summed)"
                           : "not converged: no run of the search gave finite values";
  found.values = problem.stored(data.bestValues);
  found.ssr = data.best;
  found.failedRuns = data.failedRuns;
  return found;
}

}  // namespace sodwright::kolv
