#pragma once
// Figures from the headless runner: the four KOLV charts of the compared pair
// and the NIBAL map, written as PNG, SVG or PDF by the file name's extension.
// No display is needed: the figures are painted off screen.

#include <string>

#include "grid/grid_state.h"
#include "transect/kolv_state.h"

namespace sodwright::batch {

// Empty when the file name's extension is .png, .svg or .pdf (any case),
// else the reason.
std::string figureNameProblem(const std::string& path);

// Each gives an empty text on success, else what went wrong.
std::string writeChartsFigure(const kolv::KolvState& state, const std::string& path);
std::string writeMapFigure(const nibal::GridState& state, const std::string& path,
                           const std::string& layer);

}  // namespace sodwright::batch
