// SPDX-License-Identifier: GPL-3.0-or-later
// The KOLV main window: construction, layout, the four boxes with their
// change and lost-focus handlers, the timer and the charts. The menu
// commands are in kolv_main_window_commands.cpp.
#include "kolv/ui/kolv_main_window.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMenuBar>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>

#include "base/number_text.h"
#include "kolv/check_refusals.h"
#include "kolv/main_window_checks.h"
#include "kolv/stability/stability_warning.h"
#include "kolv/study/ensemble_charts.h"
#include "kolv/ui/kolv_import_command.h"
#include "kolv/ui/kolv_parameter_window.h"
#include "kolv/ui/stability_line.h"
#include "kolv/ui/uncertainty_dialog.h"
#include "shared_ui/data_viewer.h"
#include "shared_ui/window_hub.h"

namespace sodwright::kolv {
namespace {

QLabel* boxLabel(QWidget* parent, const char* name, const char* text, QLineEdit* buddy,
                 const QColor& colour) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setBuddy(buddy);
  if (colour.isValid()) label->setStyleSheet(QStringLiteral("color: %1;").arg(colour.name()));
  return label;
}

QLineEdit* box(QWidget* parent, const char* name, const QColor& colour) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setMaximumWidth(90);
  if (colour.isValid()) edit->setStyleSheet(QStringLiteral("color: %1;").arg(colour.name()));
  return edit;
}

QLabel* heading(QWidget* parent, const char* name, const char* text) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  label->setObjectName(QString::fromLatin1(name));
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  return label;
}

}  // namespace

KolvMainWindow::KolvMainWindow(KolvState& state, platform::AppContext& context,
                               shared_ui::WindowHub& hub, QWidget* parent)
    : QMainWindow(parent), state_(state), context_(context), hub_(hub) {
  setObjectName(QStringLiteral("FrmKOLV_Main"));
  setWindowTitle(QStringLiteral("KOLV 05.1"));
  build(menuBar());
  buildLayout();

  showDataTimer = new QTimer(this);
  showDataTimer->setObjectName(QStringLiteral("TimerShowData"));
  showDataTimer->setInterval(2000);

  import_ = new KolvImportCommand(state_, context_, hub_,
                                  {[this] { applyMenuStates(KolvEvent::TextFileChosen); },
                                   [this] {
                                     showPair();
                                     // The viewer shows the imported sequence and closes itself
                                     // again.
                                     if (shared_ui::DataViewer* viewer = hub_.showDataViewer())
                                       viewer->dataTable->setFocus();
                                     showDataTimer->start();
                                     applyMenuStates(KolvEvent::Imported);
                                   },
                                   [this] {
                                     show();
                                     raise();
                                   }},
                                  this);
  connectHandlers();

  // Load: the start-up window and the note go; nothing can be redrawn yet.
  hub_.closeStartupWindow();
  showDataTimer->stop();
  context_.busy.closeNote();
  applyMenuStates(KolvEvent::Opened);
}

void KolvMainWindow::applyMenuStates(KolvEvent event) {
  const std::array<QAction*, kItems> items = {outputMenu->menuAction(),
                                              parameterAction,
                                              runModelAction,
                                              showDataAction,
                                              editAction,
                                              chartMenu->menuAction(),
                                              compareResultsAction,
                                              lastSequenceAction,
                                              runMenu->menuAction(),
                                              nullptr};
  const KolvMenuRow& row = menuRowFor(event);
  for (int item = 0; item < kItems; ++item) {
    const Switch s = row[static_cast<std::size_t>(item)];
    if (s == Switch::Keep) continue;
    const bool on = s == Switch::On || (s == Switch::OnWhenRun && state_.simulated);
    if (item == kRedraw) {
      redrawButton->setEnabled(on);
    } else {
      items[static_cast<std::size_t>(item)]->setEnabled(on);
    }
  }
}

KolvMainWindow::~KolvMainWindow() = default;

