// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/fit/fit_solver.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

#include <nlopt.hpp>

#include "base/number_text.h"
#include "kolv/fit/fit_statistics.h"
#include "kolv/stability/stability_end_zones.h"
#include "kolv/stability/stability_warning.h"
#include "kolv/study/study_runs.h"

namespace sodwright::kolv {

namespace {

// What a failed run scores: far above any sum of squares a run gives, yet
// finite, so that the optimiser's models stay defined.
constexpr double kFailedRun = 1e300;

// The residuals observed - simulated over the compared points, empty when
// the run failed.
struct Residuals {
  std::vector<double> values;
  bool ok = false;
};

class FitProblem {
 public:
  FitProblem(const KolvState& study, const FitSetup& setup, const ObservedProfile& observed,
             const FitOptions& options)
      : study_(study),
        setup_(setup),
        observed_(observed),
        options_(options),
        nodes_(interiorNodes(study.params)) {}

  const std::vector<int>& nodes() const { return nodes_; }
  long runs() const { return runs_.load(); }
  bool cancelled() const { return options_.cancel && options_.cancel->load(); }

  void apply(TranslocationParameters& params, const std::vector<double>& values) const {
    for (std::size_t k = 0; k < values.size(); ++k)
      setParameterValue(params, setup_.parameters[k], values[k]);
  }

  // The values as the parameter set stores them.
  std::vector<double> stored(const std::vector<double>& values) const {
    TranslocationParameters params = study_.params;
    apply(params, values);
    std::vector<double> out(values.size());
    for (std::size_t k = 0; k < values.size(); ++k)
      out[k] = parameterValue(params, setup_.parameters[k]);
    return out;
  }

  Residuals residualsOf(const KolvState& state, const std::optional<StepStop>& stop) const {
    Residuals r;
    if (stop) return r;
    const std::vector<double> simulated = simulatedColumn(state, setup_.column);
    r.values.reserve(nodes_.size());
    for (int i : nodes_) {
      const double d =
          observed_.values[static_cast<std::size_t>(i)] - simulated[static_cast<std::size_t>(i)];
      if (!std::isfinite(d)) return r;
      r.values.push_back(d);
    }
    r.ok = true;
    return r;
  }

  // One run on the caller's thread, in the kept workspace.
  Residuals run(const std::vector<double>& values) {
    const auto stop = runStudyMember(
        study_, workspace_,
        [&](std::size_t, TranslocationParameters& params) { apply(params, values); }, 0, false, 1);
    ++runs_;
    return residualsOf(workspace_, stop);
  }

  static double sumOfSquares(const Residuals& r) {
    if (!r.ok) return kFailedRun;
    double s = 0.0;
    for (double v : r.values) s += v * v;
    return s;
  }

  // Several runs at once through the shared loop; one result per point.
  std::vector<Residuals> runMany(const std::vector<std::vector<double>>& points) {
    std::vector<Residuals> out(points.size());
    StudyRunOptions runOptions;
    runOptions.threads = options_.threads;
    runOptions.compare = false;
    runOptions.cancel = options_.cancel;
    const std::size_t ran = runStudies(
        study_, points.size(),
        [&](std::size_t member, TranslocationParameters& params) { apply(params, points[member]); },
        [&](std::size_t member, const KolvState& state, const std::optional<StepStop>& stop) {
          out[member] = residualsOf(state, stop);
        },
        runOptions);
    runs_ += static_cast<long>(ran);
    return out;
  }

  const KolvState& workspace() const { return workspace_; }

