// SPDX-License-Identifier: GPL-3.0-or-later
// The elevation raster reader on any file named .tif or .asc, through the
// GDAL drivers the program registers (GeoTIFF, ESRI ASCII grid).
#include <cmath>

#include "fuzz_support.h"
#include "nibal/raster/raster_grid.h"

namespace {

// Small enough that a header asking for more is refused before it allocates.
constexpr std::int64_t kMostFuzzNodes = 1'000'000;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace sodwright;
  fuzz::ByteTaker taker(data, size);
  const char* extension = (taker.byte() & 1) != 0 ? ".asc" : ".tif";
  const std::string path = fuzz::writeScratchFile(taker.rest(), extension);
  const base::Result<platform::ElevationRaster> read =
      platform::readElevationRaster(path, kMostFuzzNodes);
  if (!read.ok()) {
    FUZZ_CHECK(read.message().rfind("Cannot use ", 0) == 0,
               "a refusal without its opening: " + read.message());
    return 0;
  }
  const platform::ElevationRaster& dem = *read;
  const platform::RasterGeometry& g = dem.geometry;
  FUZZ_CHECK(g.rows >= 4 && g.columns >= 4 && g.nodeCount() <= kMostFuzzNodes,
             "a raster of a refused size read");
  FUZZ_CHECK(g.rowSpacing() > 0.0 && g.columnSpacing() > 0.0, "a spacing that is not positive");
  FUZZ_CHECK(dem.elevation.size() == static_cast<std::size_t>(g.nodeCount()),
             "elevations of the wrong count");
  for (double z : dem.elevation) FUZZ_CHECK(std::isfinite(z), "an elevation that is not finite");
  // The run may refuse an overflow but must hold up on whatever was read.
  const auto run = nibal::runRasterGrid(dem, {3, 6, 6, 12}, {});
  FUZZ_CHECK(!run.ok() || run->size() == 3, "not three result layers");
  return 0;
}
