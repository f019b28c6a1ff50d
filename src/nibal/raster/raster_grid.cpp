// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/raster/raster_grid.h"

#include <cmath>

#include "nibal/grid_messages.h"
#include "nibal/grid_model.h"
#include "nibal/soil_loss_text.h"
#include "platform/raster/gdal_support.h"

namespace sodwright::nibal {

nibal::GridDefinition gridDefinition(const platform::RasterGeometry& geometry) {
  nibal::GridDefinition definition;
  definition.rows = geometry.rows;
  definition.columns = geometry.columns;
  definition.rowsText = std::to_string(geometry.rows);
  definition.columnsText = std::to_string(geometry.columns);
  definition.rowSpacingText = platform::exactText(geometry.rowSpacing());
  definition.columnSpacingText = platform::exactText(geometry.columnSpacing());
  return definition;
}

nibal::GridData gridData(const platform::ElevationRaster& raster) {
  const platform::RasterGeometry& g = raster.geometry;
  nibal::GridData data;
  data.easting.allocate(g.rows, g.columns);
  data.northing.allocate(g.rows, g.columns);
  data.elevation.allocate(g.rows, g.columns);
  std::size_t at = 0;
  for (int r = 0; r < g.rows; ++r) {
    for (int c = 0; c < g.columns; ++c) {
      data.easting(r + 1, c + 1) = g.easting(c);
      data.northing(r + 1, c + 1) = g.northing(r);
      data.elevation(r + 1, c + 1) = raster.elevation[at++];
    }
  }
  return data;
}

std::string tooLargeForWindowMessage(const std::string& path,
                                     const platform::RasterGeometry& geometry, int mostNodes) {
  return platform::displayName(path) + " has " + std::to_string(geometry.rows) + " rows x " +
         std::to_string(geometry.columns) + " columns = " + std::to_string(geometry.nodeCount()) +
         " nodes; the grid window takes at most " + std::to_string(mostNodes) +
         " nodes. Run larger rasters with the batch runner:\n"
         "sodwright-batch nibal --raster " +
         platform::displayName(path) + " --write-raster results.tif";
}

base::Result<std::vector<platform::ResultLayer>> runRasterGrid(
    const platform::ElevationRaster& raster, const nibal::GridCoefficients& coefficients,
    const RowResults& eachRow) {
  const platform::RasterGeometry& g = raster.geometry;
  const nibal::ElevationView view{raster.elevation.data(), g.rows, g.columns, g.rowSpacing(),
                                  g.columnSpacing()};
  const auto nodes = static_cast<std::size_t>(g.nodeCount());
  std::vector<platform::ResultLayer> layers{
      {"SoilLossSum", {}, std::string(nibal::kSoilLossSumBand)},
      {"SoilLossRow", {}, std::string(nibal::kSoilLossRowBand)},
      {"SoilLossCol", {}, std::string(nibal::kSoilLossColBand)}};
  for (platform::ResultLayer& layer : layers) layer.values.resize(nodes);
  std::vector<nibal::NodeResults> row(static_cast<std::size_t>(g.columns));
  std::size_t at = 0;
  for (int r = 0; r < g.rows; ++r) {
    nibal::computeRow(view, coefficients, r, row.data());
    for (int c = 0; c < g.columns; ++c, ++at) {
      const nibal::NodeResults& n = row[static_cast<std::size_t>(c)];
      layers[0].values[at] = static_cast<float>(n.soilLossSum);
      layers[1].values[at] = static_cast<float>(n.soilLossRow);
      layers[2].values[at] = static_cast<float>(n.soilLossCol);
      if (const char* name = nibal::firstNonFiniteResult(n))
        return base::fail(nibal::nonFiniteRunMessage({name, r + 1, c + 1}));
      for (const platform::ResultLayer& layer : layers)
        if (!std::isfinite(layer.values[at]))
          return base::fail(std::string(nibal::kOutputFailed) + "\nThe result " + layer.name +
                            " at row " + std::to_string(r + 1) + ", column " +
                            std::to_string(c + 1) + " is too large for a 32-bit float.");
    }
    if (eachRow) eachRow(r, row);
  }
  return layers;
}

}  // namespace sodwright::nibal
