// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/raster/raster_window.h"

#include <algorithm>

namespace sodwright::nibal {

namespace {

std::string sizeText(std::int64_t columns, std::int64_t rows) {
  return std::to_string(columns) + " columns x " + std::to_string(rows) + " rows";
}

base::Result<> checkTileSize(std::int64_t tileSize) {
  if (tileSize < kSmallestTile)
    return base::fail("The tile size must be at least " + std::to_string(kSmallestTile) +
                      " cells, not " + std::to_string(tileSize) + ".");
  return {};
}

std::int64_t tilesAlong(std::int64_t cells, std::int64_t tileSize) {
  return (cells + tileSize - 1) / tileSize;
}

}  // namespace

std::string windowText(const RasterWindow& w) {
  return std::to_string(w.xOffset) + " " + std::to_string(w.yOffset) + " " +
         std::to_string(w.xSize) + " " + std::to_string(w.ySize);
}

base::Result<RasterWindow> checkWindow(const RasterWindow& window, std::int64_t columns,
                                       std::int64_t rows, const std::string& dem) {
  if (window.xSize < 1 || window.ySize < 1)
    return base::fail("The window " + windowText(window) +
                      " is empty: XSIZE and YSIZE must be at least 1 cell.");
  if (window.xOffset < 0 || window.yOffset < 0 || window.xOffset + window.xSize > columns ||
      window.yOffset + window.ySize > rows)
    return base::fail(
        "The window " + windowText(window) + " reaches outside " + dem + ", which has " +
        sizeText(columns, rows) + ": XOFF and YOFF start at 0, XOFF + XSIZE is at most " +
        std::to_string(columns) + " and YOFF + YSIZE at most " + std::to_string(rows) + ".");
  return window;
}

base::Result<std::vector<RasterWindow>> tileWindows(std::int64_t columns, std::int64_t rows,
                                                    std::int64_t tileSize) {
  if (auto checked = checkTileSize(tileSize); !checked) return base::fail(checked.message());
  std::vector<RasterWindow> tiles;
  for (std::int64_t y = 0; y < rows; y += tileSize)
    for (std::int64_t x = 0; x < columns; x += tileSize)
      tiles.push_back({x, y, std::min(tileSize, columns - x), std::min(tileSize, rows - y)});
  return tiles;
}

base::Result<RasterWindow> tileWindow(std::int64_t columns, std::int64_t rows,
                                      std::int64_t tileSize, std::int64_t index,
                                      const std::string& dem) {
  if (auto checked = checkTileSize(tileSize); !checked) return base::fail(checked.message());
  const std::int64_t across = tilesAlong(columns, tileSize);
  const std::int64_t count = across * tilesAlong(rows, tileSize);
  if (index < 0 || index >= count)
    return base::fail("There is no tile " + std::to_string(index) + ": " + dem + " has " +
                      std::to_string(count) + " tiles of " + std::to_string(tileSize) +
                      " cells, numbered 0 to " + std::to_string(count - 1) + ".");
  const std::int64_t x = index % across * tileSize;
  const std::int64_t y = index / across * tileSize;
  return RasterWindow{x, y, std::min(tileSize, columns - x), std::min(tileSize, rows - y)};
}

}  // namespace sodwright::nibal
