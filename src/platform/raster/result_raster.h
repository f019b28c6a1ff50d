// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing NIBAL results as rasters georeferenced like the DEM they came from:
// the same size, geotransform and coordinate system, values as 32-bit floats.
//
// The format follows the extension. A GeoTIFF (.tif, .tiff) holds every
// layer as a band of one file, in the order given, each band described by
// its layer's name (SoilLossSum, SoilLossRow, SoilLossCol), so a GIS shows
// the first band by default. An ESRI ASCII grid (.asc) holds one band only,
// so each layer goes to a file of its own named after the output with the
// layer's name added: loss.asc gives loss_SoilLossSum.asc, and so on.

#include <string>
#include <vector>

#include "platform/raster/elevation_raster.h"

namespace sodwright::platform {

// One result grid in node order (rows outer, columns inner).
struct ResultLayer {
  std::string name;  // names the file of a one-band format
  std::vector<float> values;
  std::string description;  // the band's description; the name when empty
};

// The files the layers go to, in the order written; empty for an extension
// that is not a raster format the program writes.
std::vector<std::string> resultRasterPaths(const std::string& path,
                                           const std::vector<ResultLayer>& layers);

// Writes the layers; the value is the list of files written.
base::Result<std::vector<std::string>> writeResultRasterFiles(
    const std::string& path, const RasterGeometry& geometry,
    const std::vector<ResultLayer>& layers);

}  // namespace sodwright::platform
