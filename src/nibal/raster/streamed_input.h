// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a streamed run (of one year or of years) starts from: the DEM opened
// for strips, the window of it to compute, the coefficients read as the
// parameter window reads its boxes, and the window as a raster of its own.

#include <cstdint>
#include <memory>
#include <string>

#include "base/result.h"
#include "nibal/grid_state.h"
#include "nibal/large_grid.h"
#include "nibal/raster/raster_window.h"
#include "nibal/raster/streamed_run.h"
#include "platform/raster/raster_stream.h"

namespace sodwright::nibal {

struct StreamedInput {
  std::unique_ptr<platform::ElevationStrips> dem;
  RasterWindow window;
  GridInfo info;
  // The window, georeferenced where it lies in the DEM.
  platform::RasterGeometry geometry;
};

// Refuses a DEM that cannot be opened, a window outside it and a run with
// every coefficient missing; the parameters' notes go to run.note.
base::Result<StreamedInput> openStreamedInput(const StreamedRasterRun& run);

// Lines y0 .. y1 - 1 of the window (counted from its first line) read into
// `cells` with `halo` lines above and below where the DEM has them, columns
// `left` .. `left + readColumns - 1` of the DEM: the block a strip computes on.
base::Result<ElevationBlock> readHaloStrip(platform::ElevationStrips& dem,
                                           const RasterWindow& window, std::int64_t y0,
                                           std::int64_t y1, std::int64_t halo, std::int64_t left,
                                           int readColumns, double* cells);

// Address space a worker thread takes whatever it computes: its stack and
// the allocator's arena of its own.
inline constexpr std::uint64_t kThreadBytes = std::uint64_t{72} << 20;

// The refusal of a run whose strips need more than `budget` bytes, with both
// figures in whole megabytes (the need rounded up, the budget down).
std::string tooWideMessage(const std::string& dem, std::int64_t columns, std::uint64_t need,
                           std::uint64_t budget, int strip, int threads);

}  // namespace sodwright::nibal
