// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Elevation rasters read and result rasters written a strip of rows at a
// time, so that a run holds a few rows of a DEM of any size.
//
// The reader checks the file as readElevationRaster does, but takes no-data
// cells (they come back as NaN) and reads any rectangle of cells. The writer
// writes a tiled, DEFLATE-compressed GeoTIFF (floating-point predictor,
// BigTIFF when needed) under a temporary name in the output's folder and
// gives it the asked name only when complete: a failed run, a full disk or
// an early end leaves nothing under that name, and the temporary is removed.
// A Cloud-Optimized GeoTIFF or ESRI ASCII grids are made from the complete
// temporary GeoTIFF through GDAL's own drivers.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/files/pending_output.h"
#include "base/result.h"
#include "platform/raster/elevation_raster.h"

class GDALDataset;

namespace sodwright::platform {

// Closes a dataset as GDAL wants it closed (flushing what is left).
struct CloseDataset {
  void operator()(GDALDataset* dataset) const;
};
using DatasetHandle = std::unique_ptr<GDALDataset, CloseDataset>;

// GDAL's block cache for the run, in bytes: a fixed bound, so that memory
// follows the strip width and not the raster's size.
void setRasterCacheBytes(std::int64_t bytes);

class ElevationStrips {
 public:
  // Opens and checks the header (and the words of an ESRI ASCII grid); reads
  // no cell.
  static base::Result<std::unique_ptr<ElevationStrips>> open(const std::string& path);
  ~ElevationStrips();

  const RasterGeometry& geometry() const { return geometry_; }
  // Lines in one of the file's blocks: strips that begin on a multiple of it
  // read each block once.
  int blockLines() const { return blockLines_; }
  // Bytes of one of the file's blocks as the raster library holds it.
  std::int64_t blockBytes() const { return blockBytes_; }

  // Cells of lines firstLine.. and columns firstColumn.. (counted from 0)
  // into out, rows outer with `columns` values each: elevations with scale
  // and offset applied, NaN for no-data. Refused: a NaN or infinite value that
  // is not the no-data value, and a file that breaks off (the message names
  // the first line that cannot be read).
  base::Result<> read(int firstLine, int lines, int firstColumn, int columns, double* out);

 private:
  ElevationStrips() = default;
  std::string path_;
  DatasetHandle dataset_;
  RasterGeometry geometry_;
  int blockLines_ = 1;
  std::int64_t blockBytes_ = 0;
  bool hasNoData_ = false;
  double noData_ = 0.0;
  double scale_ = 1.0;
  double offset_ = 0.0;
};

// The value result bands hold at no-data nodes: the lowest 32-bit float.
double resultNoData();

class ResultRasterWriter {
 public:
  // A writer of float bands named `bands`, georeferenced by `geometry`, to
  // `path` (.tif/.tiff: one file of all bands; .asc: one file per band named
  // as resultRasterPaths says); `cog` makes the GeoTIFF cloud-optimized with
  // overviews; `descriptions` describe the bands (their names when empty).
  static base::Result<std::unique_ptr<ResultRasterWriter>> create(
      const std::string& path, const RasterGeometry& geometry,
      const std::vector<std::string>& bands, bool cog,
      const std::vector<std::string>& descriptions = {});
  ~ResultRasterWriter();  // removes the temporaries of an unfinished file

  // Lines firstLine.. of every band, each `lines` x columns values.
  base::Result<> write(int firstLine, int lines, const std::vector<const float*>& bands);
  // Completes the files and gives them their names; the value is the files.
  base::Result<std::vector<std::string>> finish();
  // The size of the files written, once finished.
  std::uint64_t bytes() const { return bytes_; }
  // The GeoTIFF's tile height: strips that are a multiple of it write
  // whole tiles.
  static constexpr int kTileLines = 256;

 private:
  ResultRasterWriter() = default;
  void removeTemporaries();
  std::string path_;
  std::string driver_;
  bool cog_ = false;
  std::vector<std::string> bandNames_;
  RasterGeometry geometry_;
  // The files being written under temporary names, the whole GeoTIFF first;
  // each is removed unless renamed onto its output.
  std::vector<base::PendingPath> pending_;
  DatasetHandle dataset_;
  std::uint64_t bytes_ = 0;
};

}  // namespace sodwright::platform
