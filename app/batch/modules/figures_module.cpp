// SPDX-License-Identifier: GPL-3.0-or-later
// sodwright-batch-figures.so: the runner's figures, painted off screen with
// Qt Gui and Svg.
#include <cstdio>
#include <memory>

#include <QGuiApplication>

#include "batch/batch_modules.h"
#include "kolv/charts/chart_figure.h"
#include "kolv/fit/fit_figure.h"
#include "kolv/study/ensemble_charts.h"
#include "platform/figures/figure_export.h"
#include "platform/figures/figure_painter.h"

namespace sodwright::batch {
namespace {

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

base::Result<> writeCharts(const std::string& path, const kolv::KolvState& state) {
  const GuiForFigures gui;
  return save(kolv::fourChartsFigure(kolv::currentCharts(state), kolv::chartsHeading(state),
                                     platform::qtTextWidth),
              path);
}

base::Result<> writeEnsembleCharts(const std::string& path, const kolv::EnsembleResult& result) {
  const GuiForFigures gui;
  return save(kolv::fourChartsFigure(kolv::ensembleCharts(result),
                                     kolv::ensembleChartsHeading(result), platform::qtTextWidth),
              path);
}

base::Result<> writeFit(const std::string& path, const kolv::FitResult& result,
                        const kolv::FitReportContext& context) {
  const GuiForFigures gui;
  return save(kolv::fitFigure(result, context, platform::qtTextWidth), path);
}

// The map at the batch's size, as the other figures.
base::Result<> writeMap(const std::string& path, const nibal::GridState& state,
                        const nibal::MapOptions& chosen) {
  const GuiForFigures gui;
  nibal::MapOptions options = chosen;
  options.width = 1000;
  options.height = 740;
  options.fontSize = 15;
  return save(nibal::buildMap(state, options, platform::qtTextWidth).figure, path);
}

constexpr FigureModule kFigures{&writeCharts, &writeEnsembleCharts, &writeFit, &writeMap};

}  // namespace
}  // namespace sodwright::batch

SODWRIGHT_BATCH_MODULE_ENTRY(sodwright::batch::kFigures)
