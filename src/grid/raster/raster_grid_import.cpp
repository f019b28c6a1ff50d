#include "grid/raster/raster_grid_import.h"

#include "grid/raster/raster_grid.h"

namespace sodwright::nibal {

shell::Result<ImportedGrid> readWindowRaster(const std::string& path) {
  const platform::RasterResult<platform::RasterGeometry> header =
      platform::readRasterGeometry(path);
  if (!header.ok()) return shell::fail(header.message);
  if (header.value->nodeCount() > kMostWindowNodes)
    return shell::fail(tooLargeForWindowMessage(path, *header.value, kMostWindowNodes));
  const platform::RasterResult<platform::ElevationRaster> read =
      platform::readElevationRaster(path, kMostWindowNodes);
  if (!read.ok()) return shell::fail(read.message);
  return ImportedGrid{gridDefinition(read.value->geometry), gridData(*read.value)};
}

}  // namespace sodwright::nibal
