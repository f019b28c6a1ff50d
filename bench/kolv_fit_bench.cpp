// SPDX-License-Identifier: GPL-3.0-or-later
// Fits on the example transect (300 points, 10 sequences) to elevations made
// with Alpha 0.35, Betta 0.004 and Gamma 0.03 plus 2 mm of seeded Gaussian
// noise; the first search starts from the file's 0.3, 0.003 and 0.02. Three
// parameters (SC Scale 4 m); two (Alpha, Betta) with the default starts and
// profile intervals (target at most 2 s); two with a 200-replicate
// bootstrap besides (target at most 10 s). The counter `runs` is the number
// of model runs of one fit, every search, Jacobian, profile and replicate
// included.

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "kolv/fit/fit_solver.h"
#include "kolv/io/transect_import.h"
#include "kolv/study/study_runs.h"

namespace {

using namespace sodwright::kolv;

struct Example {
  KolvState study;
  ObservedProfile observed;
  bool ok = false;
};

Example example() {
  Example e;
  if (!importTransectText(e.study, std::string(SODWRIGHT_EXAMPLES_DIR) + "/hillslope-transect.txt",
                          '\t')
           .ok()) {
    return e;
  }
  e.study.params.ScScale = 4.0f;
  if (!reachObservedSequence(e.study, 10).ok()) {
    return e;
  }
  KolvState truth;
  runStudyMember(
      e.study, truth,
      [](std::size_t, TranslocationParameters& p) {
        p.Alpha = 0.35f;
        p.Beta = 0.004f;
        p.Gamma = 0.03f;
      },
      0, false);
  e.observed.sequence = 10;
  e.observed.values = simulatedColumn(truth, FitColumn::Elevation);
  std::mt19937 engine(20261209);
  for (double& v : e.observed.values) {
    const double u1 = (engine() + 0.5) / 4294967296.0, u2 = (engine() + 0.5) / 4294967296.0;
    v += 0.002 * std::sqrt(-2 * std::log(u1)) * std::cos(2 * 3.141592653589793 * u2);
  }
  e.ok = true;
  return e;
}

void fitBench(benchmark::State& bench, std::vector<FitParameter> parameters, float scScale,
              const FitOptions& options) {
  Example e = example();
  if (!e.ok) {
    bench.SkipWithError("example not ready");
    return;
  }
  e.study.params.ScScale = scScale;
  // The truth where Gamma is not fitted.
  if (std::find(parameters.begin(), parameters.end(), FitParameter::Gamma) == parameters.end())
    e.study.params.Gamma = 0.03f;
  FitSetup setup;
  for (FitParameter p : parameters) {
    setup.parameters.push_back(p);
    setup.bounds.push_back(defaultBounds(p, e.study.params));
  }
  long runs = 0;
  for (auto _ : bench) {
    const FitResult fit = fitStudy(e.study, setup, e.observed, options);
    if (!fit.converged) {
      bench.SkipWithError(fit.stopReason.c_str());
      break;
    }
    runs = fit.runs;
    benchmark::DoNotOptimize(fit.ssr);
  }
  bench.counters["runs"] = static_cast<double>(runs);
}

void BM_KolvFitThreeParameters(benchmark::State& bench) {
  FitOptions options;
  options.starts = 1;
  options.profiles = false;
  fitBench(bench, {FitParameter::Alpha, FitParameter::Beta, FitParameter::Gamma}, 4.0f, options);
}
BENCHMARK(BM_KolvFitThreeParameters)->Unit(benchmark::kMillisecond);

void BM_KolvFitTwoParametersStartsAndProfiles(benchmark::State& bench) {
  fitBench(bench, {FitParameter::Alpha, FitParameter::Beta}, 4.0f, FitOptions{});
}
BENCHMARK(BM_KolvFitTwoParametersStartsAndProfiles)->Unit(benchmark::kMillisecond);

void BM_KolvFitTwoParametersBootstrap200(benchmark::State& bench) {
  FitOptions options;
  options.bootstrap = 200;
  fitBench(bench, {FitParameter::Alpha, FitParameter::Beta}, 4.0f, options);
}
BENCHMARK(BM_KolvFitTwoParametersBootstrap200)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
