#include "grid/raster/raster_grid_import.h"

#include "grid/grid_import.h"
#include "platform/busy_indicator.h"
#include "grid/raster/raster_grid.h"

namespace sodwright::raster {

std::optional<nibal::GridDefinition> ImportGridRaster(nibal::GridState& state,
                                                      platform::AppContext& context) {
  if (!state.pendingImport) return std::nullopt;
  const std::string path = state.pendingImport->path;
  state.pendingImport.reset();
  shell::Result<ElevationRaster> read = shell::fail("");  // set on every path below
  {
    platform::BusyScope busy(context.busy);
    const shell::Result<RasterGeometry> header = readRasterGeometry(path);
    if (!header.ok()) {
      read = shell::fail(header.message());
    } else if (header->nodeCount() > kMostWindowNodes) {
      read = shell::fail(tooLargeForWindowMessage(path, *header, kMostWindowNodes));
    } else {
      read = readElevationRaster(path, kMostWindowNodes);
    }
  }
  if (!read.ok()) {
    context.messages.inform(read.message());
    return std::nullopt;
  }
  nibal::GridDefinition definition = gridDefinition(read->geometry);
  nibal::replaceGrid(state, definition, gridData(*read));
  return definition;
}

}  // namespace sodwright::raster
