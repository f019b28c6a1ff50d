#pragma once
// Small helpers over GDAL's C++ API shared by the raster reader and writer.

#include <cpl_error.h>

#include <string>

namespace sodwright::platform {

// While alive, GDAL's errors and warnings are kept from stderr; the last one
// is read back to put into the program's own message.
class QuietGdalErrors {
 public:
  QuietGdalErrors() {
    CPLPushErrorHandler(CPLQuietErrorHandler);
    CPLErrorReset();
  }
  ~QuietGdalErrors() { CPLPopErrorHandler(); }
  QuietGdalErrors(const QuietGdalErrors&) = delete;
  QuietGdalErrors& operator=(const QuietGdalErrors&) = delete;

  // " (GDAL: <message>)" for the last error, or empty.
  static std::string detail() {
    const char* text = CPLGetLastErrorMsg();
    if (text == nullptr || *text == '\0') return {};
    return std::string(" (GDAL: ") + text + ")";
  }
};

// The file's own name for messages, without its folders.
std::string displayName(const std::string& path);

}  // namespace sodwright::platform
