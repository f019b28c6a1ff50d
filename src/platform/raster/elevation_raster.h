// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading a single-band elevation raster (a DEM) through GDAL for NIBAL.
//
// Raster lines are grid rows and raster columns grid columns, in file order:
// grid row 1 is the raster's first (top, northern) line and grid column 1 its
// first (western) column. So the row direction runs east along a raster line
// with the cell width as `RowSpacing`, and the column direction runs south
// down a raster column with the cell height as `ColumnSpacing`. Eastings and
// northings are the cell centres from the geotransform.
//
// A south-up raster (lines from the south) is read as its north-up twin.
//
// Refused, each with a message naming the file and what to do: a file GDAL
// cannot open as GeoTIFF or ESRI ASCII grid, a header claiming more cells
// than the file could hold, more than one band, complex
// values, no georeferencing, a rotated or sheared geotransform, cells in
// degrees (a geographic coordinate system), fewer than 4 x 4 nodes, more
// nodes than the caller allows (checked before any memory is taken), no-data
// cells, NaN or infinite values, and a file that breaks off while read.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/result.h"

namespace sodwright::platform {

// Where the nodes of a raster lie. Nodes are counted from 0 here.
struct RasterGeometry {
  int rows = 0;
  int columns = 0;
  // GDAL's geotransform: x = t0 + (column + 0.5) t1 at a cell centre,
  // y = t3 + (row + 0.5) t5; t2 and t4 are 0 (rotated rasters are refused).
  std::array<double, 6> transform{0.0, 1.0, 0.0, 0.0, 0.0, 1.0};
  std::string crsWkt;  // empty when the file names no coordinate system
  // The file's lines run south to north (a positive line step). The readers
  // give them north first all the same, with the north-up transform above,
  // and the writers put results back in the file's order.
  bool southUp = false;

  std::array<double, 6> fileTransform() const;  // the transform as the file holds it

  std::int64_t nodeCount() const { return static_cast<std::int64_t>(rows) * columns; }
  double rowSpacing() const;     // cell width, along a raster line
  double columnSpacing() const;  // cell height, down a raster column
  double easting(int column) const;
  double northing(int row) const;
};

// The elevations in node order (rows outer, columns inner), with the band's
// scale and offset applied.
struct ElevationRaster {
  RasterGeometry geometry;
  std::vector<double> elevation;
};

// A bound for reading a whole raster into memory: about 1 GB of working
// memory with three result layers (a 7,000 x 7,000 DEM). The batch's raster
// run streams (raster_stream.h) and needs none.
inline constexpr std::int64_t kMostBatchNodes = 50'000'000;

// Opens the raster and checks everything but its values; reads no cells.
base::Result<RasterGeometry> readRasterGeometry(const std::string& path);

// Reads and checks the whole raster. More than `mostNodes` nodes are refused
// before anything is allocated.
// `noDataRefused`, when given, tells whether the refusal was for no-data
// cells (which the batch takes).
base::Result<ElevationRaster> readElevationRaster(const std::string& path, std::int64_t mostNodes,
                                                  bool* noDataRefused = nullptr);

// A number written so that reading it back gives the same double.
std::string exactText(double value);

}  // namespace sodwright::platform
