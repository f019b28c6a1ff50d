// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// NIBAL through the years over a DEM of any size (nibal/grid_years.h): each
// strip of lines is read with a halo of 2 x steps + 1 cells on every side
// (fewer at the DEM's edge) and carries its years forward on its own, so
// memory follows the columns and the years, not the lines, and every value
// equals the whole-grid year-by-year loop bit for bit for any strip height
// and thread count. The result raster holds the mean annual soil loss of the
// sum and of each direction (kg/m2 per year; with one year of one pass the
// one-year run's bands bit for bit), the cumulative change of elevation (m),
// the final surface (m) and the change at each snapshot year.

#include <string>
#include <vector>

#include "base/result.h"
#include "nibal/raster/streamed_run.h"

namespace sodwright::nibal {

base::Result<StreamedRasterSummary> runStreamedYears(const StreamedRasterRun& run);

}  // namespace sodwright::nibal
