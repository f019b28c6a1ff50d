// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/batch_figures.h"

#include <algorithm>
#include <cctype>

#include "batch/batch_modules.h"

namespace sodwright::batch {
namespace {

std::string lowerExtension(const std::string& path) {
  const auto dot = path.find_last_of('.');
  if (dot == std::string::npos) return {};
  std::string ext = path.substr(dot + 1);
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return std::tolower(c); });
  return ext;
}

// The figure module, once the name is one it can write.
base::Result<const FigureModule*> figuresFor(const std::string& path) {
  if (auto named = checkFigureName(path); !named) return base::fail(named.message());
  return figureModule();
}

}  // namespace

base::Result<> checkFigureName(const std::string& path) {
#if SODWRIGHT_HAVE_FIGURES
  const std::string ext = lowerExtension(path);
  if (ext != "png" && ext != "svg" && ext != "pdf")
    return base::fail("a figure file must end in .png, .svg or .pdf: " + path);
  // A missing module is said before the study runs, not after.
  if (auto figures = figureModule(); !figures) return base::fail(figures.message());
  return {};
#else
  (void)lowerExtension;
  return base::fail("this build writes no figures (it was made without Qt): " + path);
#endif
}

base::Result<> writeChartsFigureFile(const std::string& path, const kolv::KolvState& state) {
  const auto figures = figuresFor(path);
  if (!figures) return base::fail(figures.message());
  return (*figures)->writeCharts(path, state);
}

base::Result<> writeEnsembleChartsFile(const std::string& path,
                                       const kolv::EnsembleResult& result) {
  const auto figures = figuresFor(path);
  if (!figures) return base::fail(figures.message());
  return (*figures)->writeEnsembleCharts(path, result);
}

base::Result<> writeFitFigureFile(const std::string& path, const kolv::FitResult& result,
                                  const kolv::FitReportContext& context) {
  const auto figures = figuresFor(path);
  if (!figures) return base::fail(figures.message());
  return (*figures)->writeFit(path, result, context);
}

base::Result<> writeMapFigureFile(const std::string& path, const nibal::GridState& state,
                                  const std::string& layer, std::optional<double> colourLimit) {
  const auto figures = figuresFor(path);
  if (!figures) return base::fail(figures.message());
  nibal::MapOptions options;
  options.limit = colourLimit;
  options.hillshade = true;
  if (const auto chosen = nibal::layerFromName(layer.empty() ? "SoilLossSum" : layer))
    options.layer = *chosen;
  else
    return base::fail("unknown map layer: " + layer);
  if (!nibal::layerAvailable(state, options.layer))
    return base::fail("the map layer " + layer + " holds no values");
  return (*figures)->writeMap(path, state, options);
}

base::Result<> writeBlockMapFigureFile(const std::string& path, const nibal::GridState& state,
                                       nibal::MapLayer layer, const nibal::MapBlocks& blocks,
                                       std::optional<double> colourLimit) {
  const auto figures = figuresFor(path);
  if (!figures) return base::fail(figures.message());
  nibal::MapOptions options;
  options.limit = colourLimit;
  options.layer = layer;
  options.blocks = blocks;
  options.hillshade = true;
  return (*figures)->writeMap(path, state, options);
}

}  // namespace sodwright::batch
