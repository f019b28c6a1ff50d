#include "grid/raster/raster_grid_import.h"

#include "grid/grid_import.h"
#include "platform/busy_indicator.h"
#include "grid/raster/raster_grid.h"

namespace sodwright::nibal {

std::optional<nibal::GridDefinition> ImportGridRaster(nibal::GridState& state,
                                                      platform::AppContext& context) {
  if (!state.pendingImport) return std::nullopt;
  const std::string path = state.pendingImport->path;
  state.pendingImport.reset();
  platform::RasterResult<platform::ElevationRaster> read;
  {
    platform::BusyScope busy(context.busy);
    const platform::RasterResult<platform::RasterGeometry> header =
        platform::readRasterGeometry(path);
    if (!header.ok()) {
      read.message = header.message;
    } else if (header.value->nodeCount() > kMostWindowNodes) {
      read.message = tooLargeForWindowMessage(path, *header.value, kMostWindowNodes);
    } else {
      read = platform::readElevationRaster(path, kMostWindowNodes);
    }
  }
  if (!read.ok()) {
    context.messages.inform(read.message);
    return std::nullopt;
  }
  nibal::GridDefinition definition = gridDefinition(read.value->geometry);
  nibal::replaceGrid(state, definition, gridData(*read.value));
  return definition;
}

}  // namespace sodwright::nibal
