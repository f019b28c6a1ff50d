// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The raster formats the program offers, and GDAL set up to read and write
// only those: GeoTIFF and ESRI ASCII grid (plus GDAL's in-memory rasters,
// which the writer builds its output from). Registering only these keeps
// every other GDAL driver away from the files a user opens.

#include <string>
#include <string_view>

namespace sodwright::platform {

// Registers the drivers once per process and keeps GDAL from writing
// sidecar files or caching more than a little memory. Safe to call often.
void useRasterDrivers();

// The file dialog filter entry listing the raster kinds.
inline constexpr std::string_view kRasterFilter = "Elevation rasters (*.tif *.tiff *.asc)";

// The raster extensions written into a filter, "*.tif *.tiff *.asc".
inline constexpr std::string_view kRasterPatterns = "*.tif *.tiff *.asc";

// The GDAL driver that writes files with this name's extension: "GTiff" for
// .tif and .tiff, "AAIGrid" for .asc; empty for any other name.
std::string driverForPath(std::string_view path);

}  // namespace sodwright::platform
