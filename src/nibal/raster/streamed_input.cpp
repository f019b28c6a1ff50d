// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/raster/streamed_input.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>

#include "nibal/grid_messages.h"
#include "nibal/grid_model.h"
#include "platform/raster/gdal_support.h"

namespace sodwright::nibal {

namespace {

// Whole megabytes: a need rounded up, a budget down, so that the figures
// shown never hide the shortfall.
std::string megabytesText(std::uint64_t bytes, bool up) {
  return std::to_string((bytes + (up ? (std::uint64_t{1} << 20) - 1 : 0)) >> 20) + " MB";
}

}  // namespace

std::string tooWideMessage(const std::string& dem, std::int64_t columns, std::uint64_t need,
                           std::uint64_t budget, int strip, int threads) {
  return "Cannot run NIBAL on " + platform::displayName(dem) + ": its lines of " +
         std::to_string(columns) + " cells need about " + megabytesText(need, true) +
         " at a time (a strip of " + std::to_string(strip) + " lines on " +
         std::to_string(threads) + (threads == 1 ? " worker" : " workers") + "), more than the " +
         megabytesText(budget, false) +
         " this run may use (the machine's available memory within the process's limits, "
         "ulimit -v and ulimit -d). Run it in narrower pieces: --window, or the tiles that "
         "nibal-tiles lists with --tile.";
}

base::Result<ElevationBlock> readHaloStrip(platform::ElevationStrips& dem,
                                           const RasterWindow& window, std::int64_t y0,
                                           std::int64_t y1, std::int64_t halo, std::int64_t left,
                                           int readColumns, double* cells) {
  const platform::RasterGeometry& whole = dem.geometry();
  const std::int64_t top = std::max<std::int64_t>(0, window.yOffset + y0 - halo);
  const std::int64_t bottom = std::min<std::int64_t>(whole.rows, window.yOffset + y1 + halo);
  if (auto read = dem.read(static_cast<int>(top), static_cast<int>(bottom - top),
                           static_cast<int>(left), readColumns, cells);
      !read)
    return base::fail(read.message());
  return ElevationBlock{cells,
                        readColumns,
                        top,
                        static_cast<int>(bottom - top),
                        left,
                        readColumns,
                        whole.rowSpacing(),
                        whole.columnSpacing()};
}

base::Result<StreamedInput> openStreamedInput(const StreamedRasterRun& run) {
  base::Result<std::unique_ptr<platform::ElevationStrips>> opened =
      platform::ElevationStrips::open(run.dem);
  if (!opened.ok()) return base::fail(opened.message());
  StreamedInput input;
  input.dem = std::move(*opened);
  const platform::RasterGeometry& whole = input.dem->geometry();

  input.window = RasterWindow{0, 0, whole.columns, whole.rows};
  if (run.window) {
    base::Result<RasterWindow> checked =
        checkWindow(*run.window, whole.columns, whole.rows, platform::displayName(run.dem));
    if (!checked.ok()) return base::fail(checked.message());
    input.window = *checked;
  }

  for (std::string_view note : readGridParameters(input.info, run.parameters))
    if (run.note) run.note(note);
  if (allParametersMissing(input.info))
    return base::fail(std::string(kAllMissingTitle) + ": " + std::string(kAllMissing));

  platform::RasterGeometry& g = input.geometry;
  g = whole;
  g.columns = static_cast<int>(input.window.xSize);
  g.rows = static_cast<int>(input.window.ySize);
  g.transform[0] =
      whole.transform[0] + static_cast<double>(input.window.xOffset) * whole.transform[1];
  g.transform[3] =
      whole.transform[3] + static_cast<double>(input.window.yOffset) * whole.transform[5];
  return input;
}

}  // namespace sodwright::nibal
