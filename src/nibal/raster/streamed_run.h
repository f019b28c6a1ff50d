// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// NIBAL over a DEM of any size, read and written a strip of lines at a time:
// the run holds the strip's lines plus two on each side, so its memory
// follows the number of columns, not of lines. A DEM too wide for the stated
// memory budget is refused with both figures, before anything is written:
// narrower windows or tiles run it. The strip's lines are shared
// out among threads; each node's results depend on the DEM alone, so the
// output is the same for any number of threads, and the same as the
// whole-grid walk of the grid window on every node.
//
// No-data cells are the edge of the field: such a node gets the no-data
// value in every result band and is left out of the report and the CSV.
// Every output is written under a temporary name and renamed when complete:
// a failed run leaves no file under an asked name.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "nibal/grid_model.h"
#include "nibal/grid_years.h"
#include "nibal/map_blocks.h"
#include "nibal/raster/raster_window.h"

namespace sodwright::nibal {

struct StreamedRasterRun {
  std::string dem;
  std::optional<RasterWindow> window;  // empty: the whole DEM
  GridParameterTexts parameters;
  // Sees each missing coefficient's note before the run, as the window shows them.
  std::function<void(std::string_view note)> note;
  std::string report;  // empty: none
  std::string csv;     // empty: none
  std::string raster;  // empty: none
  bool cog = false;
  std::string date;
  int threads = 0;     // 0: the machine's cores
  int stripLines = 0;  // 0: aligned to the DEM's blocks and the output's tiles
  // Sees the lines done so far and the window's lines, after each strip.
  std::function<void(std::int64_t done, std::int64_t lines)> progress;
  // Gathers the block means of this layer for a map of at most mapRows x
  // mapColumns pixels (see nibal/map_blocks.h); empty: no map.
  std::optional<MapLayer> mapLayer;
  int mapRows = 600;
  int mapColumns = 800;
  // Asked between strips: true ends the run as a failure (an interrupt).
  std::function<bool()> stopRequested;
  // A run of years instead of one (nibal/raster/streamed_years.h); empty: one year.
  std::optional<YearsSettings> years;
  // The bytes the run may hold (the machine's memory and the process's
  // limits); a DEM whose lines are too long for it is refused before any
  // output is made. 0: unchecked.
  std::uint64_t memoryBudget = 0;
};

inline constexpr std::string_view kRunInterrupted =
    "The run was interrupted; no output was written.";

// The map's block means and the grid state it draws from.
struct StreamedRasterMap {
  BlockMeans blocks;
  GridState state;
};

struct StreamedRasterSummary {
  std::int64_t cells = 0;
  std::int64_t validCells = 0;
  std::uint64_t outputBytes = 0;
  std::vector<std::string> files;  // every file written, report, CSV and rasters
  std::optional<StreamedRasterMap> map;
  // A run of years: how the surface's short waves grew.
  std::optional<YearsGrowth> growth;
};

// The run; on failure the message to show, and no output left behind.
base::Result<StreamedRasterSummary> runStreamedRaster(const StreamedRasterRun& run);

}  // namespace sodwright::nibal