void KolvMainWindow::buildLayout() {
  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("KolvCentral"));
  auto* outer = new QHBoxLayout(central);
  stabilityLabel = makeStabilityLine(this, QStringLiteral("LblStability"));
  statusBar()->addWidget(stabilityLabel, 1);

  auto* charts = new QGridLayout;
  charts->setSpacing(8);
  for (ChartKind kind : kAllCharts) {
    auto* p = new ChartPanel(kind, central);
    panels_[static_cast<std::size_t>(kind)] = p;
    const int index = static_cast<int>(kind);
    charts->addWidget(p, index / 2, index % 2);
  }
  elevationChart = panel(ChartKind::Elevation)->canvas();
  soilLossChart = panel(ChartKind::SoilLoss)->canvas();
  upLayerChart = panel(ChartKind::UpLayer)->canvas();
  wholeProfileChart = panel(ChartKind::WholeProfile)->canvas();
  outer->addLayout(charts, 1);

  auto* inputs = new QFrame(central);
  inputs->setObjectName(QStringLiteral("KolvInputs"));
  inputs->setFrameShape(QFrame::StyledPanel);
  auto* column = new QVBoxLayout(inputs);
  const QColor none;
  upLayerDepthBox = box(inputs, "TxtULD", none);
  subLayerDepthBox = box(inputs, "TxtSLD", none);
  firstSequenceBox = box(inputs, "TxtFSeq", QColor(Qt::blue));
  lastSequenceBox = box(inputs, "TxtLSeq", QColor(Qt::red));
  column->addWidget(heading(inputs, "LblDepth", " Depth"));
  column->addWidget(boxLabel(inputs, "LblUpLr", "Up-Lr", upLayerDepthBox, none));
  column->addWidget(upLayerDepthBox);
  column->addWidget(boxLabel(inputs, "LblSubLr", "Sub-Lr", subLayerDepthBox, none));
  column->addWidget(subLayerDepthBox);
  column->addSpacing(16);
  column->addWidget(heading(inputs, "LblSeqNo", "Seq No"));
  column->addWidget(boxLabel(inputs, "LblFirst", "First", firstSequenceBox, QColor(Qt::blue)));
  column->addWidget(firstSequenceBox);
  column->addWidget(boxLabel(inputs, "LblLast", "Last", lastSequenceBox, QColor(Qt::red)));
  column->addWidget(lastSequenceBox);
  column->addSpacing(16);
  redrawButton = new QPushButton(QStringLiteral("Redraw"), inputs);
  redrawButton->setObjectName(QStringLiteral("CmdRedraw"));
  column->addWidget(redrawButton);
  column->addStretch(1);
  outer->addWidget(inputs, 0);

  setCentralWidget(central);
  resize(1000, 680);
}

