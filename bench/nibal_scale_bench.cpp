// SPDX-License-Identifier: GPL-3.0-or-later
// NIBAL on large DEMs, as whole processes: the streamed raster route of
// sodwright-batch against its input/output floor, gdal_translate copying the
// same DEM into a three-band Float32 GeoTIFF with the same creation options,
// run side by side; and 16 tiles through GNU parallel (two jobs) against the
// whole run. Each case reports the child's peak resident memory (peak_MB) and
// the output's size. Targets: peak_MB at most 256 at 20,000 x 20,000 and
// within 10 % of it at 10,000 x 10,000; the run at most 1.5 x the floor.
// The DEMs (1.6 GB at 20,000) are made once in the temporary folder.
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <gdal_priv.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include "platform/raster/raster_drivers.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace sodwright;

fs::path scratch(const std::string& name) {
  return fs::temp_directory_path() / ("sodwright-scale-bench-" + name);
}

// A rolling field of a few metres relief on 2 m cells, tiled like LiDAR DEMs.
fs::path dem(int side) {
  const fs::path path = scratch("dem-" + std::to_string(side) + ".tif");
  if (fs::exists(path)) return path;
  platform::useRasterDrivers();
  char** options = nullptr;
  options = CSLSetNameValue(options, "TILED", "YES");
  options = CSLSetNameValue(options, "BIGTIFF", "IF_SAFER");
  GDALDatasetUniquePtr out(GetGDALDriverManager()->GetDriverByName("GTiff")->Create(
      (path.string() + ".part").c_str(), side, side, 1, GDT_Float32, options));
  CSLDestroy(options);
  double transform[6] = {500000.0, 2.0, 0.0, 4900000.0, 0.0, -2.0};
  out->SetGeoTransform(transform);
  std::vector<float> rows(static_cast<std::size_t>(side) * 256);
  for (int r0 = 0; r0 < side; r0 += 256) {
    const int n = std::min(256, side - r0);
    for (int r = 0; r < n; ++r)
      for (int c = 0; c < side; ++c)
        rows[static_cast<std::size_t>(r) * side + c] = static_cast<float>(
            100.0 + 3.0 * std::sin((r0 + r) * 0.003) * std::cos(c * 0.002) + 0.0005 * (r0 + r));
    if (out->GetRasterBand(1)->RasterIO(GF_Write, 0, r0, side, n, rows.data(), side, n, GDT_Float32,
                                        0, 0, nullptr) != CE_None)
      throw std::runtime_error("cannot write the benchmark DEM");
  }
  out.reset();
  fs::rename(path.string() + ".part", path);
  return path;
}

struct ChildRun {
  double seconds = 0;
  double peakMegabytes = 0;
};

ChildRun runChild(const std::vector<std::string>& command) {
  std::vector<char*> argv;
  for (const auto& a : command) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
    throw std::runtime_error("cannot start " + command[0]);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  ChildRun run;
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.peakMegabytes = static_cast<double>(usage.ru_maxrss) / 1024.0;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    throw std::runtime_error(command[0] + " failed");
  return run;
}

void report(benchmark::State& state, const ChildRun& last, const fs::path& output) {
  state.counters["peak_MB"] = last.peakMegabytes;
  std::uintmax_t bytes = 0;
  if (fs::is_directory(output)) {
    for (const auto& entry : fs::recursive_directory_iterator(output))
      if (entry.is_regular_file()) bytes += entry.file_size();
  } else if (fs::exists(output)) {
    bytes = fs::file_size(output);
  }
  state.counters["output_MB"] = static_cast<double>(bytes) / 1e6;
}

// The streamed run: DEM to the three-band result GeoTIFF.
void NibalRaster(benchmark::State& state) {
  const fs::path input = dem(static_cast<int>(state.range(0)));
  const fs::path output = scratch("loss.tif");
  ChildRun run;
  for (auto _ : state) {
    run = runChild({SODWRIGHT_BATCH, "nibal", "--raster", input.string(), "--quiet",
                    "--write-raster", output.string()});
    state.SetIterationTime(run.seconds);
  }
  report(state, run, output);
  fs::remove(output);
}

// The floor: the same DEM copied into three Float32 bands with the same
// creation options (no computation).
void GdalTranslateFloor(benchmark::State& state) {
  const fs::path input = dem(static_cast<int>(state.range(0)));
  const fs::path output = scratch("copy.tif");
  ChildRun run;
  for (auto _ : state) {
    run = runChild({"gdal_translate",
                    "-q",
                    "-b",
                    "1",
                    "-b",
                    "1",
                    "-b",
                    "1",
                    "-ot",
                    "Float32",
                    "-co",
                    "TILED=YES",
                    "-co",
                    "COMPRESS=DEFLATE",
                    "-co",
                    "PREDICTOR=3",
                    "-co",
                    "BIGTIFF=IF_SAFER",
                    input.string(),
                    output.string()});
    state.SetIterationTime(run.seconds);
  }
  report(state, run, output);
  fs::remove(output);
}

// Sixteen tiles through the shipped GNU parallel recipe with two jobs.
void TilesThroughParallel(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  const fs::path input = dem(side);
  const fs::path out = scratch("tiles");
  ChildRun run;
  setenv("SODWRIGHT_BATCH", SODWRIGHT_BATCH, 1);
  setenv("JOBS", "2", 1);
  for (auto _ : state) {
    fs::remove_all(out);
    run = runChild({SODWRIGHT_SOURCE "/examples/tiles/run-parallel.sh", input.string(),
                    out.string(), std::to_string((side + 3) / 4)});
    state.SetIterationTime(run.seconds);
  }
  report(state, run, out / "tiles");
  fs::remove_all(out);
}

}  // namespace

// Floor and run side by side at each size, so that a ratio holds on a busy machine.
BENCHMARK(GdalTranslateFloor)
    ->Arg(10000)
    ->Arg(20000)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kSecond);
BENCHMARK(NibalRaster)
    ->Arg(10000)
    ->Arg(20000)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kSecond);
BENCHMARK(TilesThroughParallel)
    ->Arg(10000)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kSecond);
BENCHMARK_MAIN();
