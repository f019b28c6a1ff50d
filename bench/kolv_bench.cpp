// SPDX-License-Identifier: GPL-3.0-or-later
// The KOLV run and comparison, single- and multi-threaded:
//  - the study transect: 32,000 points 0.5 m apart, a distribution over 25 m
//    (50 nodes), 50 alternating sequences (51 passes);
//  - a wide distribution: D = 2,000 on 1,000 points, 10 sequences.
// The argument is the number of threads. Counters: node passes per second,
// the engine's own buffers, and the process's peak resident memory (read it
// from a run of one benchmark alone: --benchmark_filter).

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include "kolv/engine/translocation.h"
#include "kolv/engine/translocation_pass.h"
#include "kolv/kolv_commands.h"
#include "kolv/study/study_runs.h"
#include "kolv_bench_state.h"

namespace {

using namespace sodwright::kolv;

double peakResidentMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

void runAndCompare(benchmark::State& bench, const bench::StudyShape& shape) {
  const int threads = static_cast<int>(bench.range(0));
  KolvState state = bench::studyState(shape);
  bench::SilentMessages messages;
  for (auto _ : bench) {
    state.params.DirectionSign = 1;
    if (const auto run = runTranslocation(state, messages, threads); !run) {
      bench.SkipWithError(run.message().c_str());
      return;
    }
    if (const auto stop = compare(state, state.params.StartSeq, state.params.LastSeq, messages)) {
      bench.SkipWithError(stop->message.c_str());
      return;
    }
    benchmark::DoNotOptimize(state.results.SoilLoss(shape.points / 2));
  }
  const double nodePasses = static_cast<double>(shape.points) * (shape.sequences + 1);
  bench.counters["node_passes"] =
      benchmark::Counter(nodePasses, benchmark::Counter::kIsIterationInvariantRate);
  const PassWorkspace work(shape.points, state.params.DistrNodes, threads);
  bench.counters["engine_buffer_kB"] = static_cast<double>(work.byteSize()) / 1e3;
  bench.counters["peak_rss_MB"] = peakResidentMegabytes();
  bench.counters["notes"] = messages.count;
}

void BM_KolvStudyRun(benchmark::State& bench) { runAndCompare(bench, bench::StudyShape{}); }

void BM_KolvWideDistribution(benchmark::State& bench) {
  bench::StudyShape shape;
  shape.points = 1000;
  shape.interval = 0.125f;
  shape.distrDistance = 250.0f;  // D = 2,000
  shape.sequences = 10;
  shape.direction = kForward;
  runAndCompare(bench, shape);
}

// Many members of a study the size of the example (300 points 1 m apart,
// D = 5, 10 alternating sequences), each run and compared in a workspace its
// worker resets from the study, beside single runs of the same study on a
// copy made afresh each time. Counter: the time per member or run.
bench::StudyShape exampleShape() {
  bench::StudyShape shape;
  shape.points = 300;
  shape.interval = 1.0f;
  shape.distrDistance = 5.0f;
  shape.sequences = 10;
  return shape;
}

void BM_KolvStudyMembers(benchmark::State& bench) {
  const int threads = static_cast<int>(bench.range(0));
  const KolvState study = bench::studyState(exampleShape());
  constexpr std::size_t kMembers = 1000;
  for (auto _ : bench) {
    const std::size_t ran = runStudies(
        study, kMembers,
        [](std::size_t member, TranslocationParameters& p) {
          p.Beta = static_cast<float>(0.002 + 0.000002 * static_cast<double>(member));
        },
        [](std::size_t, const KolvState& s, const std::optional<StepStop>&) {
          benchmark::DoNotOptimize(s.results.SoilLoss(150));
        },
        {.threads = threads});
    if (ran != kMembers) {
      bench.SkipWithError("members missing");
      return;
    }
  }
  bench.counters["per_member"] = benchmark::Counter(
      static_cast<double>(kMembers),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_KolvExampleSingleRun(benchmark::State& bench) {
  const KolvState study = bench::studyState(exampleShape());
  bench::SilentMessages messages;
  for (auto _ : bench) {
    KolvState state = study;
    if (simulate(state, messages, 1) ||
        compare(state, state.params.StartSeq, state.params.LastSeq, messages)) {
      bench.SkipWithError("run refused");
      return;
    }
    benchmark::DoNotOptimize(state.results.SoilLoss(150));
  }
}

BENCHMARK(BM_KolvStudyMembers)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_KolvExampleSingleRun)->Unit(benchmark::kMicrosecond);

BENCHMARK(BM_KolvStudyRun)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->UseRealTime();
BENCHMARK(BM_KolvWideDistribution)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
