#pragma once
// The grid window's "Import Data" of an elevation raster: rows, columns and
// spacings come from the raster. The window keeps its 32,767-node bound; a
// larger raster is refused with its size, the bound and the batch command,
// before any cell is read. On any refusal the message is shown and the grid
// held before stays as it was.

#include <optional>

#include "grid/grid_state.h"
#include "platform/app_context.h"

namespace sodwright::nibal {

inline constexpr int kMostWindowNodes = 32767;

// Reads the raster of state.pendingImport (used up either way) under the
// busy pointer. On success the grid is replaced and the value is what the
// four boxes now hold.
std::optional<nibal::GridDefinition> ImportGridRaster(nibal::GridState& state,
                                                      platform::AppContext& context);

}  // namespace sodwright::nibal
