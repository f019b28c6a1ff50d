// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A window of DEM cells to compute, in the order GDAL's -srcwin takes it
// (column offset, line offset, columns, lines), and the square tiles that
// cover a DEM, numbered from 0 along the lines from the north-west corner, so
// that a scheduler's task number picks one.

#include <cstdint>
#include <string>
#include <vector>

#include "base/result.h"

namespace sodwright::nibal {

struct RasterWindow {
  std::int64_t xOffset = 0;
  std::int64_t yOffset = 0;
  std::int64_t xSize = 0;
  std::int64_t ySize = 0;
  bool operator==(const RasterWindow&) const = default;
};

// "XOFF YOFF XSIZE YSIZE".
std::string windowText(const RasterWindow& window);

// The window when it lies wholly inside a DEM of `columns` x `rows` cells,
// else the reason (`dem` names the file).
base::Result<RasterWindow> checkWindow(const RasterWindow& window, std::int64_t columns,
                                       std::int64_t rows, const std::string& dem);

inline constexpr std::int64_t kSmallestTile = 5;

// The tiles of `tileSize` cells a side (the last column and line of tiles
// smaller where the DEM ends), tile i at index i; refused under kSmallestTile.
base::Result<std::vector<RasterWindow>> tileWindows(std::int64_t columns, std::int64_t rows,
                                                    std::int64_t tileSize);

// Tile `index` of those; an index beyond the last is refused with the count.
base::Result<RasterWindow> tileWindow(std::int64_t columns, std::int64_t rows,
                                      std::int64_t tileSize, std::int64_t index,
                                      const std::string& dem);

}  // namespace sodwright::nibal
