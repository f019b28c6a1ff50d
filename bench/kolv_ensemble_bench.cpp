// SPDX-License-Identifier: GPL-3.0-or-later
// An ensemble of the example study (the 300-point hillslope, 10 sequences)
// with three parameters varied, beside the single run of the same study: the
// counters give the cost of one member and of one single run, so that the
// run loop's share (copying the study into the workspace, the stability
// estimate per member, the percentiles) shows.

#include <string>

#include <benchmark/benchmark.h>

#include "kolv/io/transect_import.h"
#include "kolv/kolv_commands.h"
#include "kolv/study/ensemble_run.h"
#include "kolv_bench_state.h"

namespace {

using namespace sodwright::kolv;

bool exampleStudy(KolvState& state, benchmark::State& bench) {
  if (!importTransectText(state, SODWRIGHT_EXAMPLES_DIR "/hillslope-transect.txt", '\t').ok()) {
    bench.SkipWithError("the example transect was not imported");
    return false;
  }
  TranslocationParameters& p = state.params;
  p.SeqCount = 10;
  p.LastSeq = p.LastSeqShown = static_cast<Int16>(p.StartSeq + 10);
  return true;
}

void BM_ExampleSingleRun(benchmark::State& bench) {
  KolvState study;
  if (!exampleStudy(study, bench)) return;
  bench::SilentMessages messages;
  for (auto _ : bench) {
    KolvState state = study;
    const CommandOutcome outcome = runKolv(state, messages, 1);
    benchmark::DoNotOptimize(state.results.SoilLoss(150));
    if (!outcome.compared) {
      bench.SkipWithError("the run failed");
      break;
    }
  }
  bench.counters["run"] =
      benchmark::Counter(static_cast<double>(bench.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_ExampleEnsemble(benchmark::State& bench) {
  KolvState study;
  if (!exampleStudy(study, bench)) return;
  EnsembleSetup setup;
  setup.runs = static_cast<std::size_t>(bench.range(0));
  setup.seed = 1;
  setup.threads = static_cast<int>(bench.range(1));
  for (const char* text :
       {"alpha=normal:0.3:0.05", "beta=lognormal:0.003:1.3", "till-depth=uniform:0.18:0.22"})
    setup.varied.push_back(*parseVariedParameter(text));
  for (auto _ : bench) {
    auto result = runEnsemble(study, setup, 0);
    if (!result) {
      bench.SkipWithError(result.message().c_str());
      break;
    }
    benchmark::DoNotOptimize(result->meanLossPercentiles);
  }
  // Wall time per member (the members share the threads).
  bench.counters["member"] =
      benchmark::Counter(static_cast<double>(bench.iterations()) * static_cast<double>(setup.runs),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

BENCHMARK(BM_ExampleSingleRun)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ExampleEnsemble)
    ->ArgNames({"members", "threads"})
    ->Args({1000, 1})
    ->Args({1000, 2})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
