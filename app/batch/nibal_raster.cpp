// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/nibal_raster.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include <unistd.h>

#include <CLI/CLI.hpp>

#include "base/files/output_batch.h"
#include "base/number_text.h"
#include "base/text/progress_line.h"
#include "batch/batch_figures.h"
#include "batch/batch_modules.h"
#include "batch/batch_options.h"
#include "batch/batch_services.h"
#include "batch/nibal_years.h"
#include "nibal/grid_messages.h"
#include "nibal/raster/streamed_run.h"
#include "platform/raster/elevation_raster.h"
#include "platform/system_memory.h"

namespace sodwright::batch {

namespace {

// Set by an interrupt (Ctrl-C, a scheduler's SIGTERM): the run stops at the
// next strip and removes its temporaries instead of leaving them behind.
volatile std::sig_atomic_t interrupted = 0;
void noteInterrupt(int) { interrupted = 1; }

std::string secondsText(double seconds) { return base::nearestFixedText(seconds, 1); }

// What a failed raster run says of its outputs: none was named, so each
// asked file holds what it held before.
std::string outputsKept(const NibalRasterRun& run) {
  std::string options;
  for (const auto& [option, path] : {std::pair{"--report", &run.report},
                                     {"--csv", &run.csv},
                                     {"--write-raster", &run.writeRaster},
                                     {"--map", &run.map}})
    if (!path->empty()) options += (options.empty() ? "" : ", ") + std::string(option);
  if (options.empty()) return {};
  return "\nThe files given to " + options +
         " were not written; what was there before is unchanged.";
}

// A raster that names no coordinate system is taken in metres. Cells under
// a hundredth of a unit whose edges all lie within longitude and latitude
// ranges are most likely degrees: the slopes would then be off by some 10^5.
std::optional<std::string> degreeCellsWarning(const platform::RasterGeometry& g,
                                              const std::string& name) {
  if (!g.crsWkt.empty() || g.rows < 1 || g.columns < 1) return std::nullopt;
  // From the geotransform itself: the raster module's helpers are not linked here.
  const auto& t = g.transform;
  const double width = std::abs(t[1]), height = std::abs(t[5]);
  if (!(width < 0.01 && height < 0.01)) return std::nullopt;
  for (const double east : {t[0], t[0] + g.columns * t[1]})
    if (!(std::abs(east) <= 180.0)) return std::nullopt;
  for (const double north : {t[3], t[3] + g.rows * t[5]})
    if (!(std::abs(north) <= 90.0)) return std::nullopt;
  return "sodwright-batch nibal: warning: " + name + " names no coordinate system and its cells (" +
         base::generalText(width) + " x " + base::generalText(height) +
         ") lie within longitude and latitude ranges; they are taken as metres. If they are "
         "degrees the results are wrong: reproject the DEM to a projected coordinate system in "
         "metres (or give it one with a .prj file).";
}

}  // namespace

std::optional<std::int64_t> wholeNumberOption(const std::string& name, const std::string& text) {
  std::int64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) {
    printMessage("sodwright-batch nibal: " + name + " takes whole numbers, not \"" + text +
                 "\".\nRun \"sodwright-batch nibal --help\" for the options.");
    return std::nullopt;
  }
  return value;
}

const RasterModule* rasterModuleOrMessage() {
  const base::Result<const RasterModule*> rasters = rasterModule();
  if (!rasters) {
    printMessage(rasters.message());
    return nullptr;
  }
  return *rasters;
}

