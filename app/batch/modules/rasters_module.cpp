// SPDX-License-Identifier: GPL-3.0-or-later
// sodwright-batch-rasters.so: elevation and result rasters through GDAL, and
// the streamed NIBAL run over them.
#include "batch/batch_modules.h"
#include "platform/raster/gdal_support.h"

namespace sodwright::batch {
namespace {

constexpr RasterModule kRasters{&platform::readRasterGeometry, &platform::displayName,
                                &nibal::runStreamedRaster};

}  // namespace
}  // namespace sodwright::batch

SODWRIGHT_BATCH_MODULE_ENTRY(sodwright::batch::kRasters)
