// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/raster/raster_grid_import.h"

#include "nibal/raster/raster_grid.h"
#include "platform/raster/gdal_support.h"

namespace sodwright::nibal {

std::string noDataForWindowDetail(const std::string& path) {
  return "The batch runner takes no-data cells as the edge of the field:\n"
         "sodwright-batch nibal --raster " +
         platform::displayName(path) + " --write-raster results.tif";
}

base::Result<ImportedGrid> readWindowRaster(const std::string& path, std::string* detail) {
  const base::Result<platform::RasterGeometry> header = platform::readRasterGeometry(path);
  if (!header.ok()) return base::fail(header.message());
  if (header->nodeCount() > kMostWindowNodes)
    return base::fail(tooLargeForWindowMessage(path, *header, kMostWindowNodes));
  bool noData = false;
  base::Result<platform::ElevationRaster> read =
      platform::readElevationRaster(path, kMostWindowNodes, &noData);
  if (!read.ok()) {
    if (noData && detail != nullptr) *detail = noDataForWindowDetail(path);
    return base::fail(read.message());
  }
  return ImportedGrid{gridDefinition(read->geometry), gridData(*read)};
}

}  // namespace sodwright::nibal