void KolvMainWindow::connectHandlers() {
  connect(importFileAction, &QAction::triggered, this, &KolvMainWindow::onImportFileTriggered);
  connect(lastSequenceAction, &QAction::triggered, this, &KolvMainWindow::onLastSequenceTriggered);
  connect(compareResultsAction, &QAction::triggered, this,
          &KolvMainWindow::onCompareResultsTriggered);
  connect(compareResultsCsvAction, &QAction::triggered, this,
          &KolvMainWindow::onCompareResultsCsvTriggered);
  connect(exitAction, &QAction::triggered, this, &KolvMainWindow::onExitTriggered);
  connect(showDataAction, &QAction::triggered, this, &KolvMainWindow::onShowDataTriggered);
  connect(parameterAction, &QAction::triggered, this, &KolvMainWindow::onParameterTriggered);
  connect(runModelAction, &QAction::triggered, this, &KolvMainWindow::onRunModelTriggered);
  connect(fitAction, &QAction::triggered, this, &KolvMainWindow::onFitTriggered);
  connect(elevationChartAction, &QAction::triggered, this,
          &KolvMainWindow::onElevationChartTriggered);
  connect(soilLossChartAction, &QAction::triggered, this,
          &KolvMainWindow::onSoilLossChartTriggered);
  connect(upLayerChartAction, &QAction::triggered, this, &KolvMainWindow::onUpLayerChartTriggered);
  connect(wholeProfileChartAction, &QAction::triggered, this,
          &KolvMainWindow::onWholeProfileChartTriggered);
  connect(uncertaintyAction, &QAction::triggered, this, &KolvMainWindow::onUncertaintyTriggered);
  connect(interiorScaleAction, &QAction::toggled, this, [this] { drawCharts(); });
  connect(helpFileAction, &QAction::triggered, this, &KolvMainWindow::onHelpFileTriggered);
  connect(copyrightAction, &QAction::triggered, this, &KolvMainWindow::onCopyrightTriggered);
  connect(redrawButton, &QPushButton::clicked, this, &KolvMainWindow::onRedrawClicked);
  connect(showDataTimer, &QTimer::timeout, this, &KolvMainWindow::onShowDataTimeout);
  // A change of the text, typed or written by the program, as a box's change event.
  connect(firstSequenceBox, &QLineEdit::textChanged, this, &KolvMainWindow::onFirstSequenceChanged);
  connect(lastSequenceBox, &QLineEdit::textChanged, this, &KolvMainWindow::onLastSequenceChanged);
  connect(upLayerDepthBox, &QLineEdit::textChanged, this, &KolvMainWindow::onUpLayerDepthChanged);
  connect(subLayerDepthBox, &QLineEdit::textChanged, this, &KolvMainWindow::onSubLayerDepthChanged);
  for (QLineEdit* edit : {firstSequenceBox, lastSequenceBox, upLayerDepthBox, subLayerDepthBox})
    edit->installEventFilter(this);
  // Closing the viewer, by the user or by the timer, stops the timer.
  connect(&hub_, &shared_ui::WindowHub::dataViewerClosed, this, [this] {
    if (context_.activeModel == platform::kKolv) showDataTimer->stop();
  });
}

