// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// From an elevation raster to NIBAL: the grid window's nodes (within its
// 16-bit node count) and the batch's node-by-node run (without it).

#include <functional>
#include <string>
#include <vector>

#include "nibal/grid_import.h"
#include "nibal/large_grid.h"
#include "platform/raster/elevation_raster.h"
#include "platform/raster/result_raster.h"

namespace sodwright::nibal {

// The raster's size and spacings as the four typed grid sizes would hold
// them; the spacings are written so that they read back to the same number.
nibal::GridDefinition gridDefinition(const platform::RasterGeometry& geometry);

// The nodes as the grid import leaves them: eastings and northings of the
// cell centres, the elevations unchanged.
nibal::GridData gridData(const platform::ElevationRaster& raster);

// The window's refusal of a raster larger than its node count: the size, the
// bound and the batch command that takes it.
std::string tooLargeForWindowMessage(const std::string& path,
                                     const platform::RasterGeometry& geometry, int mostNodes);

// The node-by-node run of a whole raster. `eachRow` (may be empty) sees the
// seven results of every node of row r (counted from 0) as they are
// computed. The value is SoilLossSum, SoilLossRow and SoilLossCol as 32-bit
// floats; a run whose results are not all finite numbers is refused with the
// first node that overflows.
using RowResults = std::function<void(int row, const std::vector<nibal::NodeResults>& nodes)>;
base::Result<std::vector<platform::ResultLayer>> runRasterGrid(
    const platform::ElevationRaster& raster, const nibal::GridCoefficients& coefficients,
    const RowResults& eachRow);

}  // namespace sodwright::nibal
