// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/raster/streamed_run.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <numeric>

#include "base/files/output_batch.h"
#include "base/files/pending_output.h"
#include "base/text/refusal_text.h"
#include "base/text/text_file.h"
#include "base/threads/parallel.h"
#include "nibal/grid_csv_writer.h"
#include "nibal/grid_messages.h"
#include "nibal/grid_report.h"
#include "nibal/large_grid.h"
#include "nibal/map_blocks.h"
#include "nibal/raster/raster_grid.h"
#include "nibal/raster/streamed_input.h"
#include "nibal/raster/streamed_years.h"
#include "nibal/soil_loss_text.h"
#include "platform/raster/gdal_support.h"
#include "platform/raster/raster_stream.h"

namespace sodwright::nibal {

namespace {

namespace fs = std::filesystem;

// The raster text outputs can reach gigabytes: a large buffer keeps the
// writes few.
constexpr std::size_t kTextBufferBytes = std::size_t{1} << 20;

std::string cannotWrite(const std::string& path, std::string_view reason) {
  return std::string(kOutputFailed) + "\n" + base::cannotWriteText(path, reason);
}

// A text output under a temporary name until the run has finished.
base::Result<std::unique_ptr<base::PendingFile>> pendingText(const std::string& path) {
  auto file = base::PendingFile::create(path, kTextBufferBytes);
  if (!file) return base::fail(cannotWrite(path, base::reasonOf(file.message())));
  return file;
}

// What one line of nodes gave: its valid nodes, its first fault and, when
// asked, its report and CSV text.
struct LineOutcome {
  std::int64_t valid = 0;
  std::string fault;  // empty: every valid node finite
  std::string report;
  std::string csv;
  std::vector<double> mapValues;      // the map layer's values, NaN at no-data
  std::vector<double> mapElevations;  // the elevations, for the map's hillshade
};

constexpr const char* kBandNames[] = {"SoilLossSum", "SoilLossRow", "SoilLossCol"};

// One strip of the DEM as the workers read it, and where its lines' raster
// values go.
struct StripLines {
  const ElevationBlock& block;
  const GridCoefficients& k;
  const RasterWindow& window;
  const platform::RasterGeometry& g;
  const double* cells;
  std::int64_t top;
  std::int64_t left;
  int readColumns;
  std::int64_t y0;           // the strip's first window line
  const MapLayer* mapLayer;  // null: no map
  std::vector<std::vector<float>>& bands;
  float noData;
  bool report;
  bool csv;
};

// The nodes of window line y: their raster values into the strip's bands,
// the rest into `outcome`. `nodes` is the worker's own scratch line.
void computeLine(const StripLines& job, std::int64_t y, std::vector<NodeResults>& nodes,
                 LineOutcome& outcome) {
  const platform::RasterGeometry& g = job.g;
  const RasterWindow& window = job.window;
  computeBlockRow(job.block, job.k, window.yOffset + y, window.xOffset, g.columns, nodes.data());
  outcome = LineOutcome{};
  const std::size_t at = static_cast<std::size_t>(y - job.y0) * static_cast<std::size_t>(g.columns);
  const auto r = static_cast<int>(y);
  const double* z = job.cells +
                    static_cast<std::size_t>(window.yOffset + y - job.top) *
                        static_cast<std::size_t>(job.readColumns) +
                    static_cast<std::size_t>(window.xOffset - job.left);
  GridCoordinate northing = g.northing(r);
  if (job.mapLayer) {
    outcome.mapValues.resize(static_cast<std::size_t>(g.columns));
    outcome.mapElevations.assign(z, z + g.columns);
  }
  for (int c = 0; c < g.columns; ++c) {
    const NodeResults& n = nodes[static_cast<std::size_t>(c)];
    if (job.mapLayer)
      outcome.mapValues[static_cast<std::size_t>(c)] =
          std::isnan(z[c]) ? std::nan("") : nodeLayerValue(n, z[c], *job.mapLayer);
    if (std::isnan(z[c])) {
      for (auto& band : job.bands) band[at + static_cast<std::size_t>(c)] = job.noData;
      continue;
    }
    ++outcome.valid;
    if (outcome.fault.empty()) {
      if (const char* name = firstNonFiniteResult(n))
        outcome.fault = nonFiniteRunMessage({name, r + 1, c + 1});
      const float values[] = {static_cast<float>(n.soilLossSum), static_cast<float>(n.soilLossRow),
                              static_cast<float>(n.soilLossCol)};
      for (int b = 0; b < 3; ++b)
        if (outcome.fault.empty() && !std::isfinite(values[b]))
          outcome.fault = std::string(kOutputFailed) + "\nThe result " + kBandNames[b] +
                          " at row " + std::to_string(r + 1) + ", column " + std::to_string(c + 1) +
                          " is too large for a 32-bit float.";
      for (std::size_t b = 0; b < job.bands.size(); ++b)
        job.bands[b][at + static_cast<std::size_t>(c)] = values[b];
    }
    if (job.report || job.csv) {
      const GridCoordinate easting = g.easting(c);
      if (job.report)
        outcome.report.append(gridReportLine(r + 1, c + 1, easting, northing, z[c], n))
            .append(base::kLineEnd);
      if (job.csv)
        outcome.csv.append(gridCsvRecord(r + 1, c + 1, easting, northing, z[c], n))
            .append(base::kLineEnd);
    }
  }
}

// The strip height: whole blocks of the DEM and whole tiles of the output.
int stripLinesFor(int blockLines) {
  constexpr int tile = platform::ResultRasterWriter::kTileLines;
  const int both = std::lcm(tile, std::max(1, blockLines));
  return both <= 4 * tile ? both : tile;
}

// What a streamed run holds at once.
struct RunSizes {
  std::int64_t columns;      // of the window
  std::int64_t readColumns;  // read around it
  std::int64_t strip;
  std::int64_t chunk;
  std::int64_t threads;
  bool raster;
  bool report;
  bool csv;
  bool map;
  std::uint64_t cacheBytes;  // the raster library's, at least one block of the DEM
};

// The text of one node: a report line is about 190 bytes, a CSV record less.
constexpr std::uint64_t kReportNodeBytes = 200;
constexpr std::uint64_t kCsvNodeBytes = 160;

// In bytes: the strip of cells read, the result bands, the cache, each
// worker's line of node results, a chunk's text and map values and the
// workers' own memory.
std::uint64_t streamedRunBytes(const RunSizes& s) {
  const auto columns = static_cast<std::uint64_t>(s.columns);
  const auto strip = static_cast<std::uint64_t>(s.strip);
  const auto threads = static_cast<std::uint64_t>(s.threads);
  std::uint64_t perNodeOfChunk = 0;
  if (s.report) perNodeOfChunk += kReportNodeBytes;
  if (s.csv) perNodeOfChunk += kCsvNodeBytes;
  if (s.map) perNodeOfChunk += sizeof(double);
  return (strip + 4) * static_cast<std::uint64_t>(s.readColumns) * sizeof(double) +
         (s.raster ? 3 * strip * columns * sizeof(float) : 0) + s.cacheBytes +
         threads * columns * sizeof(NodeResults) +
         static_cast<std::uint64_t>(s.chunk) * columns * perNodeOfChunk +
         (threads + 1) * kThreadBytes;
}

}  // namespace

base::Result<StreamedRasterSummary> runStreamedRaster(const StreamedRasterRun& run) {
  if (run.years) return runStreamedYears(run);
  base::Result<StreamedInput> input = openStreamedInput(run);
  if (!input.ok()) return base::fail(input.message());
  platform::ElevationStrips& dem = *input->dem;
  const platform::RasterGeometry& whole = dem.geometry();
  const RasterWindow& window = input->window;
  GridInfo& info = input->info;
  const platform::RasterGeometry& g = input->geometry;
  const GridDefinition definition = gridDefinition(g);
  info.Rows = definition.rowsText;
  info.Columns = definition.columnsText;
  info.RowSpacing = definition.rowSpacingText;
  info.ColumnSpacing = definition.columnSpacingText;
  const GridCoefficients k{info.BettaRow, info.GammaRow, info.BettaCol, info.GammaCol};
  std::optional<BlockMeanReducer> means, elevations;
  if (run.mapLayer) {
    const int block = blockSizeToFit(g.rows, g.columns, run.mapRows, run.mapColumns);
    means.emplace(g.rows, g.columns, block);
    elevations.emplace(g.rows, g.columns, block);
  }

  const int threads = base::workerCount(run.threads);
  const int strip = run.stripLines > 0 ? run.stripLines : stripLinesFor(dem.blockLines());
  const bool text = !run.report.empty() || !run.csv.empty();
  // Text lines are long (about 190 bytes a node in the report): a few lines at a time.
  const int chunk = text ? std::min(strip, std::max(8, 4 * threads)) : strip;

  // The cells read around the window: two on each side, fewer at the DEM's edge.
  const std::int64_t left = std::max<std::int64_t>(0, window.xOffset - 2);
  const std::int64_t right =
      std::min<std::int64_t>(whole.columns, window.xOffset + window.xSize + 2);
  const auto readColumns = static_cast<int>(right - left);
  // GDAL's cache: two strips of the DEM's blocks and a strip of the output's
  // tiles, within fixed bounds.
  const std::int64_t stripBytes = static_cast<std::int64_t>(strip + 4) * whole.columns * 8;
  const std::int64_t cacheBytes = std::clamp<std::int64_t>(2 * stripBytes, 64LL << 20, 512LL << 20);

  // Memory and the file are checked before any output is made: a DEM too
  // wide for the budget, or one whose first line cannot be read, leaves no
  // temporary to grow or to fill.
  if (run.memoryBudget > 0) {
    const std::uint64_t need =
        streamedRunBytes({g.columns, readColumns, strip, chunk, threads, !run.raster.empty(),
                          !run.report.empty(), !run.csv.empty(), run.mapLayer.has_value(),
                          static_cast<std::uint64_t>(std::max(cacheBytes, dem.blockBytes()))});
    if (need > run.memoryBudget)
      return base::fail(tooWideMessage(run.dem, g.columns, need, run.memoryBudget, strip, threads));
  }
  platform::setRasterCacheBytes(cacheBytes);
  {
    std::vector<double> firstLine(static_cast<std::size_t>(readColumns));
    if (auto read = dem.read(static_cast<int>(window.yOffset), 1, static_cast<int>(left),
                             readColumns, firstLine.data());
        !read)
      return base::fail(read.message());
  }

  std::unique_ptr<base::PendingFile> report;
  std::unique_ptr<base::PendingFile> csv;
  if (!run.report.empty()) {
    auto created = pendingText(run.report);
    if (!created) return base::fail(created.message());
    report = std::move(*created);
    writeGridReportHeading(report->out(), info, g.nodeCount(), run.date);
  }
  if (!run.csv.empty()) {
    auto created = pendingText(run.csv);
    if (!created) return base::fail(created.message());
    csv = std::move(*created);
    GridCsvWriter heading(csv->out());
  }
  std::unique_ptr<platform::ResultRasterWriter> raster;
  if (!run.raster.empty()) {
    base::Result<std::unique_ptr<platform::ResultRasterWriter>> created =
        platform::ResultRasterWriter::create(
            run.raster, g, {kBandNames[0], kBandNames[1], kBandNames[2]}, run.cog,
            {std::string(kSoilLossSumBand), std::string(kSoilLossRowBand),
             std::string(kSoilLossColBand)});
    if (!created.ok()) return base::fail(std::string(kOutputFailed) + "\n" + created.message());
    raster = std::move(*created);
  }

  std::vector<double> cells(static_cast<std::size_t>(strip + 4) *
                            static_cast<std::size_t>(readColumns));
  const auto bandSize = static_cast<std::size_t>(strip) * static_cast<std::size_t>(g.columns);
  std::vector<std::vector<float>> bands(raster ? 3 : 0, std::vector<float>(bandSize));
  std::vector<LineOutcome> outcomes(static_cast<std::size_t>(chunk));
  StreamedRasterSummary summary;
  summary.cells = g.nodeCount();
  const auto noData = static_cast<float>(platform::resultNoData());

  for (std::int64_t y0 = 0; y0 < window.ySize; y0 += strip) {
    const std::int64_t y1 = std::min<std::int64_t>(window.ySize, y0 + strip);
    const base::Result<ElevationBlock> read =
        readHaloStrip(dem, window, y0, y1, 2, left, readColumns, cells.data());
    if (!read.ok()) return base::fail(read.message());
    const ElevationBlock& block = *read;

    for (std::int64_t c0 = y0; c0 < y1; c0 += chunk) {
      const int lines = static_cast<int>(std::min<std::int64_t>(y1, c0 + chunk) - c0);
      const StripLines job{block,
                           k,
                           window,
                           g,
                           cells.data(),
                           block.firstRow,
                           left,
                           readColumns,
                           y0,
                           run.mapLayer ? &*run.mapLayer : nullptr,
                           bands,
                           noData,
                           report != nullptr,
                           csv != nullptr};
      // Line i of the chunk is window line c0 + i; each worker takes every
      // threads-th line, and a line's results depend on the DEM alone.
      const auto work = [&](int first) {
        std::vector<NodeResults> nodes(static_cast<std::size_t>(g.columns));
        for (int i = first; i < lines; i += threads)
          computeLine(job, c0 + i, nodes, outcomes[static_cast<std::size_t>(i)]);
      };
      const int workers = std::min(threads, lines);
      base::runParts(workers, work);

      for (int i = 0; i < lines; ++i) {
        const LineOutcome& outcome = outcomes[static_cast<std::size_t>(i)];
        if (!outcome.fault.empty()) return base::fail(outcome.fault);
        summary.validCells += outcome.valid;
        if (report) report->out() << outcome.report;
        if (csv) csv->out() << outcome.csv;
        if (means) means->addRow(outcome.mapValues.data());
        if (elevations) elevations->addRow(outcome.mapElevations.data());
      }
      if (run.progress) run.progress(c0 + lines, window.ySize);
      if (run.stopRequested && run.stopRequested()) return base::fail(std::string(kRunInterrupted));
    }
    if (raster) {
      std::vector<const float*> strips;
      for (const auto& band : bands) strips.push_back(band.data());
      if (auto written = raster->write(static_cast<int>(y0), static_cast<int>(y1 - y0), strips);
          !written)
        return base::fail(std::string(kOutputFailed) + "\n" + written.message());
    }
  }

  if (summary.validCells == 0 && !run.window)
    return base::fail("Cannot use " + platform::displayName(run.dem) +
                      " as an elevation raster: every cell is no-data, so there is no field to "
                      "compute.");
  // The raster's finish can still fail: the text files keep their temporary
  // names until it has succeeded.
  std::vector<std::string> rasterFiles;
  if (raster) {
    base::Result<std::vector<std::string>> written = raster->finish();
    if (!written.ok()) return base::fail(std::string(kOutputFailed) + "\n" + written.message());
    rasterFiles = std::move(*written);
  }
  // In a batch of outputs the files are named with the run's others.
  base::OutputBatch* batch = base::OutputBatch::current();
  for (std::unique_ptr<base::PendingFile>* held : {&report, &csv}) {
    if (*held == nullptr) continue;
    const std::string target = (*held)->target();
    if (auto done = (*held)->finish(); !done)
      return base::fail(cannotWrite(target, base::reasonOf(done.message())));
    std::error_code ignored;
    const std::uintmax_t size = fs::file_size((*held)->temporary(), ignored);
    if (!ignored) summary.outputBytes += size;
    if (batch != nullptr) {
      if (auto kept = batch->keep(std::move(*held)); !kept)
        return base::fail(cannotWrite(target, base::reasonOf(kept.message())));
    } else if (auto done = (*held)->commit(); !done) {
      return base::fail(cannotWrite(target, base::reasonOf(done.message())));
    }
    summary.files.push_back(target);
  }
  if (raster) {
    summary.files.insert(summary.files.end(), rasterFiles.begin(), rasterFiles.end());
    summary.outputBytes += raster->bytes();
  }
  if (means) {
    StreamedRasterMap map;
    map.blocks = means->finish();
    const BlockMeans elevationMeans = elevations->finish();
    map.state =
        blockMapState(map.blocks, *run.mapLayer, info, g.easting(0), g.easting(g.columns - 1),
                      g.northing(0), g.northing(g.rows - 1), &elevationMeans);
    summary.map = std::move(map);
  }
  return summary;
}

}  // namespace sodwright::nibal
