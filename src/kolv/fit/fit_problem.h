// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One fit's runs of the study: the residuals observed - simulated over the
// points outside the end zones, each run in a workspace of its own object so
// that searches on different threads never share one.

#include <atomic>
#include <optional>
#include <vector>

#include "kolv/fit/fit_setup.h"
#include "kolv/study/study_runs.h"

namespace sodwright::kolv {

// What a failed run scores: far above any sum of squares a run gives, yet
// finite, so that the optimiser's models stay defined.
inline constexpr double kFailedRun = 1e300;

struct Residuals {
  std::vector<double> values;  // empty when the run failed
  bool ok = false;
};

class FitProblem {
 public:
  FitProblem(const KolvState& study, const FitSetup& setup, const ObservedProfile& observed,
             const std::atomic<bool>* cancel, int threads);

  const KolvState& study() const { return study_; }
  const FitSetup& setup() const { return setup_; }
  const std::vector<int>& nodes() const { return nodes_; }
  long runs() const { return runs_.load(); }
  bool cancelled() const { return cancel_ && cancel_->load(); }
  const KolvState& workspace() const { return workspace_; }

  void apply(TranslocationParameters& params, const std::vector<double>& values) const;
  // The values as the parameter set stores them (Single for the coefficients).
  std::vector<double> stored(const std::vector<double>& values) const;

  // One run on the caller's thread, in the kept workspace.
  Residuals run(const std::vector<double>& values);
  double ssr(const std::vector<double>& values) { return sumOfSquares(run(values)); }
  // Several runs at once through the shared loop; one result per point.
  std::vector<Residuals> runMany(const std::vector<std::vector<double>>& points);

  static double sumOfSquares(const Residuals& r);

 private:
  Residuals residualsOf(const KolvState& state, const std::optional<StepStop>& stop) const;

  const KolvState& study_;
  const FitSetup& setup_;
  const ObservedProfile& observed_;
  const std::atomic<bool>* cancel_;
  int threads_;
  std::vector<int> nodes_;
  KolvState workspace_;
  std::atomic<long> runs_{0};
};

}  // namespace sodwright::kolv
