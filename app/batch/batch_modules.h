// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The runner's parts that need the large libraries live in modules it loads
// only when a command needs them: figures and workbooks (Qt), rasters (GDAL).
// Loading those libraries costs more time than a whole transect study, so a
// KOLV or BANDO run, or a NIBAL run on a grid text file, loads neither.
//
// A module is a shared object beside the runner (the build tree) or in its
// lib/sodwright folder (the package), linked to the same shared core. It
// exports two texts and one C function: kModuleName, its own file name;
// kModuleIdentity, the build identity it was compiled with; and
// kModuleEntry, which returns its table of functions. The runner reads the
// texts before it calls anything, and takes the table only from a module
// that is the one it asked for and was built with its core's identity.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/build_identity_config.h"
#include "base/result.h"
#include "kolv/fit/fit_report.h"
#include "kolv/state/kolv_state.h"
#include "kolv/study/ensemble_run.h"
#include "nibal/grid_state.h"
#include "nibal/map_blocks.h"
#include "nibal/map_geometry.h"
#include "nibal/raster/streamed_run.h"
#include "platform/raster/elevation_raster.h"
#include "platform/raster/result_raster.h"
#include "platform/workbook.h"

namespace sodwright::batch {

// The figure writers of batch_figures.h, each for a name already checked.
struct FigureModule {
  base::Result<> (*writeCharts)(const std::string& path, const kolv::KolvState& state);
  base::Result<> (*writeEnsembleCharts)(const std::string& path,
                                        const kolv::EnsembleResult& result);
  base::Result<> (*writeFit)(const std::string& path, const kolv::FitResult& result,
                             const kolv::FitReportContext& context);
  base::Result<> (*writeMap)(const std::string& path, const nibal::GridState& state,
                             const nibal::MapOptions& options);
};

struct RasterModule {
  base::Result<platform::RasterGeometry> (*readGeometry)(const std::string& path);
  std::string (*displayName)(const std::string& path);
  base::Result<nibal::StreamedRasterSummary> (*runStreamed)(const nibal::StreamedRasterRun& run);
};

struct WorkbookModule {
  // Reads .xls, .xlsx and .ods; lives as long as the program.
  std::unique_ptr<platform::WorkbookReader> (*makeReader)();
};

inline constexpr const char* kModuleName = "sodwright_batch_module_name";
inline constexpr const char* kModuleIdentity = "sodwright_batch_module_identity";
inline constexpr const char* kModuleEntry = "sodwright_batch_module";
using ModuleEntry = const void* (*)();

// A module's entries, handing out `table` (a constant of the module).
// SODWRIGHT_MODULE_FILE is the module's file name, set by its CMake target.
#define SODWRIGHT_BATCH_MODULE_ENTRY(table)                                                        \
  extern "C" __attribute__((visibility("default"))) const char sodwright_batch_module_name[] =     \
      SODWRIGHT_MODULE_FILE;                                                                       \
  extern "C" __attribute__((visibility("default"))) const char sodwright_batch_module_identity[] = \
      SODWRIGHT_BUILD_IDENTITY;                                                                    \
  extern "C" __attribute__((visibility("default"))) const void* sodwright_batch_module() {         \
    return &(table);                                                                               \
  }

// Each loads its module the first time (and stays loaded), or fails with
// what is missing and where the runner looked.
base::Result<const FigureModule*> figureModule();
base::Result<const RasterModule*> rasterModule();
base::Result<const WorkbookModule*> workbookModule();

}  // namespace sodwright::batch
