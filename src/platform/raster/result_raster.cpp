// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/raster/result_raster.h"

#include <charconv>
#include <cstdint>

#include <gdal_priv.h>

#include "platform/raster/gdal_support.h"
#include "platform/raster/raster_drivers.h"

namespace sodwright::platform {

namespace {

// The MEM driver's option naming a band's buffer, the address in hexadecimal.
std::string dataPointerOption(const void* data) {
  char digits[2 * sizeof(std::uintptr_t)];
  const auto written =
      std::to_chars(digits, digits + sizeof digits, reinterpret_cast<std::uintptr_t>(data), 16);
  return "DATAPOINTER=0x" + std::string(digits, written.ptr);
}

// An in-memory raster over the layers' own buffers (nothing is copied), with
// the DEM's georeferencing; GDAL's CreateCopy then writes it in any format.
GDALDatasetUniquePtr memoryRaster(const RasterGeometry& g,
                                  const std::vector<const ResultLayer*>& layers) {
  GDALDriver* memory = GetGDALDriverManager()->GetDriverByName("MEM");
  if (memory == nullptr) return nullptr;
  GDALDatasetUniquePtr dataset(memory->Create("", g.columns, g.rows, 0, GDT_Float32, nullptr));
  if (!dataset) return nullptr;
  std::array<double, 6> transform = g.fileTransform();
  dataset->SetGeoTransform(transform.data());
  if (!g.crsWkt.empty()) dataset->SetProjection(g.crsWkt.c_str());
  for (const ResultLayer* layer : layers) {
    std::string pointer = dataPointerOption(layer->values.data());
    char* options[] = {pointer.data(), nullptr};
    if (dataset->AddBand(GDT_Float32, options) != CE_None) return nullptr;
    dataset->GetRasterBand(dataset->GetRasterCount())
        ->SetDescription((layer->description.empty() ? layer->name : layer->description).c_str());
  }
  return dataset;
}

base::Result<> copyTo(const std::string& driverName, const std::string& file,
                      const RasterGeometry& g, const std::vector<const ResultLayer*>& layers) {
  const GdalErrors gdal;
  GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(driverName.c_str());
  GDALDatasetUniquePtr source = memoryRaster(g, layers);
  if (driver == nullptr || !source)
    return base::fail("the in-memory raster could not be made" + gdal.detail());
  // BigTIFF only where a classic TIFF could not hold the file; nine
  // significant digits give every 32-bit float back from the text grid.
  const char* tiffOptions[] = {"BIGTIFF=IF_SAFER", nullptr};
  const char* textOptions[] = {"SIGNIFICANT_DIGITS=9", nullptr};
  const char* const* options = driverName == "GTiff" ? tiffOptions : textOptions;
  GDALDatasetUniquePtr written(
      driver->CreateCopy(file.c_str(), source.get(), FALSE, options, nullptr, nullptr));
  if (!written) return base::fail("cannot write " + file + gdal.detail());
  written->FlushCache(true);
  if (CPLGetLastErrorType() == CE_Failure)
    return base::fail("cannot write " + file + gdal.detail());
  written.reset();  // closing writes what is left
  if (CPLGetLastErrorType() == CE_Failure)
    return base::fail("cannot write " + file + gdal.detail());
  return {};
}

}  // namespace

base::Result<std::vector<std::string>> writeResultRasterFiles(
    const std::string& path, const RasterGeometry& geometry,
    const std::vector<ResultLayer>& layers) {
  useRasterDrivers();
  const std::string driver = driverForPath(path);
  if (driver.empty())
    return base::fail("Cannot write " + displayName(path) +
                      ": a result raster is a GeoTIFF (.tif, .tiff) or an ESRI ASCII grid (.asc)");
  const auto expected = static_cast<std::size_t>(geometry.nodeCount());
  for (const ResultLayer& layer : layers)
    if (layer.values.size() != expected)
      return base::fail("Cannot write " + displayName(path) + ": layer " + layer.name +
                        " has the wrong size");
  if (driver == "AAIGrid" && geometry.rowSpacing() != geometry.columnSpacing())
    return base::fail("Cannot write " + displayName(path) +
                      ": an ESRI ASCII grid holds square cells only, and "
                      "these are " +
                      exactText(geometry.rowSpacing()) + " by " +
                      exactText(geometry.columnSpacing()) + "; write a GeoTIFF (.tif) instead");
  const GdalErrors gdal;  // whatever GDAL says outside a file's own copy
  const std::vector<std::string> files = resultRasterPaths(path, layers);
  // A south-up DEM's results go back in its own line order: copies with the
  // lines reversed (the window's grids are small).
  std::vector<ResultLayer> flipped;
  if (geometry.southUp) {
    const auto width = static_cast<std::size_t>(geometry.columns);
    for (const ResultLayer& layer : layers) {
      ResultLayer copy{layer.name, {}, layer.description};
      copy.values.reserve(layer.values.size());
      for (int r = geometry.rows - 1; r >= 0; --r) {
        const auto line =
            layer.values.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(r) * width);
        copy.values.insert(copy.values.end(), line, line + static_cast<std::ptrdiff_t>(width));
      }
      flipped.push_back(std::move(copy));
    }
  }
  const std::vector<ResultLayer>& written = geometry.southUp ? flipped : layers;
  if (driver == "GTiff") {
    std::vector<const ResultLayer*> all;
    for (const ResultLayer& layer : written) all.push_back(&layer);
    if (auto copied = copyTo(driver, path, geometry, all); !copied)
      return base::fail("Cannot write the result raster: " + copied.message());
  } else {
    for (std::size_t i = 0; i < written.size(); ++i)
      if (auto copied = copyTo(driver, files[i], geometry, {&written[i]}); !copied)
        return base::fail("Cannot write the result raster: " + copied.message());
  }
  return files;
}

}  // namespace sodwright::platform
