// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/batch_modules.h"

#include <filesystem>
#include <system_error>

#include <dlfcn.h>

#include "base/build_identity.h"

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

// The module's own texts, read before anything of it is called: a module
// copied under another's name, or built with another core, would hand over
// a table of another shape or structures of another layout.
base::Result<const void*> checkedTable(void* handle, const std::filesystem::path& path,
                                       const std::string& file) {
  const auto* named = static_cast<const char*>(::dlsym(handle, kModuleName));
  if (!named || file != named)
    return base::fail(path.string() + " is not the module " + file + " but " +
                      (named ? std::string(named) : std::string("no module of sodwright-batch")) +
                      " under its name; reinstall the program.");
  const auto* identity = static_cast<const char*>(::dlsym(handle, kModuleIdentity));
  const std::string core = base::buildIdentity();
  if (!identity || core != identity)
    return base::fail("The module " + path.string() + " was built as \"" +
                      (identity ? std::string(identity) : std::string("no identity")) +
                      "\", the core of this sodwright-batch as \"" + core +
                      "\"; reinstall the program.");
  const auto entry = reinterpret_cast<ModuleEntry>(::dlsym(handle, kModuleEntry));
  const void* table = entry ? entry() : nullptr;
  if (!table)
    return base::fail("The module " + path.string() + " hands out no table of functions.");
  return table;
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
    return checkedTable(handle, path, file);
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
