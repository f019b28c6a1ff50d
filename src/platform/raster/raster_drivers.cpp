// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/raster/raster_drivers.h"

#include <algorithm>
#include <cctype>
#include <mutex>

#include <gdal.h>
#include <gdal_frmts.h>
#include <gdal_priv.h>

namespace sodwright::platform {

namespace {

std::string lowerExtension(std::string_view path) {
  const std::size_t dot = path.find_last_of('.');
  const std::size_t slash = path.find_last_of("/\\");
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return {};
  std::string ext(path.substr(dot + 1));
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char ch) { return std::tolower(ch); });
  return ext;
}

}  // namespace

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

std::string driverForPath(std::string_view path) {
  const std::string ext = lowerExtension(path);
  if (ext == "tif" || ext == "tiff") return "GTiff";
  if (ext == "asc") return "AAIGrid";
  return {};
}

}  // namespace sodwright::platform
