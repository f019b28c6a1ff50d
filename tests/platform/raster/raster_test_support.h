// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small rasters made with GDAL's own API for the raster tests, in a fresh
// folder per test.

#include <array>
#include <filesystem>
#include <functional>
#include <string>

#include <gdal_priv.h>
#include <ogr_spatialref.h>

#include "platform/raster/raster_drivers.h"

namespace sodwright::platform::testing {

// A projected system in metres (UTM 33 N).
inline constexpr int kUtmZone33 = 32633;

struct RasterShape {
  int rows = 6;
  int columns = 5;
  int bands = 1;
  // Origin (west, north), cell width 2 m, cell height 3 m, north up.
  std::array<double, 6> transform{500000.0, 2.0, 0.0, 5200000.0, 0.0, -3.0};
  int epsg = kUtmZone33;  // 0: no coordinate system
  bool georeferenced = true;
  GDALDataType type = GDT_Float64;
  bool setNoData = false;
  double noData = -9999.0;
  std::function<double(int row, int column)> value = [](int, int) { return 0.0; };
};

inline std::string crsWkt(int epsg) {
  OGRSpatialReference crs;
  crs.importFromEPSG(epsg);
  char* wkt = nullptr;
  crs.exportToWkt(&wkt);
  std::string text = wkt;
  CPLFree(wkt);
  return text;
}

// Writes the raster with the driver its extension names (GTiff or AAIGrid).
inline void writeRaster(const std::string& path, const RasterShape& shape) {
  useRasterDrivers();
  GDALDriver* memory = GetGDALDriverManager()->GetDriverByName("MEM");
  GDALDatasetUniquePtr source(
      memory->Create("", shape.columns, shape.rows, shape.bands, shape.type, nullptr));
  std::array<double, 6> transform = shape.transform;
  if (shape.georeferenced) source->SetGeoTransform(transform.data());
  if (shape.epsg != 0) source->SetProjection(crsWkt(shape.epsg).c_str());
  for (int b = 1; b <= shape.bands; ++b) {
    GDALRasterBand* band = source->GetRasterBand(b);
    if (shape.setNoData) band->SetNoDataValue(shape.noData);
    for (int r = 0; r < shape.rows; ++r)
      for (int c = 0; c < shape.columns; ++c) {
        double v = shape.value(r, c);
        if (band->RasterIO(GF_Write, c, r, 1, 1, &v, 1, 1, GDT_Float64, 0, 0, nullptr) != CE_None)
          throw std::runtime_error("cannot fill the test raster");
      }
  }
  GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(driverForPath(path).c_str());
  GDALDatasetUniquePtr written(
      driver->CreateCopy(path.c_str(), source.get(), FALSE, nullptr, nullptr, nullptr));
  if (!written) throw std::runtime_error("cannot write the test raster " + path);
}

// A folder of its own under the system's temporary folder, removed at the end.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& name)
      : path_(std::filesystem::temp_directory_path() / ("sodwright-raster-" + name)) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() { std::filesystem::remove_all(path_); }
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

}  // namespace sodwright::platform::testing