 private:
  const KolvState& study_;
  const FitSetup& setup_;
  const ObservedProfile& observed_;
  const FitOptions& options_;
  std::vector<int> nodes_;
  KolvState workspace_;
  std::atomic<long> runs_{0};
};

// The optimiser works on u in [0, 1] per parameter, so that coefficients of
// very different sizes take steps of the same weight.
struct Scaling {
  std::vector<FitBounds> bounds;
  double toValue(std::size_t k, double u) const {
    return bounds[k].low + u * (bounds[k].high - bounds[k].low);
  }
  double toUnit(std::size_t k, double v) const {
    return (v - bounds[k].low) / (bounds[k].high - bounds[k].low);
  }
};

struct Objective {
  FitProblem* problem;
  const Scaling* scaling;
  nlopt::opt* optimiser;
  double best = std::numeric_limits<double>::infinity();
  std::vector<double> bestValues;
  int failedRuns = 0;
};

double objective(const std::vector<double>& u, std::vector<double>&, void* data) {
  auto* o = static_cast<Objective*>(data);
  if (o->problem->cancelled()) o->optimiser->force_stop();
  std::vector<double> values(u.size());
  for (std::size_t k = 0; k < u.size(); ++k)
    values[k] = o->scaling->toValue(k, std::clamp(u[k], 0.0, 1.0));
  const Residuals r = o->problem->run(values);
  if (!r.ok) ++o->failedRuns;
  const double ssr = FitProblem::sumOfSquares(r);
  if (ssr < o->best) {
    o->best = ssr;
    o->bestValues = values;
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

std::string label(FitParameter parameter) { return std::string(fitParameterLabel(parameter)); }

// The Jacobian of the residuals (observed - simulated) by central
// differences, one-sided at the edge of the defined range; the step is
// taken between the values as stored (Single for the coefficients).
JacobianColumns jacobianAt(FitProblem& problem, const KolvState& study, const FitSetup& setup,
                           const std::vector<double>& values, bool& failed) {
  const std::size_t p = values.size();
  std::vector<std::vector<double>> points;
  std::vector<double> spans(p);
  for (std::size_t k = 0; k < p; ++k) {
    const FitBounds range = definedRange(setup.parameters[k], study.params);
    const double h =
        1e-3 * std::max(std::abs(values[k]), 0.01 * (setup.bounds[k].high - setup.bounds[k].low));
    std::vector<double> up = values, down = values;
    up[k] = std::min(values[k] + h, range.high);
    down[k] = std::max(values[k] - h, range.low);
    up = problem.stored(up);
    down = problem.stored(down);
    spans[k] = up[k] - down[k];
    points.push_back(up);
    points.push_back(down);
  }
  const std::vector<Residuals> runs = problem.runMany(points);
  JacobianColumns columns(p);
  failed = false;
  for (std::size_t k = 0; k < p; ++k) {
    const Residuals& up = runs[2 * k];
    const Residuals& down = runs[2 * k + 1];
    if (!up.ok || !down.ok || !(spans[k] > 0.0)) {
      failed = true;
      columns[k].assign(problem.nodes().size(), 0.0);
      continue;
    }
    columns[k].resize(up.values.size());
    // d(observed - simulated)/dθ; the sign does not matter for J^T J.
    for (std::size_t i = 0; i < up.values.size(); ++i)
      columns[k][i] = (up.values[i] - down.values[i]) / spans[k];
  }
  return columns;
}

// One end of the profile interval: from the optimum outward (direction +1
// or -1) to where the sum of squares reaches `threshold`, by doubling then
// halving; the edge of the defined range when it never does.
double profileEnd(FitProblem& problem, const FitBounds& range, double optimum, double start,
                  double threshold, int direction) {
  const double limit = direction > 0 ? range.high : range.low;
  double inside = optimum, step = std::max(start, 1e-12);
  double outside = limit;
  bool bracketed = false;
  for (int i = 0; i < 40 && !problem.cancelled(); ++i) {
    double trial = optimum + direction * step;
    if ((trial - limit) * direction >= 0.0) trial = limit;
    if (FitProblem::sumOfSquares(problem.run({trial})) >= threshold) {
      outside = trial;
      bracketed = true;
      break;
    }
    inside = trial;
    if (trial == limit) break;
    step *= 2.0;
  }
  if (!bracketed) return limit;
  for (int i = 0; i < 40 && !problem.cancelled(); ++i) {
    const double middle = 0.5 * (inside + outside);
    if (std::abs(outside - inside) <= 1e-7 * std::max(std::abs(middle), start)) break;
    if (FitProblem::sumOfSquares(problem.run({middle})) >= threshold)
      outside = middle;
    else
      inside = middle;
  }
  return 0.5 * (inside + outside);
}

// The values the search starts from: the study's own, each held inside its
// bounds (with a warning when it had to be moved).
std::vector<double> startingValues(const KolvState& study, const FitSetup& setup,
                                   FitResult& result) {
  std::vector<double> startValues(setup.parameters.size());
  for (std::size_t k = 0; k < startValues.size(); ++k) {
    startValues[k] = parameterValue(study.params, setup.parameters[k]);
    const FitBounds& b = setup.bounds[k];
    if (startValues[k] < b.low || startValues[k] > b.high) {
      const double held = std::clamp(startValues[k], b.low, b.high);
      result.warnings.push_back(label(setup.parameters[k]) + " starts at " +
                                base::generalText(held) + ", its nearest bound: INPUT's " +
                                base::generalText(startValues[k]) + " lies outside the bounds");
      startValues[k] = held;
    }
  }
  return startValues;
}

// Minimises the sum of squares from the best values `data` holds (at first
// the starting values) and keeps there the best met. Sets the result's stop
// reason, convergence and cancel flag.
void searchOptimum(FitProblem& problem, const FitSetup& setup, const FitOptions& options,
                   Objective& data, FitResult& result) {
  const std::size_t p = setup.parameters.size();
  const Scaling& scaling = *data.scaling;
  std::vector<double> u(p);
  const int maxRuns = options.maxRuns > 0 ? options.maxRuns : 300 + 150 * static_cast<int>(p);
  nlopt::result outcome = nlopt::FAILURE;
  // The sum of squares is flat below the Single precision of the
  // coefficients, which can end a search early in a long valley (Alpha
  // against Betta): the search starts again from its best point until a
  // restart no longer improves it.
  for (int attempt = 0; attempt < 4; ++attempt) {
    // BOBYQA needs two dimensions at least; one parameter goes by the
    // subplex method, also bounded and derivative-free.
    nlopt::opt optimiser(p >= 2 ? nlopt::LN_BOBYQA : nlopt::LN_SBPLX, static_cast<unsigned>(p));
    optimiser.set_lower_bounds(std::vector<double>(p, 0.0));
    optimiser.set_upper_bounds(std::vector<double>(p, 1.0));
    std::vector<double> step(p);
    for (std::size_t k = 0; k < p; ++k) {
      const double width = setup.bounds[k].high - setup.bounds[k].low;
      // A fifth of the value, so that small coefficients in wide bounds
      // take steps of their own size; away from the nearer bound.
      step[k] = std::min(0.2 * std::max(std::abs(data.bestValues[k]), 0.01 * width) / width, 0.25);
      u[k] = scaling.toUnit(k, data.bestValues[k]);
    }
    optimiser.set_initial_step(step);
    optimiser.set_xtol_abs(1e-9);
    const long used = problem.runs();
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
      result.stopReason = std::string("not converged: ") + error.what();
      break;
    }
    if (outcome == nlopt::FORCED_STOP || outcome == nlopt::MAXEVAL_REACHED) break;
    if (!(data.best < before * (1.0 - 1e-9))) break;
  }
  if (result.stopReason.empty()) result.stopReason = resultText(outcome);
  result.cancelled = outcome == nlopt::FORCED_STOP || problem.cancelled();
  const bool reached = outcome == nlopt::SUCCESS || outcome == nlopt::STOPVAL_REACHED ||
                       outcome == nlopt::FTOL_REACHED || outcome == nlopt::XTOL_REACHED;
  result.converged = reached && !result.cancelled && data.best < kFailedRun;
  // The optimiser ends normally on a sum that never became a number to
  // compare; the status must not then read "converged".
  if (reached && !result.cancelled && !result.converged)
    result.stopReason = std::isinf(data.best)
                            ? "not converged: the sum of squares overflows (the residuals are too "
                              "large for their squares to be summed)"
                            : "not converged: no run of the search gave finite values";
  if (data.failedRuns > 0)
    result.warnings.push_back(std::to_string(data.failedRuns) +
                              " runs of the search failed (values that are not finite)");
}

// The fitted parameters at `values` (as stored), each with its bounds and
// whether it ended on one.
void addFittedParameters(const KolvState& study, const FitSetup& setup,
                         const std::vector<double>& values, FitResult& result) {
  for (std::size_t k = 0; k < values.size(); ++k) {
    FittedParameter fitted;
    fitted.parameter = setup.parameters[k];
    fitted.bounds = setup.bounds[k];
    fitted.start = parameterValue(study.params, setup.parameters[k]);
    fitted.value = values[k];
    const double width = fitted.bounds.high - fitted.bounds.low;
    fitted.onBound = std::abs(values[k] - fitted.bounds.low) <= 1e-6 * width ||
                     std::abs(values[k] - fitted.bounds.high) <= 1e-6 * width;
    result.parameters.push_back(fitted);
  }
}

// Runs the fitted values once more: the sum of squares, the RMSE and the
// residuals of every point. Whether the run succeeded.
bool addResidualsAtBest(FitProblem& problem, const FitSetup& setup, const ObservedProfile& observed,
                        const std::vector<double>& values, FitResult& result) {
  const Residuals atBest = problem.run(values);
  result.ssr = FitProblem::sumOfSquares(atBest);
  if (atBest.ok) {
    const std::vector<double> simulated = simulatedColumn(problem.workspace(), setup.column);
    const TranslocationParameters& params = problem.workspace().params;
    for (int i = 0; i < params.NodeCount; ++i) {
      FitResidual row;
      row.node = i;
      row.distance = static_cast<float>(i * static_cast<double>(params.Interval));
      row.observed = observed.values[static_cast<std::size_t>(i)];
      row.simulated = simulated[static_cast<std::size_t>(i)];
      row.endZone = inEndZone(i, params.LastSeq, params.LastSeq, params.NodeCount);
      result.residuals.push_back(row);
    }
  }
  result.rmse = result.nodes > 0 ? std::sqrt(result.ssr / result.nodes) : 0.0;
  result.tQuantile = studentT975(result.dof);
  return atBest.ok;
}

// Standard errors, 95 % intervals and correlations from the Jacobian at the
// fitted values; a parameter the data do not fix says why.
void addJacobianIntervals(FitProblem& problem, const KolvState& study, const FitSetup& setup,
                          const std::vector<double>& values, FitResult& result) {
  bool jacobianFailed = false;
  const JacobianColumns columns = jacobianAt(problem, study, setup, values, jacobianFailed);
  if (jacobianFailed)
    result.warnings.push_back("a run beside the fitted values failed: intervals are missing");
  const double s2 = result.ssr / result.dof;
  const CovarianceEstimate estimate = covarianceFromJacobian(columns, s2);
  result.correlation = correlationOf(estimate.covariance);
  for (std::size_t k = 0; k < values.size(); ++k) {
    FittedParameter& fitted = result.parameters[k];
    if (!estimate.determined[k]) {
      double norm = 0.0;
      for (double v : columns[k]) norm += v * v;
      if (norm > 0.0) {
        fitted.undeterminedWhy =
            "its influence is all but that of the others (near-singular Jacobian)";
      } else {
        // The search may have wandered on a flat sum of squares; the value
        // that moved nothing is the one the study started from.
        fitted.undeterminedWhy =
            "it has no influence on the compared column (kept at its start value)";
        fitted.value = fitted.start;
      }
      continue;
    }
    fitted.stdError = std::sqrt(estimate.covariance[k][k]);
    fitted.low = fitted.value - result.tQuantile * fitted.stdError;
    fitted.high = fitted.value + result.tQuantile * fitted.stdError;
    fitted.determined = fitted.high - fitted.low <= fitted.bounds.high - fitted.bounds.low;
    if (!fitted.determined) fitted.undeterminedWhy = "its 95 % interval is wider than its bounds";
  }
}

// For a fit of one determined parameter: the profile-likelihood interval and
// whether it differs from the Jacobian's.
void addProfileInterval(FitProblem& problem, const KolvState& study, FitResult& result) {
  FittedParameter& fitted = result.parameters[0];
  const double halfWidth = fitted.high - fitted.value;
  const double threshold =
      result.ssr * (1.0 + result.tQuantile * result.tQuantile / (result.nodes - 1));
  const FitBounds range = definedRange(fitted.parameter, study.params);
  const double low = profileEnd(problem, range, fitted.value, halfWidth, threshold, -1);
  const double high = profileEnd(problem, range, fitted.value, halfWidth, threshold, +1);
  fitted.profile = FitBounds{low, high};
  fitted.profileDiffers = std::abs(low - fitted.low) > 0.1 * halfWidth ||
                          std::abs(high - fitted.high) > 0.1 * halfWidth;
}

// A warning per parameter not determined or ended on a bound, and the
// check a run of the fitted values would give before it starts.
void addParameterWarnings(FitProblem& problem, const KolvState& study,
                          const std::vector<double>& values, FitResult& result) {
  for (const FittedParameter& fitted : result.parameters) {
    if (!fitted.determined && !fitted.undeterminedWhy.empty())
      result.warnings.push_back(label(fitted.parameter) +
                                " is not determined by the data: " + fitted.undeterminedWhy);
    if (fitted.onBound)
      result.warnings.push_back(
          label(fitted.parameter) + " ended on a bound (" + base::generalText(fitted.bounds.low) +
          " to " + base::generalText(fitted.bounds.high) + "): the optimum may lie beyond it");
  }
  KolvState check = study;
  problem.apply(check.params, values);
  if (const auto warning = beforeRunWarning(check, true))
    result.warnings.push_back("the fitted values: " + *warning);
}

}  // namespace

std::vector<double> simulatedColumn(const KolvState& state, FitColumn column) {
  const TranslocationParameters& p = state.params;
  const TransectData& t = state.data;
  const Int16 s = p.LastSeq;
  std::vector<double> values(static_cast<std::size_t>(p.NodeCount));
  for (int i = 0; i < p.NodeCount; ++i) {
    double& v = values[static_cast<std::size_t>(i)];
    switch (column) {
      case FitColumn::Elevation:
        v = t.Elev(i, s);
        break;
      case FitColumn::Pl1:
        v = t.PL1(i, s);
        break;
      case FitColumn::Pl2:
        v = t.PL2(i, s);
        break;
      case FitColumn::Pl3:
        v = t.PL3(i);
        break;
      case FitColumn::UpperMass:
        v = t.MassL1(i, s);
        break;
      case FitColumn::TotalMass:
        v = t.MassL12(i, s);
        break;
    }
  }
  return values;
}

FitResult fitStudy(const KolvState& study, const FitSetup& setup, const ObservedProfile& observed,
                   const FitOptions& options) {
  const auto started = std::chrono::steady_clock::now();
  const std::size_t p = setup.parameters.size();
  FitProblem problem(study, setup, observed, options);
  FitResult result;
  result.nodes = static_cast<int>(problem.nodes().size());
  result.dof = result.nodes - static_cast<int>(p);

  const Scaling scaling{setup.bounds};
  Objective data{&problem,
                 &scaling,
                 nullptr,
                 std::numeric_limits<double>::infinity(),
                 startingValues(study, setup, result),
                 0};
  searchOptimum(problem, setup, options, data, result);

  const std::vector<double> values = problem.stored(data.bestValues);
  addFittedParameters(study, setup, values, result);
  const bool ranAtBest = addResidualsAtBest(problem, setup, observed, values, result);
  if (ranAtBest && result.dof > 0 && !result.cancelled) {
    addJacobianIntervals(problem, study, setup, values, result);
    if (p == 1 && result.parameters[0].determined) addProfileInterval(problem, study, result);
  }
  addParameterWarnings(problem, study, values, result);
  result.runs = problem.runs();
  result.seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  return result;
}

}  // namespace sodwright::kolv
