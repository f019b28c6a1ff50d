#include "platform/raster/gdal_support.h"

namespace sodwright::platform {

std::string displayName(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace sodwright::platform
