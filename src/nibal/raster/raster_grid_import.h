// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The grid window's "Import Data" of an elevation raster: rows, columns and
// spacings come from the raster. The window keeps its 32,767-node bound; a
// larger raster is refused with its size, the bound and the batch command,
// before any cell is read.

#include <string>

#include "base/result.h"
#include "nibal/grid_commands.h"

namespace sodwright::nibal {

inline constexpr int kMostWindowNodes = 32767;

// The raster at `path` as a grid with the raster's own sizes (for
// nibal::importGrid, which puts it into the state). A raster refused for its
// no-data cells gets, in `detail`, the batch command that takes them.
base::Result<nibal::ImportedGrid> readWindowRaster(const std::string& path,
                                                   std::string* detail = nullptr);

// The detail of that refusal.
std::string noDataForWindowDetail(const std::string& path);

}  // namespace sodwright::nibal
