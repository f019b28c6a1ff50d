// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/batch_figures.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <memory>

#if SODWRIGHT_HAVE_FIGURES
#include <QGuiApplication>

#include "kolv/charts/chart_figure.h"
#include "kolv/ensemble_charts.h"
#include "kolv/fit/fit_figure.h"
#include "nibal/map_geometry.h"
#include "platform/figures/figure_export.h"
#include "platform/figures/figure_painter.h"
#endif

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

#if SODWRIGHT_HAVE_FIGURES
// Fonts and painting need a GUI application for the time of the drawing;
// the offscreen platform spares the runner a display.
class GuiForFigures {
 public:
  GuiForFigures() {
    if (QCoreApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's notes about its own set-up (a missing runtime folder and the
    // like) are not the study's messages.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
      if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fputs(qPrintable(text + QLatin1Char('\n')), stderr);
    });
    app_ = std::make_unique<QGuiApplication>(argc_, argv_);
  }

 private:
  int argc_ = 1;
  char name_[16] = "sodwright-batch";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QGuiApplication> app_;
};

base::Result<> save(const platform::Figure& figure, const std::string& path) {
  if (auto saved = platform::saveFigure(figure, QString::fromStdString(path), {QSize(), 192});
      !saved)
    return base::fail("cannot write the figure " + saved.message());
  return {};
}

// The map at the batch's size, as the other figures.
base::Result<> saveMap(const std::string& path, const nibal::GridState& state,
                       nibal::MapOptions options) {
  const GuiForFigures gui;
  options.width = 1000;
  options.height = 740;
  options.fontSize = 15;
  return save(nibal::buildMap(state, options, platform::qtTextWidth).figure, path);
}
#endif

}  // namespace

base::Result<> checkFigureName(const std::string& path) {
#if SODWRIGHT_HAVE_FIGURES
  const std::string ext = lowerExtension(path);
  if (ext == "png" || ext == "svg" || ext == "pdf") return {};
  return base::fail("a figure file must end in .png, .svg or .pdf: " + path);
#else
  (void)lowerExtension;
  return base::fail("this build writes no figures (it was made without Qt): " + path);
#endif
}

#if SODWRIGHT_HAVE_FIGURES
base::Result<> writeChartsFigureFile(const std::string& path, const kolv::KolvState& state) {
  if (auto named = checkFigureName(path); !named) return named;
  const GuiForFigures gui;
  const platform::Figure figure = kolv::fourChartsFigure(
      kolv::currentCharts(state), kolv::chartsHeading(state), platform::qtTextWidth);
  return save(figure, path);
}

base::Result<> writeEnsembleChartsFile(const std::string& path,
                                       const kolv::EnsembleResult& result) {
  if (auto named = checkFigureName(path); !named) return named;
  const GuiForFigures gui;
  const platform::Figure figure = kolv::fourChartsFigure(
      kolv::ensembleCharts(result), kolv::ensembleChartsHeading(result), platform::qtTextWidth);
  return save(figure, path);
}

base::Result<> writeMapFigureFile(const std::string& path, const nibal::GridState& state,
                                  const std::string& layer, std::optional<double> colourLimit) {
  if (auto named = checkFigureName(path); !named) return named;
  nibal::MapOptions options;
  options.limit = colourLimit;
  if (const auto chosen = nibal::layerFromName(layer.empty() ? "SoilLossSum" : layer))
    options.layer = *chosen;
  else
    return base::fail("unknown map layer: " + layer);
  if (!nibal::layerAvailable(state, options.layer))
    return base::fail("the map layer " + layer + " holds no values");
  return saveMap(path, state, options);
}

base::Result<> writeBlockMapFigureFile(const std::string& path, const nibal::GridState& state,
                                       nibal::MapLayer layer, const nibal::MapBlocks& blocks,
                                       std::optional<double> colourLimit) {
  if (auto named = checkFigureName(path); !named) return named;
  nibal::MapOptions options;
  options.limit = colourLimit;
  options.layer = layer;
  options.blocks = blocks;
  return saveMap(path, state, options);
}

base::Result<> writeFitFigureFile(const std::string& path, const kolv::FitResult& result,
                                  const kolv::FitReportContext& context) {
  if (auto named = checkFigureName(path); !named) return named;
  const GuiForFigures gui;
  return save(kolv::fitFigure(result, context, platform::qtTextWidth), path);
}
#else
base::Result<> writeFitFigureFile(const std::string&, const kolv::FitResult&,
                                  const kolv::FitReportContext&) {
  return base::fail("this build writes no figures (it was made without Qt)");
}
base::Result<> writeChartsFigureFile(const std::string&, const kolv::KolvState&) {
  return base::fail("this build writes no figures (it was made without Qt)");
}
base::Result<> writeEnsembleChartsFile(const std::string&, const kolv::EnsembleResult&) {
  return base::fail("this build writes no figures (it was made without Qt)");
}
base::Result<> writeMapFigureFile(const std::string&, const nibal::GridState&, const std::string&,
                                  std::optional<double>) {
  return base::fail("this build writes no figures (it was made without Qt)");
}
base::Result<> writeBlockMapFigureFile(const std::string&, const nibal::GridState&, nibal::MapLayer,
                                       const nibal::MapBlocks&, std::optional<double>) {
  return base::fail("this build writes no figures (it was made without Qt)");
}
#endif

}  // namespace sodwright::batch
