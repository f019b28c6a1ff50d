// SPDX-License-Identifier: GPL-3.0-or-later
// The batch's raster route at full size: a 4,000 x 4,000 GeoTIFF DEM read,
// run node by node and written as a three-band GeoTIFF of 32-bit floats.
// Targets: under 3 s and under 1 GB. The peak resident memory of the process
// is reported as the counter peak_rss_MB (the DEM made in the set-up is
// written a row at a time, so the peak belongs to the run).
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <gdal_priv.h>
#include <sys/resource.h>

#include "nibal/raster/raster_grid.h"
#include "platform/raster/raster_drivers.h"

namespace {

using namespace sodwright;

constexpr int kSide = 4000;

std::string scratch(const std::string& name) {
  return (std::filesystem::temp_directory_path() / ("sodwright-bench-" + name)).string();
}

// A rolling field of a few metres relief on 5 m cells, as Float32 like most DEMs.
void makeDem(const std::string& path) {
  platform::useRasterDrivers();
  GDALDatasetUniquePtr dem(GetGDALDriverManager()->GetDriverByName("GTiff")->Create(
      path.c_str(), kSide, kSide, 1, GDT_Float32, nullptr));
  double transform[6] = {512000.0, 5.0, 0.0, 4821000.0, 0.0, -5.0};
  dem->SetGeoTransform(transform);
  std::vector<float> row(kSide);
  for (int r = 0; r < kSide; ++r) {
    for (int c = 0; c < kSide; ++c)
      row[c] =
          static_cast<float>(100.0 + 3.0 * std::sin(r * 0.007) * std::cos(c * 0.005) + 0.001 * r);
    if (dem->GetRasterBand(1)->RasterIO(GF_Write, 0, r, kSide, 1, row.data(), kSide, 1, GDT_Float32,
                                        0, 0, nullptr) != CE_None)
      throw std::runtime_error("cannot write the benchmark DEM");
  }
}

double peakResidentMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// The DEM is made once for all the cases and removed at exit.
const std::string& demPath() {
  static const std::string path = [] {
    const std::string dem = scratch("dem.tif");
    makeDem(dem);
    std::atexit([] { std::filesystem::remove(scratch("dem.tif")); });
    return dem;
  }();
  return path;
}

void BM_GeoTiffToGeoTiff4000(benchmark::State& bench) {
  const std::string out = scratch("loss.tif");
  for (auto _ : bench) {
    auto raster = platform::readElevationRaster(demPath(), platform::kMostBatchNodes);
    if (!raster.ok()) bench.SkipWithError(raster.message().c_str());
    auto layers = nibal::runRasterGrid(*raster, {3, 6, 6, 12}, {});
    if (!layers.ok()) bench.SkipWithError(layers.message().c_str());
    auto written = platform::writeResultRasterFiles(out, raster->geometry, *layers);
    if (!written.ok()) bench.SkipWithError(written.message().c_str());
  }
  bench.counters["peak_rss_MB"] = peakResidentMegabytes();
  bench.counters["nodes"] = static_cast<double>(kSide) * kSide;
  std::filesystem::remove(out);
}
BENCHMARK(BM_GeoTiffToGeoTiff4000)->Unit(benchmark::kMillisecond)->Iterations(3);

// The three steps alone, to see where the time goes.
void BM_ReadOnly4000(benchmark::State& bench) {
  for (auto _ : bench)
    benchmark::DoNotOptimize(platform::readElevationRaster(demPath(), platform::kMostBatchNodes));
}
BENCHMARK(BM_ReadOnly4000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RunOnly4000(benchmark::State& bench) {
  auto raster = platform::readElevationRaster(demPath(), platform::kMostBatchNodes);
  for (auto _ : bench) benchmark::DoNotOptimize(nibal::runRasterGrid(*raster, {3, 6, 6, 12}, {}));
}
BENCHMARK(BM_RunOnly4000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_WriteOnly4000(benchmark::State& bench) {
  auto raster = platform::readElevationRaster(demPath(), platform::kMostBatchNodes);
  auto layers = nibal::runRasterGrid(*raster, {3, 6, 6, 12}, {});
  const std::string out = scratch("loss-only.tif");
  for (auto _ : bench)
    benchmark::DoNotOptimize(platform::writeResultRasterFiles(out, raster->geometry, *layers));
  std::filesystem::remove(out);
}
BENCHMARK(BM_WriteOnly4000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
