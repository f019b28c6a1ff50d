// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a streamed run (of one year or of years) starts from: the DEM opened
// for strips, the window of it to compute, the coefficients read as the
// parameter window reads its boxes, and the window as a raster of its own.

#include <memory>

#include "base/result.h"
#include "nibal/grid_state.h"
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

}  // namespace sodwright::nibal
