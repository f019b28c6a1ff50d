// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/fit/fit_problem.h"

#include <cmath>

#include "kolv/fit/fit_solver.h"

namespace sodwright::kolv {

FitProblem::FitProblem(const KolvState& study, const FitSetup& setup,
                       const ObservedProfile& observed, const std::atomic<bool>* cancel,
                       int threads)
    : study_(study),
      setup_(setup),
      observed_(observed),
      cancel_(cancel),
      threads_(threads),
      nodes_(interiorNodes(study.params)) {}

void FitProblem::apply(TranslocationParameters& params, const std::vector<double>& values) const {
  for (std::size_t k = 0; k < values.size(); ++k)
    setParameterValue(params, setup_.parameters[k], values[k]);
}

std::vector<double> FitProblem::stored(const std::vector<double>& values) const {
  TranslocationParameters params = study_.params;
  apply(params, values);
  std::vector<double> out(values.size());
  for (std::size_t k = 0; k < values.size(); ++k)
    out[k] = parameterValue(params, setup_.parameters[k]);
  return out;
}

Residuals FitProblem::residualsOf(const KolvState& state,
                                  const std::optional<StepStop>& stop) const {
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

Residuals FitProblem::run(const std::vector<double>& values) {
  const auto stop = runStudyMember(
      study_, workspace_,
      [&](std::size_t, TranslocationParameters& params) { apply(params, values); }, 0, false, 1);
  ++runs_;
  return residualsOf(workspace_, stop);
}

double FitProblem::sumOfSquares(const Residuals& r) {
  if (!r.ok) return kFailedRun;
  double s = 0.0;
  for (double v : r.values) s += v * v;
  return s;
}

std::vector<Residuals> FitProblem::runMany(const std::vector<std::vector<double>>& points) {
  std::vector<Residuals> out(points.size());
  StudyRunOptions runOptions;
  runOptions.threads = threads_;
  runOptions.compare = false;
  runOptions.cancel = cancel_;
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

}  // namespace sodwright::kolv
