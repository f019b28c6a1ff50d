// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fits KOLV coefficients to a measured profile: least squares over the
// points outside the end zones of the compared sequence, minimised by a
// bounded derivative-free method of NLopt (BOBYQA, or subplex for a single
// parameter, restarted while it still improves) with every model run going
// through the study run loop; then standard errors, 95 % intervals and
// correlations from a finite-difference Jacobian at the optimum.

#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "kolv/fit/fit_setup.h"

namespace sodwright::kolv {

struct FitOptions {
  int maxRuns = 0;  // runs the optimiser may make; 0: 300 + 150 per parameter
  int threads = 0;  // workers of the Jacobian's runs; 0: one per core
  const std::atomic<bool>* cancel = nullptr;  // set from another thread to stop
};

struct FittedParameter {
  FitParameter parameter = FitParameter::Alpha;
  FitBounds bounds;
  double start = 0.0;
  double value = 0.0;  // as the parameter set holds it
  bool determined = false;
  std::string undeterminedWhy;   // when not determined
  double stdError = 0.0;         // when determined
  double low = 0.0, high = 0.0;  // the 95 % interval, when determined
  bool onBound = false;
  // For a fit of one parameter: the interval where SSR stays below
  // SSRmin (1 + t^2 / (n - 1)); an end held at the defined range is open.
  std::optional<FitBounds> profile;
  bool profileDiffers = false;  // either end off the Jacobian interval by > 10 % of its half-width
};

struct FitResidual {
  int node = 0;
  double distance = 0.0;  // m
  double observed = 0.0;
  double simulated = 0.0;
  bool endZone = false;  // not part of the sum
};

struct FitResult {
  std::vector<FittedParameter> parameters;
  std::vector<std::vector<double>> correlation;
  double ssr = 0.0;
  double rmse = 0.0;
  int nodes = 0;  // points compared
  int dof = 0;    // nodes - parameters
  double tQuantile = 0.0;
  long runs = 0;  // model runs, the Jacobian's and the profile's included
  double seconds = 0.0;
  bool converged = false;
  bool cancelled = false;
  std::string stopReason;
  std::vector<FitResidual> residuals;  // every point, at the fitted values
  std::vector<std::string> warnings;
};

// `study` holds the imported INPUT with its boxes applied and LastSeq at the
// observed sequence (reachObservedSequence).
FitResult fitStudy(const KolvState& study, const FitSetup& setup, const ObservedProfile& observed,
                   const FitOptions& options = {});

// The compared column of a run's last sequence for points 0 .. NodeCount - 1.
std::vector<double> simulatedColumn(const KolvState& state, FitColumn column);

}  // namespace sodwright::kolv
