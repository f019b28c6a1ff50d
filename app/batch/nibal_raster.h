// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// sodwright-batch nibal --raster: NIBAL on an elevation raster of any size,
// streamed a strip at a time (nibal/raster/streamed_run.h), writing any of
// the text report, the CSV of every node and result rasters georeferenced
// like the DEM or the window of it; and sodwright-batch nibal-tiles, the
// list of tiles a scheduler hands out.

#include <cstdint>
#include <optional>
#include <string>

#include "batch/batch_commands.h"
#include "nibal/grid_model.h"
#include "nibal/grid_years.h"
#include "nibal/map_geometry.h"
#include "nibal/raster/raster_window.h"

namespace sodwright::batch {

struct NibalRasterRun {
  std::string dem;
  nibal::GridParameterTexts parameters;
  std::string report;       // empty: no report
  std::string csv;          // empty: no CSV
  std::string writeRaster;  // empty: no result rasters
  std::string date;
  std::optional<nibal::RasterWindow> window;
  // A tile instead of a window: its number and size.
  std::optional<std::int64_t> tile;
  std::int64_t tileSize = 0;
  bool cog = false;
  bool quiet = false;
  int threads = 0;
  std::string map;  // empty: no map
  nibal::MapLayer mapLayer = nibal::MapLayer::SoilLossSum;
  std::optional<double> colourLimit;  // empty: the percentile of the magnitudes
  // A run of years (batch/nibal_years.h); empty: one year.
  std::optional<nibal::YearsSettings> years;
  bool strict = false;  // refuse a run of years whose step amplifies (exit status 3)
};

// The exit status: 0, or 2 after the message on standard error.
int runNibalRaster(const NibalRasterRun& run);

struct RasterModule;
// The raster module (batch_modules.h), or null after the message on
// standard error saying why it cannot be loaded.
const RasterModule* rasterModuleOrMessage();

// A whole number option's text, or empty after the message naming the option.
std::optional<std::int64_t> wholeNumberOption(const std::string& name, const std::string& text);

}  // namespace sodwright::batch
