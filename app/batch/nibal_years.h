// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// sodwright-batch nibal --raster --years: what the runner says of a run of
// years before it (the stability estimate of the yearly step, and --strict's
// refusal of a step that amplifies) and after it (whether the surface's
// short waves grew).

#include <optional>

#include "batch/nibal_raster.h"
#include "nibal/grid_years.h"

namespace sodwright::batch {

// Exit status 3 of a run --strict refuses as unstable.
inline constexpr int kUnstableRefused = 3;

// Says the estimate on standard error (a warning when the step amplifies,
// a line unless quiet otherwise); the exit status when the run must not go
// ahead, else empty.
std::optional<int> sayYearsStability(const RasterModule& rasters, const NibalRasterRun& run);

// Says the check after the run: a warning when the short waves grew.
void sayYearsGrowth(const nibal::YearsGrowth& growth, bool quiet);

}  // namespace sodwright::batch
