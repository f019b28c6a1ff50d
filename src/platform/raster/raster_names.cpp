// SPDX-License-Identifier: GPL-3.0-or-later
// The names of the raster files, apart from GDAL: the runner names a run's
// outputs (to check them against its inputs) before, or without, loading it.
#include <algorithm>
#include <cctype>

#include "platform/raster/raster_drivers.h"
#include "platform/raster/result_raster.h"

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

std::string withLayerName(const std::string& path, const std::string& name) {
  const std::size_t dot = path.find_last_of('.');
  return path.substr(0, dot) + "_" + name + path.substr(dot);
}

}  // namespace

std::string driverForPath(std::string_view path) {
  const std::string ext = lowerExtension(path);
  if (ext == "tif" || ext == "tiff") return "GTiff";
  if (ext == "asc") return "AAIGrid";
  return {};
}

std::vector<std::string> resultRasterPaths(const std::string& path,
                                           const std::vector<ResultLayer>& layers) {
  const std::string driver = driverForPath(path);
  if (driver == "GTiff") return {path};
  std::vector<std::string> files;
  if (driver == "AAIGrid")
    for (const ResultLayer& layer : layers) files.push_back(withLayerName(path, layer.name));
  return files;
}

}  // namespace sodwright::platform
