// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/raster/raster_grid_import.h"

#include "nibal/raster/raster_grid.h"

namespace sodwright::nibal {

base::Result<ImportedGrid> readWindowRaster(const std::string& path) {
  const base::Result<platform::RasterGeometry> header = platform::readRasterGeometry(path);
  if (!header.ok()) return base::fail(header.message());
  if (header->nodeCount() > kMostWindowNodes)
    return base::fail(tooLargeForWindowMessage(path, *header, kMostWindowNodes));
  base::Result<platform::ElevationRaster> read =
      platform::readElevationRaster(path, kMostWindowNodes);
  if (!read.ok()) return base::fail(read.message());
  return ImportedGrid{gridDefinition(read->geometry), gridData(*read)};
}

}  // namespace sodwright::nibal
