// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fits KOLV coefficients to a measured profile: least squares over the
// points outside the end zones of the compared sequence, minimised by a
// bounded derivative-free local search of NLopt from a fixed design of
// starts within the bounds, every distinct minimum kept; then standard
// errors, 95 % intervals and correlations from a finite-difference Jacobian
// at the best, profile-likelihood intervals for every parameter and, when
// asked, residual-bootstrap percentile intervals.

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "kolv/fit/fit_setup.h"

namespace sodwright::kolv {

inline constexpr int kDefaultFitStarts = 6;

struct FitOptions {
  int maxRuns = 0;  // runs the optimiser may make; 0: 300 + 150 per parameter
  int threads = 0;  // workers of the Jacobian's runs; 0: one per core
  const std::atomic<bool>* cancel = nullptr;  // set from another thread to stop
  int starts = kDefaultFitStarts;  // local searches: INPUT's values, then a Halton design
  bool profiles = true;            // profile-likelihood intervals
  int bootstrap = 0;               // residual-bootstrap replicates; 0: none
  std::uint64_t seed = 1;          // of the bootstrap's draws
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
  // The profile-likelihood interval: where SSR, the other parameters fitted
  // again, stays below SSRmin (1 + t^2 / (n - p)). An end where the profile
  // stays below that up to the bound is open: it is the bound.
  std::optional<FitBounds> profile;
  bool profileOpenLow = false, profileOpenHigh = false;
  bool profileDiffers = false;  // either end off the Jacobian interval by > 10 % of its half-width
  std::optional<FitBounds> bootstrap;  // 2.5 to 97.5 % percentiles of the replicates
  // Another minimum fits not significantly worse and puts this parameter
  // outside the best's interval: the data do not tell the two apart.
  bool ambiguous = false;
};

// A distinct local minimum of the search.
struct FitMinimum {
  std::vector<double> values;  // as stored, in the order of the parameters
  double ssr = 0.0;
  int starts = 0;                // searches that ended here
  bool reached = false;          // its local criterion was met
  double likelihoodRatio = 0.0;  // n ln(SSR / SSRbest)
  bool notWorse = false;         // below the chi-square 95 % quantile (p degrees of freedom)
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
  // The local criterion was met at the best and no other minimum fits not
  // significantly worse elsewhere (the starts agree).
  bool converged = false;
  std::vector<FitMinimum> minima;  // the best first
  int starts = 0;
  int bootstrapReplicates = 0, bootstrapFailed = 0;
  std::uint64_t bootstrapSeed = 0;
  bool cancelled = false;
  std::string stopReason;
  std::vector<FitResidual> residuals;  // every point, at the fitted values
  std::vector<std::string> warnings;
};

// `study` holds the imported INPUT with its boxes applied and LastSeq at the
// observed sequence (reachObservedSequence).
FitResult fitStudy(const KolvState& study, const FitSetup& setup, const ObservedProfile& observed,
                   const FitOptions& options = {});

// Whether `count` starts can be made within the setup's bounds (count >= 1
// and every parameter's bounds hold a value the parameter set stores).
base::Result<> checkFitStarts(const KolvState& study, const FitSetup& setup, int count);

// The compared column of a run's last sequence for points 0 .. NodeCount - 1.
std::vector<double> simulatedColumn(const KolvState& state, FitColumn column);

}  // namespace sodwright::kolv
