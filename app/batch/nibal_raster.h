// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// sodwright-batch nibal --raster: NIBAL on an elevation raster node by node,
// without the windows' 16-bit node count, writing any of the text report,
// the CSV of every node and result rasters georeferenced like the DEM.

#include <string>

#include "nibal/grid_model.h"

namespace sodwright::batch {

struct NibalRasterRun {
  std::string dem;
  nibal::GridParameterTexts parameters;
  std::string report;       // empty: no report
  std::string csv;          // empty: no CSV
  std::string writeRaster;  // empty: no result rasters
  std::string date;
};

// The exit status: 0, or 2 after the message on standard error.
int runNibalRaster(const NibalRasterRun& run);

}  // namespace sodwright::batch
