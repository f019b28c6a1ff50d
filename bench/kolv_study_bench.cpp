// SPDX-License-Identifier: GPL-3.0-or-later
// The whole batch study as `sodwright-batch kolv` runs it: import of a
// 32,000-point transect file (0.5 m apart, distribution distance 25 m),
// 50 alternating sequences with the warnings before and after the run,
// comparison of the first and last, and with argument 1 both reports
// (comparison report and last-sequence file).
//
// Beside it, the same study as a whole process (`sodwright-batch kolv`,
// dynamic loading and all) paired run by run with the floor kernel, the
// least work one pass must do (distances, D + 1 shares each with its own
// exp, their normalisation, two delivery sums), at N = 32,000, D = 50, 51
// passes on every core. The floor is not part of this tree: build it apart
// and name the executable in SODWRIGHT_FLOOR_KERNEL (it is run as
// `FLOOR N D PASSES THREADS`); without it that benchmark is skipped.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "kolv/io/compare_report_writer.h"
#include "kolv/io/last_sequence_writer.h"
#include "kolv/io/transect_import.h"
#include "kolv/kolv_commands.h"
#include "kolv/stability/stability_warning.h"
#include "kolv/state/transect_setup.h"
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
    keepReportedColumnsOnly(state);
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
  // The bench process's own peak so far (the study's arrays included).
  rusage usage{};
  if (getrusage(RUSAGE_SELF, &usage) == 0)
    bench.counters["process_peak_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
  for (const std::string& path : {input, report, last}) std::remove(path.c_str());
}

// A finished child process: wall seconds and its peak resident memory.
struct ProcessRun {
  bool ok = false;
  double seconds = 0;
  double peakMiB = 0;
};

extern "C" char** environ;

ProcessRun runProcess(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  ProcessRun run;
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return run;
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) return run;
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;  // kB on Linux
  run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return run;
}

// The whole study as `sodwright-batch kolv` runs it, both reports written,
// paired with the floor kernel in every iteration (floor, then study), so
// that the ratio holds when the machine's speed drifts. The time is the
// study's; counters: the floor's mean wall time, the mean ratio
// study / floor, the study's and the floor's peak memory, and the bench's
// own peak (a child's peak reads at least that).
void BM_KolvBatchProcessAgainstFloor(benchmark::State& bench) {
  const char* floor = std::getenv("SODWRIGHT_FLOOR_KERNEL");
  if (floor == nullptr || *floor == '\0') {
    bench.SkipWithError("SODWRIGHT_FLOOR_KERNEL names no floor kernel executable");
    return;
  }
  const bench::StudyShape shape;
  const std::string input = tempFile("process-transect.txt");
  const std::string report = tempFile("process-report.txt");
  const std::string last = tempFile("process-last.txt");
  {
    const KolvState source = bench::studyState(shape);
    if (auto written = writeLastSequenceFile(input, source, 0); !written) {
      bench.SkipWithError(written.message().c_str());
      return;
    }
  }
  const KolvState probe = bench::studyState(shape);
  const std::string threads = std::to_string(std::max(1u, std::thread::hardware_concurrency()));
  const std::vector<std::string> floorArgs = {floor, std::to_string(shape.points),
                                              std::to_string(probe.params.DistrNodes),
                                              std::to_string(shape.sequences + 1), threads};
  const std::vector<std::string> studyArgs = {SODWRIGHT_BATCH_PATH,
                                              "kolv",
                                              input,
                                              "--sequences",
                                              std::to_string(shape.sequences),
                                              "--direction",
                                              "alternative",
                                              "--sc-scale",
                                              "2",
                                              "--input-frequency",
                                              "5",
                                              "--input-amount",
                                              "0.1",
                                              "--decay1",
                                              "1",
                                              "--date",
                                              "12/8/2026",
                                              "--report",
                                              report,
                                              "--last-sequence",
                                              last};
  double floorSeconds = 0, ratios = 0, studyPeak = 0, floorPeak = 0;
  for (auto _ : bench) {
    const ProcessRun f = runProcess(floorArgs);
    const ProcessRun s = runProcess(studyArgs);
    if (!f.ok || !s.ok) {
      bench.SkipWithError(!f.ok ? "the floor kernel failed" : "sodwright-batch kolv failed");
      break;
    }
    bench.SetIterationTime(s.seconds);
    floorSeconds += f.seconds;
    ratios += s.seconds / f.seconds;
    studyPeak = std::max(studyPeak, s.peakMiB);
    floorPeak = std::max(floorPeak, f.peakMiB);
  }
  const double n = static_cast<double>(bench.iterations());
  if (n > 0) {
    bench.counters["floor_s"] = floorSeconds / n;
    bench.counters["study_per_floor"] = ratios / n;
    bench.counters["study_peak_MiB"] = studyPeak;
    bench.counters["floor_peak_MiB"] = floorPeak;
    // Linux counts a child's peak from its parent's at the start, so a peak
    // no larger than this says only "at most this".
    rusage self{};
    if (getrusage(RUSAGE_SELF, &self) == 0)
      bench.counters["bench_peak_MiB"] = static_cast<double>(self.ru_maxrss) / 1024.0;
  }
  for (const std::string& path : {input, report, last}) std::remove(path.c_str());
}

// Registered first, while the bench process is still small: a child's peak
// as the system counts it is at least the bench's own peak when it starts.
BENCHMARK(BM_KolvBatchProcessAgainstFloor)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(7)
    ->UseManualTime();

BENCHMARK(BM_KolvBatchStudy)
    ->ArgName("reports")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
