// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/nibal_years.h"

#include <cmath>
#include <iostream>
#include <string>

#include "base/number_text.h"
#include "batch/batch_modules.h"
#include "batch/batch_services.h"
#include "nibal/grid_model.h"
#include "nibal/grid_stability.h"

namespace sodwright::batch {

namespace {

std::string passesText(long long passes) {
  return std::to_string(passes) + (passes == 1 ? " pass" : " passes") + " a year";
}

}  // namespace

std::optional<int> sayYearsStability(const RasterModule& rasters, const NibalRasterRun& run) {
  const base::Result<platform::RasterGeometry> header = rasters.readGeometry(run.dem);
  if (!header.ok()) {
    printMessage(header.message());
    return 2;
  }
  nibal::GridInfo info;
  nibal::readGridParameters(info, run.parameters);
  const nibal::GridCoefficients k{info.BettaRow, info.GammaRow, info.BettaCol, info.GammaCol};
  const nibal::YearsSettings& years = *run.years;
  // The spacings as the run reads them (cell width and height); the
  // runner does not link the raster library that defines them.
  // The spacings as the run reads them (cell width and height); the
  // runner does not link the raster library that defines them.
  const nibal::StepStability estimate =
      nibal::stepStability(k, std::abs(header->transform[1]), std::abs(header->transform[5]),
                           years.bulkDensity, years.passesPerYear);
  const std::string amplification =
      "the largest amplification of one step over all wavelengths is " +
      base::generalText(estimate.largestAmplification, 6) + " with " +
      passesText(years.passesPerYear);
  const std::string least =
      estimate.smallestStablePasses
          ? "the smallest --passes-per-year that keeps it stable is " +
                std::to_string(*estimate.smallestStablePasses)
          : "no --passes-per-year keeps it stable (Gamma without a positive Betta is never "
            "damped by an explicit step)";
  if (!estimate.amplifies) {
    if (!run.quiet)
      std::cerr << "nibal: stability: " << amplification << " (no wave grows); " << least << ".\n";
    return std::nullopt;
  }
  const std::string said = "the yearly step is unstable: " + amplification +
                           " (above 1, so short waves grow every step); " + least + ".";
  if (run.strict) {
    printMessage("sodwright-batch nibal: refused (--strict): " + said + " Nothing was written.");
    return kUnstableRefused;
  }
  std::cerr << "nibal: warning: " << said << '\n';
  return std::nullopt;
}

void sayYearsGrowth(const nibal::YearsGrowth& growth, bool quiet) {
  const std::string factor = base::generalText(growth.factor, 4);
  if (growth.grew)
    std::cerr << "nibal: warning: after the run the short waves of the surface (root mean square "
                 "of its second differences) are "
              << factor
              << " times those of the DEM: the run was unstable and its results are not "
                 "tillage.\n";
  else if (!quiet)
    std::cerr << "nibal: check after the run: the short waves of the surface are " << factor
              << " times those of the DEM (stable).\n";
}

}  // namespace sodwright::batch
