// SPDX-License-Identifier: GPL-3.0-or-later
// NIBAL timings: the whole run (computation and report) at the largest grid
// the 16-bit node count allows, the text import at that size, and the
// computation alone up to 2000 x 2000 nodes, which should grow linearly.
#include <cmath>
#include <sstream>
#include <string>

#include <benchmark/benchmark.h>

#include "nibal/grid_import.h"
#include "nibal/grid_model.h"
#include "nibal/grid_report.h"
#include "nibal/grid_state.h"

namespace {

using namespace sodwright::nibal;

constexpr int kLargestSide = 181;  // 181 x 181 = 32761 nodes

// A rolling field: a few metres of relief over the grid.
double elevation(int r, int c) {
  return 100.0 + 3.0 * std::sin(r * 0.07) * std::cos(c * 0.05) + 0.01 * r;
}

GridState makeState(int rows, int columns, bool withCoordinates) {
  GridState state;
  state.info = GridInfo{std::to_string(rows), std::to_string(columns), "5", "7.5"};
  state.GridElevation.allocate(rows, columns);
  if (withCoordinates) {
    state.GridNodeCount = static_cast<std::int16_t>(rows * columns);
    state.GridEasting.allocate(rows, columns);
    state.GridNorthing.allocate(rows, columns);
  }
  for (int r = 1; r <= rows; ++r)
    for (int c = 1; c <= columns; ++c) {
      state.GridElevation(r, c) = elevation(r, c);
      if (withCoordinates) {
        std::ostringstream easting;
        easting << 512000 + 5 * c << ".125";
        state.GridEasting(r, c) = easting.str();
        state.GridNorthing(r, c) = 4801000.5 + 7.5 * r;
      }
    }
  readGridParameters(state.info, GridParameterTexts{});
  return state;
}

void compute(GridState& state) {
  clearGridResults(state);
  computeColumnDirection(state);
  computeRowDirection(state);
  computeSoilLossSum(state);
}

void BM_RunAndReport181(benchmark::State& bench) {
  GridState state = makeState(kLargestSide, kLargestSide, true);
  for (auto _ : bench) {
    compute(state);
    std::ostringstream report;
    writeGridReport(report, state, "DATE");
    benchmark::DoNotOptimize(report.str().size());
  }
  bench.SetItemsProcessed(bench.iterations() * kLargestSide * kLargestSide);
}
BENCHMARK(BM_RunAndReport181)->Unit(benchmark::kMillisecond);

void BM_TextImport181(benchmark::State& bench) {
  std::ostringstream file;
  for (int r = 1; r <= kLargestSide; ++r)
    for (int c = 1; c <= kLargestSide; ++c)
      file << '\t' << 512000 + 5 * c << ".125\t" << 4801000 + 7 * r << ".5\t" << elevation(r, c)
           << "\r\n";
  const std::string text = file.str();
  for (auto _ : bench) {
    sodwright::base::Result<GridData> result =
        parseGridText(text, '\t', kLargestSide, kLargestSide);
    benchmark::DoNotOptimize(result->elevation(kLargestSide, kLargestSide));
  }
  bench.SetItemsProcessed(bench.iterations() * kLargestSide * kLargestSide);
}
BENCHMARK(BM_TextImport181)->Unit(benchmark::kMillisecond);

// The computation has no 16-bit limit; only the node count of an import has.
void BM_Computation(benchmark::State& bench) {
  const int side = static_cast<int>(bench.range(0));
  GridState state = makeState(side, side, false);
  for (auto _ : bench) {
    compute(state);
    benchmark::DoNotOptimize(state.results.SoilLossSum(side, side));
  }
  bench.SetItemsProcessed(bench.iterations() * side * side);
}
BENCHMARK(BM_Computation)->Arg(181)->Arg(500)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