int runNibalRaster(const NibalRasterRun& run) {
  const RasterModule* const rasters = rasterModuleOrMessage();
  if (!rasters) return 2;
  nibal::StreamedRasterRun streamed;
  streamed.dem = run.dem;
  streamed.window = run.window;
  if (run.tile) {
    // The tile's window needs the DEM's size: the header only.
    const base::Result<platform::RasterGeometry> header = rasters->readGeometry(run.dem);
    if (!header.ok()) {
      printMessage(header.message());
      return 2;
    }
    const base::Result<nibal::RasterWindow> tile = nibal::tileWindow(
        header->columns, header->rows, run.tileSize, *run.tile, rasters->displayName(run.dem));
    if (!tile.ok()) {
      printMessage(tile.message());
      return 2;
    }
    streamed.window = *tile;
  }
  // Header only; a file it cannot read is reported by the run itself.
  if (const base::Result<platform::RasterGeometry> header = rasters->readGeometry(run.dem);
      header.ok())
    if (const auto warning = degreeCellsWarning(*header, rasters->displayName(run.dem)))
      printMessage(*warning);
  streamed.parameters = run.parameters;
  if (run.years) {
    if (const std::optional<int> refused = sayYearsStability(*rasters, run)) return *refused;
    streamed.years = run.years;
  }
  streamed.note = [](std::string_view note) {
    printMessage(std::string(nibal::kNoteTitle) + ": " + std::string(note));
  };
  streamed.report = run.report;
  streamed.csv = run.csv;
  streamed.raster = run.writeRaster;
  streamed.cog = run.cog;
  streamed.date = run.date;
  streamed.threads = run.threads;
  streamed.memoryBudget = platform::usableMemoryBytes();
  if (!run.map.empty()) {
    streamed.mapLayer = run.mapLayer;
    streamed.mapRows = kMapMostRows;
    streamed.mapColumns = kMapMostColumns;
  }
  base::ProgressLine progress(std::cerr, ::isatty(STDERR_FILENO) != 0,
                              base::ProgressLine::steadyClock());
  if (!run.quiet)
    streamed.progress = [&progress](std::int64_t done, std::int64_t lines) {
      progress.update(done, lines);
    };

  streamed.stopRequested = [] { return interrupted != 0; };
  // Afterwards the handlers before (the outputs' cleanup) are back.
  const auto interruptBefore = std::signal(SIGINT, noteInterrupt);
  const auto terminateBefore = std::signal(SIGTERM, noteInterrupt);
  // The rasters, the text files and the map are named together at the end.
  base::OutputBatch outputs;
  const base::Result<nibal::StreamedRasterSummary> done = rasters->runStreamed(streamed);
  std::signal(SIGINT, interruptBefore);
  std::signal(SIGTERM, terminateBefore);
  if (!done.ok()) {
    printMessage(reasonFirst(done.message()) + outputsKept(run));
    return 2;
  }
  // A note, not a fault: --quiet leaves it out, as a tiled run asks it to.
  if (const std::int64_t left = done->cells - done->validCells; left > 0 && !run.quiet)
    printMessage(std::to_string(left) +
                 " no-data nodes: left out of the report and the CSV, no-data in the result "
                 "rasters.");
  if (done->growth) sayYearsGrowth(*done->growth, run.quiet);
  if (done->map) {
    const nibal::BlockMeans& blocks = done->map->blocks;
    if (auto written = writeBlockMapFigureFile(
            run.map, done->map->state, run.mapLayer,
            {blocks.blockSize, blocks.gridRows, blocks.gridColumns}, run.colourLimit);
        !written) {
      printMessage(reasonFirst(written.message()) + outputsKept(run));
      return 2;
    }
  }
  if (auto named = outputs.commit(); !named) {
    printMessage(named.message());
    return 2;
  }
  if (!run.quiet)
    progress.finish("NIBAL: " + std::to_string(done->cells) + " cells, " +
                    std::to_string(done->validCells) + " valid cells, " +
                    secondsText(progress.elapsed()) + " s, " + std::to_string(done->outputBytes) +
                    " bytes written.");
  return 0;
}

Command addNibalTilesCommand(CLI::App& runner) {
  CLI::App* tiles = runner.add_subcommand(
      "nibal-tiles",
      "Lists the square tiles that cover an elevation raster, one line per tile: its number "
      "and its window, \"I XOFF YOFF XSIZE YSIZE\" in cells (XOFF, YOFF from 0 at the "
      "north-west corner, in the order of gdal_translate -srcwin), numbered from 0 along the "
      "lines. \"sodwright-batch nibal --raster DEM --tile I --tile-size N\" runs tile I; a "
      "mosaic of all tiles (gdalbuildvrt) equals the whole run.");
  struct Options {
    std::string dem;
    TextOption tileSize;
  };
  auto options = std::make_shared<Options>();
  tiles->add_option("DEM", options->dem, "single-band elevation raster (.tif, .tiff, .asc)")
      ->required();
  addTextOption(*tiles, options->tileSize, "--tile-size", "N",
                "cells a side of a tile (at least 5)", "")
      ->required();
  return [options] {
    const std::optional<std::int64_t> size =
        wholeNumberOption("--tile-size", options->tileSize.value);
    if (!size) return 2;
    const RasterModule* const rasters = rasterModuleOrMessage();
    if (!rasters) return 2;
    const base::Result<platform::RasterGeometry> header = rasters->readGeometry(options->dem);
    if (!header.ok()) {
      printMessage(header.message());
      return 2;
    }
    // Line by line as the tiles come: a listing of millions of tiles starts
    // at once, holds one line, and ends quietly when its reader stops
    // (| head) instead of dying of SIGPIPE.
    const base::Result<nibal::RasterWindow> first =
        nibal::tileWindow(header->columns, header->rows, *size, 0, options->dem);
    if (!first.ok()) {
      printMessage(first.message());
      return 2;
    }
    const std::int64_t across = (header->columns + *size - 1) / *size;
    const std::int64_t count = across * ((header->rows + *size - 1) / *size);
    const auto pipeBefore = std::signal(SIGPIPE, SIG_IGN);
    std::string line;
    for (std::int64_t i = 0; i < count; ++i) {
      const base::Result<nibal::RasterWindow> tile =
          nibal::tileWindow(header->columns, header->rows, *size, i, options->dem);
      line = std::to_string(i) + " " + nibal::windowText(*tile) + "\n";
      if (std::fwrite(line.data(), 1, line.size(), stdout) != line.size()) break;
    }
    const bool closed = std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
    const int error = errno;
    std::signal(SIGPIPE, pipeBefore);
    if (closed && error == EPIPE) return 0;  // the reader has all it wanted
    if (closed) {
      printMessage("sodwright-batch nibal-tiles: cannot write the list to the standard output: " +
                   std::string(std::strerror(error)));
      return 2;
    }
    return 0;
  };
}

}  // namespace sodwright::batch
