// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/batch_modules.h"

#include <filesystem>
#include <system_error>

#include <dlfcn.h>

namespace sodwright::batch {
namespace {

// The folders a module may sit in: beside the runner, else the installed
// helper folder (lib/sodwright next to bin/).
std::vector<std::filesystem::path> moduleFolders() {
  std::error_code failed;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", failed);
  if (failed) return {};
  return {self.parent_path(), self.parent_path() / SODWRIGHT_HELPER_DIR_FROM_BIN};
}

base::Result<const void*> loadModule(const std::string& file, const std::string& what) {
  const std::string name = "The " + what + " module (" + file + ")";
  for (const std::filesystem::path& folder : moduleFolders()) {
    const std::filesystem::path path = folder / file;
    std::error_code failed;
    if (!std::filesystem::exists(path, failed)) continue;
    // Never closed: the libraries it loads keep state until the program ends.
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) return base::fail(name + " cannot be loaded: " + ::dlerror());
    const auto entry = reinterpret_cast<ModuleEntry>(::dlsym(handle, kModuleEntry));
    const void* table = entry ? entry(kModuleStamp) : nullptr;
    if (!table)
      return base::fail(name + " at " + path.string() +
                        " belongs to another build of sodwright-batch; reinstall the program.");
    return table;
  }
  return base::fail(name + " is missing; it belongs beside sodwright-batch or in its " +
                    "lib/sodwright folder.");
}

template <class Table>
base::Result<const Table*> tableOf(const base::Result<const void*>& loaded) {
  if (!loaded) return base::fail(loaded.message());
  return static_cast<const Table*>(*loaded);
}

}  // namespace

base::Result<const FigureModule*> figureModule() {
  static const base::Result<const void*> loaded =
      loadModule("sodwright-batch-figures.so", "figure");
  return tableOf<FigureModule>(loaded);
}

base::Result<const RasterModule*> rasterModule() {
  static const base::Result<const void*> loaded =
      loadModule("sodwright-batch-rasters.so", "raster");
  return tableOf<RasterModule>(loaded);
}

base::Result<const WorkbookModule*> workbookModule() {
  static const base::Result<const void*> loaded =
      loadModule("sodwright-batch-workbooks.so", "workbook");
  return tableOf<WorkbookModule>(loaded);
}

}  // namespace sodwright::batch
