// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/raster/streamed_years.h"

#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>
#include <random>

#include <gtest/gtest.h>

#include "nibal/grid_years.h"
#include "raster_test_support.h"

namespace sodwright::nibal {
namespace {

using platform::testing::RasterShape;
using platform::testing::ScratchFolder;
using platform::testing::writeRaster;

std::vector<std::vector<float>> readBands(const std::string& path,
                                          std::vector<std::string>& names) {
  GDALDatasetUniquePtr file(GDALDataset::Open(path.c_str(), GDAL_OF_RASTER));
  std::vector<std::vector<float>> out;
  if (!file) {
    ADD_FAILURE() << "cannot open " << path;
    return out;
  }
  const int columns = file->GetRasterXSize();
  const int rows = file->GetRasterYSize();
  for (int b = 1; b <= file->GetRasterCount(); ++b) {
    std::vector<float> values(static_cast<std::size_t>(rows) * columns);
    EXPECT_EQ(file->GetRasterBand(b)->RasterIO(GF_Read, 0, 0, columns, rows, values.data(), columns,
                                               rows, GDT_Float32, 0, 0, nullptr),
              CE_None);
    out.push_back(std::move(values));
    names.emplace_back(file->GetRasterBand(b)->GetDescription());
  }
  return out;
}

// A rough DEM with no-data holes; the elevations as the run reads them.
constexpr int kRows = 21;
constexpr int kColumns = 16;
std::vector<double> holedHeights() {
  std::mt19937_64 random(99);
  std::uniform_real_distribution<double> height(200.0, 201.0);
  std::vector<double> z(kRows * kColumns);
  for (double& v : z) v = height(random);
  for (int at : {5 * kColumns + 5, 5 * kColumns + 6, 12 * kColumns + 15, 20 * kColumns + 3})
    z[static_cast<std::size_t>(at)] = std::nan("");
  for (int r = 8; r < 17; ++r) z[static_cast<std::size_t>(r * kColumns + 9)] = std::nan("");
  return z;
}

// The streamed run of years, in strips of 1, 4 and the automatic height on
// 1 and 3 threads, writes the reference loop's values as 32-bit floats bit
// for bit, no-data where the DEM has none, on the whole DEM and on a window
// of it (read with its halo), and the snapshots' bands named
// with their years.
TEST(StreamedYears, GivesTheReferenceLoopForAnyStripAndThreads) {
  ScratchFolder folder("years");
  const std::vector<double> z = holedHeights();
  RasterShape shape;
  shape.rows = kRows;
  shape.columns = kColumns;
  shape.setNoData = true;
  shape.value = [&z](int r, int c) {
    const double v = z[static_cast<std::size_t>(r) * kColumns + c];
    return std::isnan(v) ? -9999.0 : v;
  };
  writeRaster(folder.file("dem.tif"), shape);

  const GridCoefficients k{3.0, 6.0, 6.0, 12.0};
  const auto noData = std::numeric_limits<float>::lowest();
  // Four years of two passes, and one of two passes: the short run's halo is
  // narrow enough that a line too few shows in the bits.
  for (const int years : {4, 1}) {
    YearsSettings settings;
    settings.years = years;
    settings.passesPerYear = 2;
    settings.bulkDensity = 1250.0;
    settings.every = years == 4 ? 2 : 1;
    // Cell width 2 m along the lines, height 3 m down the columns.
    const YearsGrid want = runYears({z.data(), kRows, kColumns, 2.0, 3.0}, k, settings);
    std::vector<const std::vector<double>*> fields = {
        &want.meanLossSum, &want.meanLossRow, &want.meanLossCol, &want.change, &want.surface};
    for (const auto& snapshot : want.snapshots) fields.push_back(&snapshot);
    const RasterWindow whole{0, 0, kColumns, kRows};
    for (const RasterWindow& window : {whole, RasterWindow{3, 2, 9, 15}})
      for (int threads : {1, 3})
        for (int strip : {1, 4, 0}) {
          SCOPED_TRACE(::testing::Message() << threads << " threads, strips of " << strip
                                            << ", window " << windowText(window));
          StreamedRasterRun run;
          run.dem = folder.file("dem.tif");
          run.raster = folder.file("years.tif");
          run.threads = threads;
          run.stripLines = strip;
          run.years = settings;
          if (!(window == whole)) run.window = window;
          const base::Result<StreamedRasterSummary> done = runStreamedRaster(run);
          ASSERT_TRUE(done.ok()) << done.message();
          if (!run.window) {
            EXPECT_EQ(done->validCells, kRows * kColumns - 13);
          }
          ASSERT_TRUE(done->growth);
          EXPECT_FALSE(done->growth->grew);
          std::vector<std::string> names;
          const std::vector<std::vector<float>> bands = readBands(folder.file("years.tif"), names);
          ASSERT_EQ(bands.size(), fields.size());
          if (years == 4) {
            EXPECT_EQ(names[0], "SoilLossSum (kg/m2 per year, mean of 4 years; positive = loss)");
            EXPECT_EQ(names[5], "ElevationChange (m after 2 years)");
            EXPECT_EQ(names[6], "ElevationChange (m after 4 years)");
          }
          for (std::size_t b = 0; b < bands.size(); ++b)
            for (std::size_t i = 0; i < bands[b].size(); ++i) {
              const auto columns = static_cast<std::size_t>(window.xSize);
              const std::size_t at =
                  (window.yOffset + i / columns) * kColumns + window.xOffset + i % columns;
              const float expected =
                  std::isnan(z[at]) ? noData : static_cast<float>((*fields[b])[at]);
              if (std::memcmp(&bands[b][i], &expected, sizeof expected) != 0) {
                ADD_FAILURE() << "band " << b + 1 << " node " << at << ": " << bands[b][i] << " vs "
                              << expected;
                break;
              }
            }
        }
  }
}

// A run of years too wide for its memory budget is refused before any output
// exists, and what it needs grows with the halo its years read.
TEST(StreamedYears, RefusesLinesTooLongForTheBudgetBeforeAnyOutput) {
  ScratchFolder folder("years-budget");
  RasterShape shape;
  shape.rows = 120;
  shape.columns = 3000;
  shape.value = [](int r, int c) { return 100.0 + 0.01 * r + 0.001 * (c % 7); };
  writeRaster(folder.file("dem.tif"), shape);
  ScratchFolder out("years-budget-out");
  StreamedRasterRun run;
  run.dem = folder.file("dem.tif");
  run.raster = out.file("years.tif");
  run.threads = 1;
  run.stripLines = 8;
  run.memoryBudget = std::uint64_t{1} << 20;
  const auto refusedNeed = [&](int years) {
    YearsSettings settings;
    settings.years = years;
    run.years = settings;
    const base::Result<StreamedRasterSummary> done = runStreamedRaster(run);
    EXPECT_FALSE(done.ok());
    const std::string start = "Cannot run NIBAL on dem.tif: its lines of 3000 cells need about ";
    EXPECT_EQ(done.message().rfind(start, 0), 0u) << done.message();
    EXPECT_TRUE(std::filesystem::is_empty(out.file(""))) << "an output was made";
    return std::stoull(done.message().substr(start.size()));
  };
  EXPECT_GT(refusedNeed(20), refusedNeed(1));
  run.memoryBudget = std::uint64_t{1} << 34;
  const base::Result<StreamedRasterSummary> done = runStreamedRaster(run);
  EXPECT_TRUE(done.ok()) << done.message();
}

}  // namespace
}  // namespace sodwright::nibal
