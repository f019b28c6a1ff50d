// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Figures from the headless runner: the four KOLV charts of the compared pair
// and the NIBAL map, written as PNG, SVG or PDF by the file name's extension.
// No display is needed: the figures are painted off screen.

#include <string>

#include "base/result.h"
#include "kolv/ensemble_run.h"
#include "kolv/state/kolv_state.h"
#include "nibal/grid_state.h"

namespace sodwright::batch {

// Fails with the reason unless the file name's extension is .png, .svg or
// .pdf (any case).
base::Result<> checkFigureName(const std::string& path);

// Each fails with what went wrong.
base::Result<> writeChartsFigureFile(const std::string& path, const kolv::KolvState& state);
// The four charts with the ensemble's band around its median.
base::Result<> writeEnsembleChartsFile(const std::string& path, const kolv::EnsembleResult& result);
base::Result<> writeMapFigureFile(const std::string& path, const nibal::GridState& state,
                                  const std::string& layer);

}  // namespace sodwright::batch
