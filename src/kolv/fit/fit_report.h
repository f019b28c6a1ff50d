// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a fit reports: the text for people, JSON for scripts and the
// residuals as CSV.

#include <string>

#include "kolv/fit/fit_solver.h"

namespace sodwright::kolv {

// What the report says about where the data came from.
struct FitReportContext {
  std::string observedName;  // the measured file as given
  FitColumn column = FitColumn::Elevation;
  std::string substanceUnit;
  Int16 startSequence = 0;
  Int16 observedSequence = 0;
  int points = 0;  // points compared and left out together
};

std::string fitReportText(const FitResult& result, const FitReportContext& context);
std::string fitReportJson(const FitResult& result, const FitReportContext& context);
// distance, observed, simulated, residual (observed - simulated), end-zone flag.
std::string fitResidualsCsv(const FitResult& result, const FitReportContext& context);

}  // namespace sodwright::kolv
