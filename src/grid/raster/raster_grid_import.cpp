#include "grid/raster/raster_grid_import.h"

#include "grid/raster/raster_grid.h"

namespace sodwright::raster {

shell::Result<nibal::ImportedGrid> readWindowRaster(const std::string& path) {
  const RasterResult<RasterGeometry> header = readRasterGeometry(path);
  if (!header.ok()) return shell::fail(header.message);
  if (header.value->nodeCount() > kMostWindowNodes)
    return shell::fail(tooLargeForWindowMessage(path, *header.value, kMostWindowNodes));
  const RasterResult<ElevationRaster> read = readElevationRaster(path, kMostWindowNodes);
  if (!read.ok()) return shell::fail(read.message);
  return nibal::ImportedGrid{gridDefinition(read.value->geometry), gridData(*read.value)};
}

}  // namespace sodwright::raster
