// SPDX-License-Identifier: GPL-3.0-or-later
// NIBAL on an elevation array held in memory, in-process: the floor the
// Python module's call is measured against (bench/python_nibal_bench.py).
// The array is the one the Python benchmark makes: a float32 field of a few
// metres relief on 2 m cells.
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include <benchmark/benchmark.h>

#include "nibal/array_run.h"

namespace {

using namespace sodwright;

std::vector<float> field(std::int64_t side) {
  std::vector<float> z(static_cast<std::size_t>(side * side));
  for (std::int64_t r = 0; r < side; ++r)
    for (std::int64_t c = 0; c < side; ++c)
      z[static_cast<std::size_t>(r * side + c)] =
          static_cast<float>(100.0 + 3.0 * std::sin(0.01 * static_cast<double>(r)) *
                                         std::cos(0.013 * static_cast<double>(c)));
  return z;
}

// The bands made once and written again on every run, as a caller that
// reuses its buffers has them.
void NibalArray(benchmark::State& state) {
  const std::int64_t side = state.range(0);
  const std::vector<float> z = field(side);
  const nibal::ElevationArray grid{z.data(), true, side, side, side, 2.0, 2.0, std::nullopt};
  std::vector<double> sum(z.size()), row(z.size()), col(z.size());
  for (auto _ : state) {
    auto run = nibal::runElevationArray(grid, {3, 6, 6, 12}, {sum.data(), row.data(), col.data()},
                                        0, "dem");
    if (!run) state.SkipWithError(run.message().c_str());
    benchmark::DoNotOptimize(sum.data());
  }
}
BENCHMARK(NibalArray)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

// Fresh bands for every run, as the Python module makes them: the first
// write of each page is part of the run.
void NibalArrayFreshBands(benchmark::State& state) {
  const std::int64_t side = state.range(0);
  const std::vector<float> z = field(side);
  const nibal::ElevationArray grid{z.data(), true, side, side, side, 2.0, 2.0, std::nullopt};
  for (auto _ : state) {
    const auto cells = static_cast<std::size_t>(side * side);
    std::unique_ptr<double[]> sum(new double[cells]), row(new double[cells]),
        col(new double[cells]);
    auto run =
        nibal::runElevationArray(grid, {3, 6, 6, 12}, {sum.get(), row.get(), col.get()}, 0, "dem");
    if (!run) state.SkipWithError(run.message().c_str());
    benchmark::DoNotOptimize(sum.get());
  }
}
BENCHMARK(NibalArrayFreshBands)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
