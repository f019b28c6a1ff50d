// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The KOLV main window "KOLV 05.1": the four charts in a two-by-two block,
// the sampling depth and sequence boxes with Redraw in a column to their
// right, the menus whose states tell the user what can be done next, and
// showDataTimer, which closes the data viewer once, 2000 ms after an import
// or a run.
//
// The program's main makes it with
//   KolvMainWindow(sodwright::kolv::KolvState&, sodwright::platform::AppContext&,
//                  sodwright::shared_ui::WindowHub&, QWidget* parent = nullptr)
// as the KOLV factory of the hub; the hub shows the chooser again once the
// window has closed.

#include <array>
#include <string>

#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include "kolv/charts/chart_geometry.h"
#include "kolv/state/kolv_state.h"
#include "kolv/ui/chart_panel.h"
#include "kolv/ui/kolv_fit_window.h"
#include "kolv/ui/kolv_main_menus.h"
#include "kolv/ui/kolv_menu_states.h"
#include "platform/app_context.h"

class QFrame;

namespace sodwright::shared_ui {
class WindowHub;
}

namespace sodwright::kolv {

class KolvParameterWindow;
class KolvImportCommand;
class UncertaintyDialog;
struct EnsembleResult;

class KolvMainWindow : public QMainWindow, public KolvMainMenus {
  Q_OBJECT

 public:
  KolvMainWindow(KolvState& state, platform::AppContext& context, shared_ui::WindowHub& hub,
                 QWidget* parent = nullptr);
  ~KolvMainWindow() override;

  // The four chart areas and their picture panels.
  ChartPanel* panel(ChartKind kind) const { return panels_[static_cast<std::size_t>(kind)]; }
  ChartCanvas* elevationChart = nullptr;
  ChartCanvas* soilLossChart = nullptr;
  ChartCanvas* upLayerChart = nullptr;
  ChartCanvas* wholeProfileChart = nullptr;
  // Line1 .. Line8, the placeholder axes (n = 1..8).
  QFrame* line(int n) const;

  QLineEdit* upLayerDepthBox = nullptr;
  QLineEdit* subLayerDepthBox = nullptr;
  QLineEdit* firstSequenceBox = nullptr;
  QLineEdit* lastSequenceBox = nullptr;
  QPushButton* redrawButton = nullptr;
  QTimer* showDataTimer = nullptr;
  // In the status bar: says when the results are unstable.
  QLabel* stabilityLabel = nullptr;

  // The parameter window while it is open.
  KolvParameterWindow* parameterWindow() const { return parameter_; }
  KolvFitWindow* fitWindow() const { return fit_; }
  // The uncertainty dialog once opened.
  UncertaintyDialog* uncertaintyDialog() const;

  // The four charts with an ensemble's band around its median, the legend
  // saying which percentiles of how many members.
  void showEnsembleBands(const EnsembleResult& result);

  // What "Run KOLV" of the parameter window does here after its run: the
  // shown sequences and depths into the boxes, the placeholder lines hidden,
  // the four charts drawn, Redraw off, the focus in lastSequenceBox and the output,
  // chart and data items on.
  void showRunResults();

  // After a run or comparison that failed (its message shown): the charts
  // cleared back to their placeholder axes and the output, chart and Redraw
  // items off, so that nothing suggests results that are not there.
  void showRunFailure();

 public slots:
  void onImportFileTriggered();
  void onLastSequenceTriggered();
  void onCompareResultsTriggered();
  void onCompareResultsCsvTriggered();
  void onExitTriggered();
  void onShowDataTriggered();
  void onParameterTriggered();
  void onRunModelTriggered();
  void onFitTriggered();
  void onUncertaintyTriggered();
  void onElevationChartTriggered() { drawSingleChart(ChartKind::Elevation); }
  void onSoilLossChartTriggered() { drawSingleChart(ChartKind::SoilLoss); }
  void onUpLayerChartTriggered() { drawSingleChart(ChartKind::UpLayer); }
  void onWholeProfileChartTriggered() { drawSingleChart(ChartKind::WholeProfile); }
  void onHelpFileTriggered();
  void onCopyrightTriggered();

  void onRedrawClicked();
  void onShowDataTimeout();

  void onFirstSequenceChanged() { sequenceBoxChanged(); }
  void onLastSequenceChanged() { sequenceBoxChanged(); }
  void onUpLayerDepthChanged() { depthBoxChanged(); }
  void onSubLayerDepthChanged() { depthBoxChanged(); }
  void onFirstSequenceFocusLost();
  void onLastSequenceFocusLost();
  void onUpLayerDepthFocusLost();
  void onSubLayerDepthFocusLost();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildLayout();
  void connectHandlers();
  void applyMenuStates(KolvEvent event);
  // The pair of sequences shown and its sampling depths, from the state, in
  // the four boxes: after an import and after a run.
  void showPair();
  // The first and last sequence shown alone, when a comparison reset the pair.
  void showSequenceBoxes();
  void sequenceBoxChanged();
  void depthBoxChanged();
  void setPlaceholderLinesVisible(bool visible);
  void drawCharts();
  void drawChart(ChartKind kind);
  void drawSingleChart(ChartKind kind);
  void afterComparison();
  void writeOutput(bool compareReport);
  void showMessage(const std::string& text);

  KolvState& state_;
  platform::AppContext& context_;
  shared_ui::WindowHub& hub_;
  std::array<ChartPanel*, 4> panels_{};
  QPointer<KolvParameterWindow> parameter_;
  QPointer<KolvFitWindow> fit_;
  QPointer<UncertaintyDialog> uncertainty_;
  KolvImportCommand* import_ = nullptr;
};

}  // namespace sodwright::kolv
