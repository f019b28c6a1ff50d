// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The runner's parts that need the large libraries live in modules it loads
// only when a command needs them: figures and workbooks (Qt), rasters (GDAL).
// Loading those libraries costs more time than a whole transect study, so a
// KOLV or BANDO run, or a NIBAL run on a grid text file, loads neither.
//
// A module is a shared object beside the runner (the build tree) or in its
// lib/sodwright folder (the package). It exports one C function,
// kModuleEntry, that returns its table of functions when handed the
// runner's stamp, and nothing when it was built for another runner.

#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

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
  std::vector<std::string> (*resultRasterPaths)(const std::string& path,
                                                const std::vector<platform::ResultLayer>& layers);
  base::Result<nibal::StreamedRasterSummary> (*runStreamed)(const nibal::StreamedRasterRun& run);
};

struct WorkbookModule {
  // Reads .xls, .xlsx and .ods; lives as long as the program.
  std::unique_ptr<platform::WorkbookReader> (*makeReader)();
};

// The same stamp in the runner and its modules: the same version, compiler
// and array checks, so that the structures they hand over agree.
#if defined(SODWRIGHT_CHECKED_ARRAYS)
#define SODWRIGHT_MODULE_ARRAYS " checked"
#else
#define SODWRIGHT_MODULE_ARRAYS ""
#endif
inline constexpr const char* kModuleStamp =
    "sodwright-batch " SODWRIGHT_VERSION " " __VERSION__ SODWRIGHT_MODULE_ARRAYS;
#undef SODWRIGHT_MODULE_ARRAYS

inline constexpr const char* kModuleEntry = "sodwright_batch_module";
using ModuleEntry = const void* (*)(const char* stamp);

// A module's entry, handing out `table` (a constant of the module).
#define SODWRIGHT_BATCH_MODULE_ENTRY(table)                                                \
  extern "C" __attribute__((visibility("default"))) const void* sodwright_batch_module(    \
      const char* stamp) {                                                                 \
    return std::strcmp(stamp, ::sodwright::batch::kModuleStamp) == 0 ? &(table) : nullptr; \
  }

// Each loads its module the first time (and stays loaded), or fails with
// what is missing and where the runner looked.
base::Result<const FigureModule*> figureModule();
base::Result<const RasterModule*> rasterModule();
base::Result<const WorkbookModule*> workbookModule();

}  // namespace sodwright::batch
