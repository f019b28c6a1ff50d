// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/raster/raster_drivers.h"

#include <mutex>

#include <gdal.h>
#include <gdal_frmts.h>
#include <gdal_priv.h>

namespace sodwright::platform {

void useRasterDrivers() {
  static std::once_flag once;
  std::call_once(once, [] {
    // No .aux.xml files beside the user's rasters, no directory scans on open,
    // and a block cache of 64 MB rather than a share of the machine's memory.
    CPLSetConfigOption("GDAL_PAM_ENABLED", "NO");
    CPLSetConfigOption("GDAL_DISABLE_READDIR_ON_OPEN", "EMPTY_DIR");
    GDALSetCacheMax64(64 * 1024 * 1024);
    GDALRegister_GTiff();
    GDALRegister_AAIGrid();
    GDALRegister_MEM();
    GDALRegister_COG();  // cloud-optimized copies of a finished GeoTIFF
    // GDAL writes nothing to stderr itself: within an operation its texts go
    // into the program's message (GdalErrors), and none are shown outside one.
    CPLSetErrorHandler(CPLQuietErrorHandler);
  });
}

}  // namespace sodwright::platform
