// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// sodwright-batch nibal --raster: NIBAL on an elevation raster node by node,
// without the windows' 16-bit node count, writing any of the text report,
// the CSV of every node and result rasters georeferenced like the DEM.

#include <functional>
#include <string>
#include <vector>

#include "nibal/grid_model.h"
#include "nibal/large_grid.h"

namespace sodwright::batch {

struct NibalRasterRun {
  std::string dem;
  nibal::GridParameterTexts parameters;
  std::string report;       // empty: no report
  std::string csv;          // empty: no CSV
  std::string writeRaster;  // empty: no result rasters
  std::string date;
  // Sees each row's elevations and results as they are computed (the map
  // gathers its block means there); may be empty.
  std::function<void(int row, const double* elevations,
                     const std::vector<nibal::NodeResults>& nodes)>
      eachRow;
};

// The exit status: 0, or 2 after the message on standard error.
int runNibalRaster(const NibalRasterRun& run);

}  // namespace sodwright::batch
