// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small helpers over GDAL's C++ API shared by the raster reader and writer.

#include <string>
#include <vector>

#include <cpl_error.h>

namespace sodwright::platform {

// While alive, GDAL's errors and warnings come here instead of stderr, so
// that their texts become part of the program's own message.
class GdalErrors {
 public:
  GdalErrors();
  ~GdalErrors();
  GdalErrors(const GdalErrors&) = delete;
  GdalErrors& operator=(const GdalErrors&) = delete;

  // " (GDAL: <error>; <error>)" for the errors GDAL reported so far (its
  // warnings when it reported no error), or empty.
  std::string detail() const;

 private:
  static void CPL_STDCALL collect(CPLErr type, CPLErrorNum number, const char* text);
  std::vector<std::string> errors_;
  std::vector<std::string> warnings_;
};

// The file's own name for messages, without its folders.
std::string displayName(const std::string& path);

}  // namespace sodwright::platform