bool KolvMainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride &&
      static_cast<QKeyEvent*>(event)->keyCombination() == QKeyCombination(Qt::CTRL | Qt::Key_X)) {
    // "E&xit" owns Ctrl+X: a box with the focus must not take it for Cut.
    event->ignore();
    return true;
  }
  if (event->type() == QEvent::FocusOut) {
    // Leaving the box for another control; not a menu or another window.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
      if (watched == firstSequenceBox) onFirstSequenceFocusLost();
      if (watched == lastSequenceBox) onLastSequenceFocusLost();
      if (watched == upLayerDepthBox) onUpLayerDepthFocusLost();
      if (watched == subLayerDepthBox) onSubLayerDepthFocusLost();
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void KolvMainWindow::closeEvent(QCloseEvent* event) {
  // The viewer shows this window's data; it goes with the window.
  if (context_.activeModel == platform::kKolv) {
    showDataTimer->stop();
    hub_.closeDataViewer();
  }
  QMainWindow::closeEvent(event);
}

QFrame* KolvMainWindow::line(int n) const {
  if (n < 1 || n > 8) return nullptr;
  ChartCanvas* canvas = panels_[static_cast<std::size_t>((n - 1) / 2)]->canvas();
  return n % 2 == 1 ? canvas->yAxisLine() : canvas->xAxisLine();
}

void KolvMainWindow::sequenceBoxChanged() {
  for (ChartPanel* p : panels_) p->clear();
  applyMenuStates(KolvEvent::BoxChanged);  // Redraw waits for a run
}

void KolvMainWindow::depthBoxChanged() {
  applyMenuStates(KolvEvent::BoxChanged);
  panel(ChartKind::UpLayer)->clear();
  panel(ChartKind::WholeProfile)->clear();
}

namespace {
// Runs a box's check; a refused text shows the message and the box then shows
// the value kept.
void applyCheck(ParameterCheck check, KolvState& state, QLineEdit* edit,
                platform::MessageService& messages) {
  const std::string typed = edit->text().toStdString();
  const CheckResult result = check(state, typed);
  if (result) return;
  messages.informWithDetail(result.message(),
                            base::boxRefusalDetail(typed, refusalOf(check, state, typed)));
  edit->setText(QString::fromStdString(keptValueText(state, check)));
}
}  // namespace

void KolvMainWindow::onFirstSequenceFocusLost() {
  applyCheck(checkFirstSeqShown, state_, firstSequenceBox, context_.messages);
}
void KolvMainWindow::onLastSequenceFocusLost() {
  applyCheck(checkLastSeqShown, state_, lastSequenceBox, context_.messages);
}
void KolvMainWindow::onUpLayerDepthFocusLost() {
  applyCheck(checkUpLayerDepth, state_, upLayerDepthBox, context_.messages);
}
void KolvMainWindow::onSubLayerDepthFocusLost() {
  applyCheck(checkSubLayerDepth, state_, subLayerDepthBox, context_.messages);
}

void KolvMainWindow::onShowDataTimeout() {
  showDataTimer->stop();
  hub_.closeDataViewer();
}

void KolvMainWindow::setPlaceholderLinesVisible(bool visible) {
  for (ChartPanel* p : panels_) p->canvas()->setPlaceholderLinesVisible(visible);
}

void KolvMainWindow::drawChart(ChartKind kind) {
  // A chart that cannot be drawn says so and leaves the others to be drawn.
  const ChartDrawing drawing = kolv::drawChart(kind, state_, {interiorScaleAction->isChecked()});
  panel(kind)->setKey(chartKey(kind, state_));
  platform::replay(drawing.ops, *panel(kind));
  panel(kind)->showEndZones(drawing.endZones);
  if (drawing.message) showMessage(*drawing.message);
}

void KolvMainWindow::drawCharts() {
  showStabilityLine(stabilityLabel, resultsWarning(state_, false));
  for (ChartKind kind : kAllCharts) drawChart(kind);
}

void KolvMainWindow::drawSingleChart(ChartKind kind) {
  panel(kind)->canvas()->setPlaceholderLinesVisible(false);
  drawChart(kind);
}

UncertaintyDialog* KolvMainWindow::uncertaintyDialog() const { return uncertainty_.data(); }

void KolvMainWindow::onUncertaintyTriggered() {
  if (!uncertainty_) {
    uncertainty_ = new UncertaintyDialog(state_, context_, this);
    connect(uncertainty_, &UncertaintyDialog::ensembleReady, this,
            [this](std::shared_ptr<const EnsembleResult> result) { showEnsembleBands(*result); });
  }
  uncertainty_->show();
  uncertainty_->raise();
  uncertainty_->activateWindow();
}

void KolvMainWindow::showEnsembleBands(const EnsembleResult& result) {
  setPlaceholderLinesVisible(false);
  for (ChartKind kind : kAllCharts) {
    const ChartDrawing drawing = ensembleChartDrawing(result, kind);
    panel(kind)->setKey(ensembleChartKey(result, kind));
    platform::replay(drawing.ops, *panel(kind));
    panel(kind)->showEndZones(drawing.endZones);
    if (drawing.message) showMessage(*drawing.message);
  }
}

void KolvMainWindow::showRunResults() {
  showPair();
  setPlaceholderLinesVisible(false);
  drawCharts();
  lastSequenceBox->setFocus();
  applyMenuStates(KolvEvent::Ran);
}

void KolvMainWindow::showSequenceBoxes() {
  const TranslocationParameters& p = state_.params;
  firstSequenceBox->setText(
      QString::fromStdString(base::generalText(static_cast<long long>(p.FirstSeqShown))));
  lastSequenceBox->setText(
      QString::fromStdString(base::generalText(static_cast<long long>(p.LastSeqShown))));
}

void KolvMainWindow::showPair() {
  showSequenceBoxes();
  upLayerDepthBox->setText(QString::fromStdString(base::generalText(state_.params.UpLayerDepth)));
  subLayerDepthBox->setText(QString::fromStdString(base::generalText(state_.params.SubLayerDepth)));
}

void KolvMainWindow::showRunFailure() {
  for (ChartPanel* p : panels_) p->clear();
  setPlaceholderLinesVisible(true);
  applyMenuStates(KolvEvent::RunFailed);
}

void KolvMainWindow::showMessage(const std::string& text) { context_.messages.inform(text); }

}  // namespace sodwright::kolv
