#include "grid/raster/raster_grid_import.h"

#include "grid/raster/raster_grid.h"

namespace sodwright::nibal {

shell::Result<ImportedGrid> readWindowRaster(const std::string& path) {
  const shell::Result<platform::RasterGeometry> header = platform::readRasterGeometry(path);
  if (!header.ok()) return shell::fail(header.message());
  if (header->nodeCount() > kMostWindowNodes)
    return shell::fail(tooLargeForWindowMessage(path, *header, kMostWindowNodes));
  shell::Result<platform::ElevationRaster> read =
      platform::readElevationRaster(path, kMostWindowNodes);
  if (!read.ok()) return shell::fail(read.message());
  return ImportedGrid{gridDefinition(read->geometry), gridData(*read)};
}

}  // namespace sodwright::nibal
