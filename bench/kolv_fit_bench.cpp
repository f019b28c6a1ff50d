// SPDX-License-Identifier: GPL-3.0-or-later
// A three-parameter fit (Alpha, Betta, Gamma, SC Scale 4 m) on the example
// transect (300 points, 10 sequences) to elevations made with Alpha 0.35,
// Betta 0.004 and Gamma 0.03 plus 2 mm of seeded Gaussian noise; the search
// starts from the file's 0.3, 0.003 and 0.02. The counter `runs` is the
// number of model runs of one fit, the Jacobian's included.

#include <cmath>
#include <random>
#include <string>

#include <benchmark/benchmark.h>

#include "kolv/fit/fit_solver.h"
#include "kolv/io/transect_import.h"
#include "kolv/study/study_runs.h"

namespace {

using namespace sodwright::kolv;

void BM_KolvFitThreeParameters(benchmark::State& bench) {
  KolvState study;
  if (!importTransectText(study, std::string(SODWRIGHT_EXAMPLES_DIR) + "/hillslope-transect.txt",
                          '\t')
           .ok()) {
    bench.SkipWithError("import failed");
    return;
  }
  study.params.ScScale = 4.0f;
  if (!reachObservedSequence(study, 10).ok()) {
    bench.SkipWithError("no points to compare");
    return;
  }
  KolvState truth;
  runStudyMember(
      study, truth,
      [](std::size_t, TranslocationParameters& p) {
        p.Alpha = 0.35f;
        p.Beta = 0.004f;
        p.Gamma = 0.03f;
      },
      0, false);
  ObservedProfile observed;
  observed.sequence = 10;
  observed.values = simulatedColumn(truth, FitColumn::Elevation);
  std::mt19937 engine(20261209);
  for (double& v : observed.values) {
    const double u1 = (engine() + 0.5) / 4294967296.0, u2 = (engine() + 0.5) / 4294967296.0;
    v += 0.002 * std::sqrt(-2 * std::log(u1)) * std::cos(2 * 3.141592653589793 * u2);
  }
  FitSetup setup;
  for (FitParameter p : {FitParameter::Alpha, FitParameter::Beta, FitParameter::Gamma}) {
    setup.parameters.push_back(p);
    setup.bounds.push_back(defaultBounds(p, study.params));
  }
  long runs = 0;
  for (auto _ : bench) {
    const FitResult fit = fitStudy(study, setup, observed);
    if (!fit.converged) {
      bench.SkipWithError(fit.stopReason.c_str());
      break;
    }
    runs = fit.runs;
    benchmark::DoNotOptimize(fit.ssr);
  }
  bench.counters["runs"] = static_cast<double>(runs);
}
BENCHMARK(BM_KolvFitThreeParameters)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
