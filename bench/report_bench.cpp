// SPDX-License-Identifier: GPL-3.0-or-later
// The KOLV reports of the largest transect: 32,000 points, the comparison
// report (22 masked numbers per point) and the last-sequence file (6 per
// point), written into memory so that only the formatting is measured.

#include <cmath>
#include <sstream>

#include <benchmark/benchmark.h>

#include "kolv/io/compare_report_writer.h"
#include "kolv/io/last_sequence_writer.h"
#include "kolv/state/kolv_state.h"
#include "kolv/state/transect_setup.h"

namespace {

using namespace sodwright::kolv;

constexpr int kPoints = 32000;

// Two sequences and the comparison arrays filled with values of the sizes a
// run gives: elevations near 150 m, depths of a few decimetres, amounts.
KolvState comparedTransect() {
  KolvState state;
  TranslocationParameters& p = state.params;
  p.NodeCount = p.DataPointCount = kPoints;
  p.Interval = 0.1f;
  p.DistrDistance = 5.0f;
  p.DistrNodes = 50;
  p.SeqCount = 1;
  p.LastSeq = p.LastSeqShown = 1;
  p.TillDepth = p.UpLayerDepth = p.SubLayerDepth = 0.2;
  p.BulkDensity1 = 1300;
  p.BulkDensity2 = 1350;
  p.BulkDensity3 = 1450;
  allocateTransect(p, state.data, state.results);
  TransectData& t = state.data;
  t.SubstanceUnit = "mg";
  ComparisonResults& r = state.results;
  for (int i = 0; i < kPoints; ++i) {
    const double x = i * 0.1;
    for (Int16 s = 0; s <= 1; ++s) {
      t.Elev(i, s) = 150 - 0.02 * x + 3 * std::sin(x / 90) + 0.001 * s * std::cos(x);
      t.DepthL1(i, s) = 0.2 + 0.03 * std::sin(x / 11 + s);
      t.DepthL2(i, s) = 0.06 + 0.04 * std::cos(x / 17 + s);
      t.PL1(i, s) = 20 + 4 * std::sin(x / 23 + s);
      t.PL2(i, s) = 12 + std::sin(x / 7);
    }
    t.PL3(i) = 2;
    r.DeltaElev(i) = static_cast<float>(0.001 * std::cos(x));
    r.SoilLoss(i) = static_cast<float>(1.3 * std::cos(x));
    r.UpMassFirst(i) = 3.1 + std::sin(x / 3);
    r.SubMassFirst(i) = 1.7 + std::sin(x / 5);
    r.UpConcFirst(i) = 20 + std::sin(x / 9);
    r.SubConcFirst(i) = static_cast<float>(12 + std::sin(x / 4));
    r.UpMassLast(i) = 3.0 + std::sin(x / 3);
    r.SubMassLast(i) = 1.8 + std::sin(x / 5);
    r.UpConcLast(i) = 19 + std::sin(x / 9);
    r.SubConcLast(i) = static_cast<float>(11 + std::sin(x / 4));
  }
  state.imported = state.simulated = true;
  return state;
}

void BM_CompareReport32000(benchmark::State& bench) {
  const KolvState state = comparedTransect();
  std::size_t bytes = 0;
  for (auto _ : bench) {
    std::ostringstream out;
    writeCompareReport(out, state, 0, 1, "12/8/2026");
    bytes = out.str().size();
    benchmark::DoNotOptimize(bytes);
  }
  bench.counters["report_MB"] = static_cast<double>(bytes) / 1e6;
}

void BM_LastSequence32000(benchmark::State& bench) {
  const KolvState state = comparedTransect();
  for (auto _ : bench) {
    std::ostringstream out;
    writeLastSequence(out, state, 1);
    benchmark::DoNotOptimize(out.str().size());
  }
}

BENCHMARK(BM_CompareReport32000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LastSequence32000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
