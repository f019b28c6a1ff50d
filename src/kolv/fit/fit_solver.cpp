// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/fit/fit_solver.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "base/number_text.h"
#include "kolv/fit/fit_bootstrap.h"
#include "kolv/fit/fit_multistart.h"
#include "kolv/fit/fit_problem.h"
#include "kolv/fit/fit_profile.h"
#include "kolv/fit/fit_statistics.h"
#include "kolv/stability/stability_end_zones.h"
#include "kolv/stability/stability_warning.h"
#include "kolv/study/study_runs.h"

namespace sodwright::kolv {

namespace {

std::string label(FitParameter parameter) { return std::string(fitParameterLabel(parameter)); }

bool problemCancelled(const FitOptions& options) {
  return options.cancel != nullptr && options.cancel->load();
}

// The Jacobian of the residuals (observed - simulated) by central
// differences, one-sided at the edge of the defined range; the step is
// taken between the values as stored (Single for the coefficients).
JacobianColumns jacobianAt(FitProblem& problem, const std::vector<double>& values, bool& failed) {
  const KolvState& study = problem.study();
  const FitSetup& setup = problem.setup();
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
void addJacobianIntervals(FitProblem& problem, const std::vector<double>& values,
                          FitResult& result) {
  bool jacobianFailed = false;
  const JacobianColumns columns = jacobianAt(problem, values, jacobianFailed);
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

namespace {

// The minima with their likelihood-ratio test against the best, and the
// parameters another minimum not significantly worse puts outside the
// best's interval.
void addMinima(const SearchOutcome& search, FitResult& result) {
  const FitMinimum* best = nullptr;
  for (std::size_t m = 0; m < search.minima.size(); ++m) {
    FitMinimum minimum;
    minimum.values = search.minima[m].values;
    minimum.ssr = search.minima[m].ssr;
    minimum.starts = search.starts[m];
    minimum.reached = search.minima[m].reached;
    result.minima.push_back(minimum);
  }
  if (result.minima.empty()) return;
  best = &result.minima.front();
  const double quantile = chiSquare95(static_cast<int>(best->values.size()));
  for (std::size_t m = 1; m < result.minima.size(); ++m) {
    FitMinimum& other = result.minima[m];
    if (!(other.ssr < kFailedRun) || !(best->ssr > 0.0)) continue;
    other.likelihoodRatio = result.nodes * std::log(other.ssr / best->ssr);
    other.notWorse = other.likelihoodRatio < quantile;
    if (!other.notWorse) continue;
    std::string apart;
    for (std::size_t k = 0; k < result.parameters.size(); ++k) {
      FittedParameter& fitted = result.parameters[k];
      const double low = fitted.profile ? fitted.profile->low : fitted.low;
      const double high = fitted.profile ? fitted.profile->high : fitted.high;
      if (other.values[k] >= low && other.values[k] <= high) continue;
      fitted.ambiguous = true;
      apart += (apart.empty() ? "" : ", ") + label(fitted.parameter) + " " +
               base::generalText(best->values[k], 6) + " or " +
               base::generalText(other.values[k], 6);
    }
    if (!apart.empty())
      result.warnings.push_back("the data do not tell two minima apart (likelihood ratio " +
                                base::generalText(other.likelihoodRatio, 3) + " < " +
                                base::generalText(quantile, 4) + "): " + apart +
                                "; the value shown is the lower sum of squares");
  }
}

// The profile-likelihood interval of every parameter; a lower sum of
// squares met on the way is reported, since the search then missed it.
double profileThreshold(const FitResult& result) {
  return result.ssr * (1.0 + result.tQuantile * result.tQuantile / result.dof);
}

std::vector<double> profileSteps(const FitResult& result) {
  std::vector<double> steps;
  for (const FittedParameter& f : result.parameters)
    steps.push_back(f.determined && f.high > f.value ? f.high - f.value
                                                     : 0.1 * (f.bounds.high - f.bounds.low));
  return steps;
}

void addProfiles(const KolvState& study, const FitSetup& setup, const ObservedProfile& observed,
                 const FitOptions& options, const std::vector<double>& values, FitResult& result) {
  const double threshold = profileThreshold(result);
  const std::vector<double> steps = profileSteps(result);
  const ProfileOutcome profile =
      profileIntervals(study, setup, observed, values, result.ssr, result.ssr, threshold, steps,
                       options.threads, options.cancel);
  result.runs += profile.runs;
  for (std::size_t k = 0; k < result.parameters.size(); ++k) {
    FittedParameter& fitted = result.parameters[k];
    const ProfileBounds& b = profile.intervals[k];
    fitted.profile = FitBounds{b.low, b.high};
    fitted.profileOpenLow = b.openLow;
    fitted.profileOpenHigh = b.openHigh;
    if (fitted.determined) {
      const double halfWidth = fitted.high - fitted.value;
      fitted.profileDiffers = std::abs(b.low - fitted.low) > 0.1 * halfWidth ||
                              std::abs(b.high - fitted.high) > 0.1 * halfWidth;
    }
  }
  if (profile.lowestSsr < result.ssr * (1.0 - 1e-6)) {
    std::string at;
    for (std::size_t k = 0; k < profile.lowestValues.size(); ++k)
      at += (k ? ", " : "") + label(setup.parameters[k]) + " " +
            base::generalText(profile.lowestValues[k], 6);
    result.warnings.push_back("a profile met a lower sum of squares (" +
                              base::generalText(profile.lowestSsr, 6) + " at " + at +
                              "): the search missed that minimum");
    result.converged = false;
  }
}

// The profile interval is the set where the profile stays below its
// threshold; another minimum below it lies in that set, so the interval
// reaches over its piece as well (their hull). Read only around the best,
// it misses the truth whenever the truth sits in the other basin.
void joinProfilePieces(const KolvState& study, const FitSetup& setup,
                       const ObservedProfile& observed, const FitOptions& options,
                       const SearchOutcome& search, FitResult& result) {
  const double threshold = profileThreshold(result);
  const std::vector<double> steps = profileSteps(result);
  for (std::size_t m = 1; m < search.minima.size(); ++m) {
    const LocalMinimum& other = search.minima[m];
    if (!(other.ssr <= threshold) || problemCancelled(options)) continue;
    const ProfileOutcome piece =
        profileIntervals(study, setup, observed, other.values, other.ssr, result.ssr, threshold,
                         steps, options.threads, options.cancel);
    result.runs += piece.runs;
    if (piece.lowestSsr < result.ssr * (1.0 - 1e-6))
      result.warnings.push_back("a profile met a lower sum of squares (" +
                                base::generalText(piece.lowestSsr, 6) +
                                ") beside another minimum: the search missed that minimum");
    for (std::size_t k = 0; k < result.parameters.size(); ++k) {
      FittedParameter& fitted = result.parameters[k];
      const ProfileBounds& b = piece.intervals[k];
      if (!fitted.profile) continue;
      if (b.low < fitted.profile->low) {
        fitted.profile->low = b.low;
        fitted.profileOpenLow = b.openLow;
      }
      if (b.high > fitted.profile->high) {
        fitted.profile->high = b.high;
        fitted.profileOpenHigh = b.openHigh;
      }
    }
    std::string at;
    for (std::size_t k = 0; k < other.values.size(); ++k)
      at += (k ? ", " : "") + label(setup.parameters[k]) + " " +
            base::generalText(other.values[k], 6);
    result.warnings.push_back(
        "the profile intervals reach over another minimum below their "
        "threshold (" +
        at + ")");
  }
}

void addBootstrap(const KolvState& study, const FitSetup& setup, const ObservedProfile& observed,
                  const FitOptions& options, const std::vector<double>& values, FitResult& result) {
  std::vector<double> simulated(observed.values.size(), 0.0);
  for (const FitResidual& r : result.residuals)
    simulated[static_cast<std::size_t>(r.node)] = r.simulated;
  const int maxRuns =
      options.maxRuns > 0 ? options.maxRuns : 300 + 150 * static_cast<int>(values.size());
  const BootstrapOutcome boot =
      bootstrapIntervals(study, setup, observed, values, simulated, options.bootstrap, options.seed,
                         maxRuns, options.threads, options.cancel);
  result.runs += boot.runs;
  result.bootstrapReplicates = boot.replicates;
  result.bootstrapFailed = boot.failed;
  result.bootstrapSeed = options.seed;
  if (boot.replicates > 0)
    for (std::size_t k = 0; k < result.parameters.size(); ++k)
      result.parameters[k].bootstrap = boot.intervals[k];
  if (boot.failed > 0)
    result.warnings.push_back(std::to_string(boot.failed) + " of " +
                              std::to_string(options.bootstrap) +
                              " bootstrap replicates did not converge and are left out");
}

}  // namespace

base::Result<> checkFitStarts(const KolvState& study, const FitSetup& setup, int count) {
  if (count < 1) return base::fail("kolv-fit: --starts must be 1 or more");
  const ObservedProfile none;
  const FitProblem problem(study, setup, none, nullptr, 1);
  std::vector<double> input;
  for (FitParameter p : setup.parameters) input.push_back(parameterValue(study.params, p));
  const auto starts = fitStarts(problem, input, 1);
  if (!starts) return base::fail(starts.message());
  return {};
}

FitResult fitStudy(const KolvState& study, const FitSetup& setup, const ObservedProfile& observed,
                   const FitOptions& options) {
  const auto started = std::chrono::steady_clock::now();
  const std::size_t p = setup.parameters.size();
  FitProblem problem(study, setup, observed, options.cancel, options.threads);
  FitResult result;
  result.nodes = static_cast<int>(problem.nodes().size());
  result.dof = result.nodes - static_cast<int>(p);

  const std::vector<double> input = startingValues(study, setup, result);
  const auto starts = fitStarts(problem, input, std::max(options.starts, 1));
  if (!starts) {
    result.stopReason = "not converged: " + starts.message();
    return result;
  }
  result.starts = static_cast<int>(starts->size());
  const int maxRuns = options.maxRuns > 0 ? options.maxRuns : 300 + 150 * static_cast<int>(p);
  const SearchOutcome search =
      searchFromStarts(study, setup, observed, *starts, maxRuns, options.threads, options.cancel);
  const LocalMinimum& best = search.minima.front();
  result.stopReason = best.stopReason;
  result.cancelled = search.cancelled || problem.cancelled();
  if (search.failedRuns > 0)
    result.warnings.push_back(std::to_string(search.failedRuns) +
                              " runs of the search failed (values that are not finite)");

  const std::vector<double> values = best.values;
  addFittedParameters(study, setup, values, result);
  const bool ranAtBest = addResidualsAtBest(problem, setup, observed, values, result);
  if (ranAtBest && result.dof > 0 && !result.cancelled) {
    addJacobianIntervals(problem, values, result);
    if (options.profiles) addProfiles(study, setup, observed, options, values, result);
  }
  addMinima(search, result);
  if (ranAtBest && result.dof > 0 && !result.cancelled && options.profiles)
    joinProfilePieces(study, setup, observed, options, search, result);
  bool starts_agree = true;
  for (std::size_t m = 1; m < result.minima.size(); ++m)
    for (std::size_t k = 0; k < p; ++k)
      if (result.minima[m].notWorse && result.parameters[k].ambiguous) starts_agree = false;
  const bool profileMissed =
      std::any_of(result.warnings.begin(), result.warnings.end(),
                  [](const std::string& w) { return w.rfind("a profile met", 0) == 0; });
  result.converged =
      best.reached && !result.cancelled && best.ssr < kFailedRun && starts_agree && !profileMissed;
  if (!starts_agree && best.reached)
    result.stopReason = "not converged: the starts end in minima the data do not tell apart";
  if (ranAtBest && result.dof > 0 && !result.cancelled && options.bootstrap > 0)
    addBootstrap(study, setup, observed, options, values, result);
  addParameterWarnings(problem, study, values, result);
  result.runs += search.runs + problem.runs();
  result.seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  return result;
}

}  // namespace sodwright::kolv
