// SPDX-License-Identifier: GPL-3.0-or-later
// The whole batch study as `sodwright-batch kolv` runs it: import of a
// 32,000-point transect file (0.5 m apart, distribution distance 25 m),
// 50 alternating sequences with the warnings before and after the run,
// comparison of the first and last, and with argument 1 both reports
// (comparison report and last-sequence file).

#include <cstdio>
#include <string>

#include <benchmark/benchmark.h>
#include <unistd.h>

#include "kolv/io/compare_report_writer.h"
#include "kolv/io/last_sequence_writer.h"
#include "kolv/io/transect_import.h"
#include "kolv/kolv_commands.h"
#include "kolv/stability/stability_warning.h"
#include "kolv_bench_state.h"

namespace {

using namespace sodwright::kolv;

std::string tempFile(const std::string& name) {
  return "/tmp/sodwright-bench-" + std::to_string(::getpid()) + "-" + name;
}

void BM_KolvBatchStudy(benchmark::State& bench) {
  const bool reports = bench.range(0) != 0;
  const std::string input = tempFile("transect.txt");
  const std::string report = tempFile("report.txt");
  const std::string last = tempFile("last.txt");
  const bench::StudyShape shape;
  {
    const KolvState source = bench::studyState(shape);
    if (auto written = writeLastSequenceFile(input, source, 0); !written) {
      bench.SkipWithError(written.message().c_str());
      return;
    }
  }
  bench::SilentMessages messages;
  for (auto _ : bench) {
    KolvState state;
    if (!importTransectText(state, input, '\t').ok()) {
      bench.SkipWithError("import failed");
      break;
    }
    TranslocationParameters& p = state.params;
    p.SeqCount = static_cast<Int16>(shape.sequences);
    p.LastSeq = p.LastSeqShown = static_cast<Int16>(p.StartSeq + shape.sequences);
    p.TillDirection = kAlternative;
    p.ScScale = 4 * shape.interval;
    p.InputFrequency = 5;
    p.InputAmount = 0.1;
    p.DecayRate1 = 0.01;
    // The batch warns before a run that amplifies noise and after one that grew it.
    benchmark::DoNotOptimize(beforeRunWarning(assessRun(state), true));
    if (auto stop = simulate(state, messages)) {
      bench.SkipWithError(stop->message.c_str());
      break;
    }
    if (auto stop = compare(state, p.StartSeq, p.LastSeq, messages)) {
      bench.SkipWithError(stop->message.c_str());
      break;
    }
    benchmark::DoNotOptimize(afterRunWarning(checkRunStability(state), true));
    if (reports) {
      if (!writeCompareReportFile(report, state, p.StartSeq, p.LastSeq, "12/8/2026") ||
          !writeLastSequenceFile(last, state, p.LastSeq)) {
        bench.SkipWithError("report not written");
        break;
      }
    }
    benchmark::DoNotOptimize(state.results.SoilLoss(shape.points / 2));
  }
  for (const std::string& path : {input, report, last}) std::remove(path.c_str());
}

BENCHMARK(BM_KolvBatchStudy)
    ->ArgName("reports")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
