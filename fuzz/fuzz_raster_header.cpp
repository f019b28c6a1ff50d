// SPDX-License-Identifier: GPL-3.0-or-later
// The streamed elevation reader on GeoTIFF files whose headers may claim any
// size: a header that claims more cells than the file could hold is refused
// at open, and what is accepted is read a few lines at a time in bounded
// memory (a line of a wide sparse file is only read when it is small).
#include <algorithm>
#include <cmath>
#include <vector>

#include "fuzz_support.h"
#include "platform/raster/raster_stream.h"

namespace {

// Lines of at most this many cells are read; wider ones are only opened.
constexpr int kMostReadColumns = 1 << 16;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace sodwright;
  const std::string path =
      fuzz::writeScratchFile({reinterpret_cast<const char*>(data), size}, ".tif");
  base::Result<std::unique_ptr<platform::ElevationStrips>> opened =
      platform::ElevationStrips::open(path);
  if (!opened.ok()) {
    FUZZ_CHECK(opened.message().rfind("Cannot use ", 0) == 0,
               "a refusal without its opening: " + opened.message());
    return 0;
  }
  platform::ElevationStrips& dem = **opened;
  const platform::RasterGeometry& g = dem.geometry();
  FUZZ_CHECK(g.rows >= 4 && g.columns >= 4, "a raster under 4 x 4 opened");
  FUZZ_CHECK(g.transform[5] < 0.0, "lines not given north first");
  FUZZ_CHECK(dem.blockLines() >= 1 && dem.blockBytes() > 0, "a block of no size");
  if (g.columns > kMostReadColumns) return 0;
  // The first and the last lines, as a run's first and last strips read them.
  const int lines = std::min(g.rows, 3);
  std::vector<double> cells(static_cast<std::size_t>(lines) * static_cast<std::size_t>(g.columns));
  for (const int first : {0, g.rows - lines}) {
    const base::Result<> read = dem.read(first, lines, 0, g.columns, cells.data());
    if (!read.ok()) {
      FUZZ_CHECK(read.message().rfind("Cannot use ", 0) == 0,
                 "a refusal without its opening: " + read.message());
      continue;
    }
    for (double z : cells) FUZZ_CHECK(std::isnan(z) || std::isfinite(z), "an infinite elevation");
  }
  return 0;
}
