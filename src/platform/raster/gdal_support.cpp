// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/raster/gdal_support.h"

#include <algorithm>

namespace sodwright::platform {

namespace {

// A damaged strip is reported once per block read; a few texts tell the reason.
constexpr std::size_t kMostTexts = 3;

void keep(std::vector<std::string>& texts, const char* text) {
  if (text == nullptr || *text == '\0' || texts.size() >= kMostTexts) return;
  if (std::find(texts.begin(), texts.end(), text) == texts.end()) texts.emplace_back(text);
}

std::string joined(const std::vector<std::string>& texts) {
  std::string out;
  for (const std::string& text : texts) out += (out.empty() ? "" : "; ") + text;
  return out;
}

}  // namespace

GdalErrors::GdalErrors() {
  CPLPushErrorHandlerEx(&GdalErrors::collect, this);
  CPLErrorReset();
}

GdalErrors::~GdalErrors() { CPLPopErrorHandler(); }

void CPL_STDCALL GdalErrors::collect(CPLErr type, CPLErrorNum, const char* text) {
  auto* self = static_cast<GdalErrors*>(CPLGetErrorHandlerUserData());
  if (self == nullptr || type == CE_None || type == CE_Debug) return;
  keep(type == CE_Warning ? self->warnings_ : self->errors_, text);
}

std::string GdalErrors::detail() const {
  const std::string texts = joined(errors_.empty() ? warnings_ : errors_);
  return texts.empty() ? std::string() : " (GDAL: " + texts + ")";
}

std::string displayName(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace sodwright::platform
