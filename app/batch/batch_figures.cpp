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
#endif

}  // namespace

base::Result<> checkFigureName(const std::string& path) {
  const std::string ext = lowerExtension(path);
  if (ext == "png" || ext == "svg" || ext == "pdf") return {};
  return base::fail("a figure file must end in .png, .svg or .pdf: " + path);
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
                                  const std::string& layer) {
  if (auto named = checkFigureName(path); !named) return named;
  nibal::MapOptions options;
  if (const auto chosen = nibal::layerFromName(layer.empty() ? "SoilLossSum" : layer))
    options.layer = *chosen;
  else
    return base::fail("unknown map layer: " + layer);
  if (!nibal::layerAvailable(state, options.layer))
    return base::fail("the map layer " + layer + " holds no values");
  const GuiForFigures gui;
  options.width = 1000;
  options.height = 740;
  options.fontSize = 15;
  return save(nibal::buildMap(state, options, platform::qtTextWidth).figure, path);
}
#else
base::Result<> writeChartsFigureFile(const std::string&, const kolv::KolvState&) {
  return base::fail("this build writes no figures (it was made without Qt)");
}
base::Result<> writeEnsembleChartsFile(const std::string&, const kolv::EnsembleResult&) {
  return base::fail("this build writes no figures (it was made without Qt)");
}
base::Result<> writeMapFigureFile(const std::string&, const nibal::GridState&, const std::string&) {
  return base::fail("this build writes no figures (it was made without Qt)");
}
#endif

}  // namespace sodwright::batch
