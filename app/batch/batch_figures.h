// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Figures from the headless runner: the four KOLV charts of the compared pair
// (alone or with an ensemble's band), the KOLV fit and the NIBAL map, written
// as PNG, SVG or PDF by the file name's extension.
// No display is needed: the figure module, loaded when a figure is first
// asked for, paints them off screen.

#include <optional>
#include <string>

#include "base/result.h"
#include "kolv/fit/fit_report.h"
#include "kolv/state/kolv_state.h"
#include "kolv/study/ensemble_run.h"
#include "nibal/grid_state.h"
#include "nibal/map_geometry.h"

namespace sodwright::batch {

// Fails with the reason unless the file name's extension is .png, .svg or
// .pdf (any case) and the figure module loads; always fails in a build made
// without figures.
base::Result<> checkFigureName(const std::string& path);

// Each fails with what went wrong.
base::Result<> writeChartsFigureFile(const std::string& path, const kolv::KolvState& state);
// Observed and simulated profiles with the residuals below.
base::Result<> writeFitFigureFile(const std::string& path, const kolv::FitResult& result,
                                  const kolv::FitReportContext& context);
// The four charts with the ensemble's band around its median.
base::Result<> writeEnsembleChartsFile(const std::string& path, const kolv::EnsembleResult& result);
// Both maps lie over a hillshade of the elevation, as the map window's.
// `colourLimit` bounds the diverging colour scale as the map window's
// "Colour limit" box does; empty for the percentile of the magnitudes.
base::Result<> writeMapFigureFile(const std::string& path, const nibal::GridState& state,
                                  const std::string& layer,
                                  std::optional<double> colourLimit = std::nullopt);
// The map of a raster's results: `state` holds the block means
// (nibal::blockMapState), `blocks` says what a map cell stands for.
base::Result<> writeBlockMapFigureFile(const std::string& path, const nibal::GridState& state,
                                       nibal::MapLayer layer, const nibal::MapBlocks& blocks,
                                       std::optional<double> colourLimit = std::nullopt);

// The most map cells down and across: each stays at least one figure unit
// wide in the batch's map, whose map area is about 810 x 610 units.
inline constexpr int kMapMostRows = 600;
inline constexpr int kMapMostColumns = 800;

}  // namespace sodwright::batch
