// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/raster/streamed_years.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>

#include "base/threads/parallel.h"
#include "nibal/grid_messages.h"
#include "nibal/grid_years.h"
#include "nibal/large_grid.h"
#include "nibal/raster/raster_grid.h"
#include "nibal/raster/streamed_input.h"
#include "platform/raster/gdal_support.h"
#include "platform/raster/raster_stream.h"

namespace sodwright::nibal {

namespace {

std::string yearsOf(int years) { return years == 1 ? "1 year" : std::to_string(years) + " years"; }

std::vector<std::string> bandDescriptions(const YearsSettings& settings) {
  const std::string mean =
      " (kg/m2 per year, mean of " + yearsOf(settings.years) + "; positive = loss)";
  std::vector<std::string> out = {"SoilLossSum" + mean, "SoilLossRow" + mean, "SoilLossCol" + mean,
                                  "ElevationChange (m after " + yearsOf(settings.years) + ")",
                                  "Elevation (m after " + yearsOf(settings.years) + ")"};
  for (int year : settings.snapshotYears())
    out.push_back("ElevationChange (m after " + yearsOf(year) + ")");
  return out;
}

struct YearsSizes {
  std::int64_t readLines;
  int readColumns;
  int strip;
  int columns;
  std::size_t bands;
  int threads;
  std::uint64_t cacheBytes;
};

// In bytes: the cells read with their halo and the two surfaces the steps
// swap, the kept results and their single-precision bands, each worker's
// line of node results, the cache and the workers' own memory.
std::uint64_t yearsRunBytes(const YearsSizes& s) {
  const std::uint64_t readLines = static_cast<std::uint64_t>(s.readLines);
  const auto read = readLines * static_cast<std::uint64_t>(s.readColumns);
  const auto kept = static_cast<std::uint64_t>(s.strip) * static_cast<std::uint64_t>(s.columns);
  const auto threads = static_cast<std::uint64_t>(s.threads);
  return 3 * read * sizeof(double) + s.bands * kept * (sizeof(double) + sizeof(float)) +
         threads * static_cast<std::uint64_t>(s.readColumns) * sizeof(NodeResults) + s.cacheBytes +
         (threads + 1) * kThreadBytes;
}

}  // namespace

base::Result<StreamedRasterSummary> runStreamedYears(const StreamedRasterRun& run) {
  const YearsSettings& settings = *run.years;
  if (run.raster.empty() || !run.report.empty() || !run.csv.empty() || run.mapLayer)
    return base::fail(
        "A run of years writes result rasters only (--write-raster); the report, "
        "the CSV and the map are of one year.");
  base::Result<StreamedInput> input = openStreamedInput(run);
  if (!input.ok()) return base::fail(input.message());
  platform::ElevationStrips& dem = *input->dem;
  const platform::RasterGeometry& whole = dem.geometry();
  const RasterWindow& window = input->window;
  const GridInfo& info = input->info;
  const GridCoefficients k{info.BettaRow, info.GammaRow, info.BettaCol, info.GammaCol};
  const platform::RasterGeometry& g = input->geometry;

  const std::vector<std::string> names = yearsBandNames(settings);
  const int threads = base::workerCount(run.threads);
  constexpr int tile = platform::ResultRasterWriter::kTileLines;
  const int strip = run.stripLines > 0
                        ? run.stripLines
                        : std::min(tile, std::lcm(tile, std::max(1, dem.blockLines())));
  const std::int64_t halo = yearsHalo(settings);
  const std::int64_t left = std::max<std::int64_t>(0, window.xOffset - halo);
  const std::int64_t right =
      std::min<std::int64_t>(whole.columns, window.xOffset + window.xSize + halo);
  const auto readColumns = static_cast<int>(right - left);
  const std::int64_t readLines = std::min<std::int64_t>(whole.rows, strip + 2 * halo);
  const std::int64_t cacheBytes =
      std::clamp<std::int64_t>(readLines * whole.columns * 8, 64LL << 20, 512LL << 20);
  // Checked before any output is made: a DEM too wide for the budget leaves
  // no temporary behind.
  if (run.memoryBudget > 0) {
    const std::uint64_t need =
        yearsRunBytes({readLines, readColumns, strip, g.columns, names.size(), threads,
                       static_cast<std::uint64_t>(std::max<std::int64_t>(cacheBytes, 0))});
    if (need > run.memoryBudget)
      return base::fail(tooWideMessage(run.dem, g.columns, need, run.memoryBudget, strip, threads));
  }
  platform::setRasterCacheBytes(cacheBytes);
  base::Result<std::unique_ptr<platform::ResultRasterWriter>> created =
      platform::ResultRasterWriter::create(run.raster, g, names, run.cog,
                                           bandDescriptions(settings));
  if (!created.ok()) return base::fail(std::string(kOutputFailed) + "\n" + created.message());
  std::unique_ptr<platform::ResultRasterWriter> raster = std::move(*created);
  std::vector<double> cells(static_cast<std::size_t>(readLines) *
                            static_cast<std::size_t>(readColumns));
  std::vector<std::vector<float>> bands(names.size());
  StreamedRasterSummary summary;
  summary.cells = g.nodeCount();
  ShortWave before, after;
  const auto noData = static_cast<float>(platform::resultNoData());

  for (std::int64_t y0 = 0; y0 < window.ySize; y0 += strip) {
    const std::int64_t y1 = std::min<std::int64_t>(window.ySize, y0 + strip);
    const base::Result<ElevationBlock> read =
        readHaloStrip(dem, window, y0, y1, halo, left, readColumns, cells.data());
    if (!read.ok()) return base::fail(read.message());
    const ElevationBlock& block = *read;
    const auto lines = static_cast<int>(y1 - y0);
    const YearsGrid part =
        evolveBlock(block, k, settings, static_cast<int>(window.yOffset + y0 - block.firstRow),
                    lines, static_cast<int>(window.xOffset - left), g.columns, threads);
    before.squares += part.before.squares;
    before.count += part.before.count;
    after.squares += part.after.squares;
    after.count += part.after.count;

    std::vector<const std::vector<double>*> fields = {
        &part.meanLossSum, &part.meanLossRow, &part.meanLossCol, &part.change, &part.surface};
    for (const auto& snapshot : part.snapshots) fields.push_back(&snapshot);
    const std::size_t n = static_cast<std::size_t>(lines) * static_cast<std::size_t>(g.columns);
    for (std::size_t b = 0; b < fields.size(); ++b) bands[b].assign(n, noData);
    for (std::size_t at = 0; at < n; ++at) {
      const std::size_t r = at / static_cast<std::size_t>(g.columns);
      const std::size_t c = at % static_cast<std::size_t>(g.columns);
      const double z = cells[(static_cast<std::size_t>(window.yOffset + y0 - block.firstRow) + r) *
                                 static_cast<std::size_t>(readColumns) +
                             static_cast<std::size_t>(window.xOffset - left) + c];
      if (std::isnan(z)) continue;
      ++summary.validCells;
      for (std::size_t b = 0; b < fields.size(); ++b) {
        const double value = (*fields[b])[at];
        const auto single = static_cast<float>(value);
        if (!std::isfinite(single))
          return base::fail(std::string(kOutputFailed) + "\nThe result " + names[b] + " at row " +
                            std::to_string(y0 + static_cast<std::int64_t>(r) + 1) + ", column " +
                            std::to_string(c + 1) +
                            " is not a finite 32-bit float: the years have amplified the "
                            "surface past any number (see the stability estimate).");
        bands[b][at] = single;
      }
    }
    std::vector<const float*> strips;
    for (const auto& band : bands) strips.push_back(band.data());
    if (auto written = raster->write(static_cast<int>(y0), lines, strips); !written)
      return base::fail(std::string(kOutputFailed) + "\n" + written.message());
    if (run.progress) run.progress(y1, window.ySize);
    if (run.stopRequested && run.stopRequested()) return base::fail(std::string(kRunInterrupted));
  }
  if (summary.validCells == 0 && !run.window)
    return base::fail("Cannot use " + platform::displayName(run.dem) +
                      " as an elevation raster: every cell is no-data, so there is no field to "
                      "compute.");
  base::Result<std::vector<std::string>> written = raster->finish();
  if (!written.ok()) return base::fail(std::string(kOutputFailed) + "\n" + written.message());
  summary.files = std::move(*written);
  summary.outputBytes = raster->bytes();
  summary.growth = shortWaveGrowth(before, after);
  return summary;
}

}  // namespace sodwright::nibal
