// The KOLV main window: construction, layout, the four boxes with their
// change and lost-focus handlers, the timer and the charts. The menu
// commands are in FrmKOLV_Main_commands.cpp.
#include "kolv/ui/FrmKOLV_Main.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QFrame>
#include <QGridLayout>
#include <QMenuBar>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>

#include "base/number_text.h"
#include "shared_ui/data_viewer.h"
#include "kolv/ui/kolv_table_model.h"
#include "shared_ui/window_hub.h"
#include "kolv/main_window_checks.h"
#include "kolv/ui/FrmKOLVParameter.h"
#include "kolv/stability/stability_warning.h"
#include "kolv/ui/kolv_import_command.h"
#include "kolv/ui/stability_line.h"

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

FrmKOLV_Main::FrmKOLV_Main(KolvState& state, platform::AppContext& context,
                           shared_ui::WindowHub& hub, QWidget* parent)
    : QMainWindow(parent), state_(state), context_(context), hub_(hub) {
  setObjectName(QStringLiteral("FrmKOLV_Main"));
  setWindowTitle(QStringLiteral("KOLV 05.1"));
  build(menuBar());
  buildLayout();

  TimerShowData = new QTimer(this);
  TimerShowData->setObjectName(QStringLiteral("TimerShowData"));
  TimerShowData->setInterval(2000);

  import_ = new KolvImportCommand(state_, context_, hub_,
                                  {[this] { applyMenuStates(KolvEvent::TextFileChosen); },
                                   [this] {
                                     showImportedPair();
                                     // The viewer shows the imported sequence and closes itself
                                     // again.
                                     if (shared_ui::DataViewer* viewer = hub_.showDataViewer())
                                       viewer->dataTable->setFocus();
                                     TimerShowData->start();
                                     applyMenuStates(KolvEvent::Imported);
                                   },
                                   [this] {
                                     show();
                                     raise();
                                   }},
                                  this);
  hub_.setViewerModelFactory(
      platform::kKolv, [&state] { return new KolvTableModel(state, kolvViewerSequence(state)); });
  connectHandlers();

  // Load: the start-up window and the note go; nothing can be redrawn yet.
  hub_.closeStartupWindow();
  TimerShowData->stop();
  context_.busy.closeNote();
  applyMenuStates(KolvEvent::Opened);
}

void FrmKOLV_Main::applyMenuStates(KolvEvent event) {
  const std::array<QAction*, kItems> items = {MnuOutputFileItem->menuAction(),
                                              MnuParameterItem,
                                              MnuRunModelItem,
                                              MnuShowDataItem,
                                              MnuEditItem,
                                              MnuChart->menuAction(),
                                              MnuResultSubItem,
                                              MnuLastSeqSubItem,
                                              MnuRun->menuAction(),
                                              nullptr};
  const KolvMenuRow& row = menuRowFor(event);
  for (int item = 0; item < kItems; ++item) {
    const Switch s = row[static_cast<std::size_t>(item)];
    if (s == Switch::Keep) continue;
    const bool on = s == Switch::On || (s == Switch::OnWhenRun && state_.simulated);
    if (item == kRedraw) {
      CmdRedraw->setEnabled(on);
    } else {
      items[static_cast<std::size_t>(item)]->setEnabled(on);
    }
  }
}

FrmKOLV_Main::~FrmKOLV_Main() = default;

void FrmKOLV_Main::buildLayout() {
  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("KolvCentral"));
  auto* outer = new QHBoxLayout(central);
  LblStability = makeStabilityLine(this, QStringLiteral("LblStability"));
  statusBar()->addWidget(LblStability, 1);

  auto* charts = new QGridLayout;
  charts->setSpacing(8);
  for (ChartKind kind : kAllCharts) {
    auto* p = new ChartPanel(kind, central);
    panels_[static_cast<std::size_t>(kind)] = p;
    const int index = static_cast<int>(kind);
    charts->addWidget(p, index / 2, index % 2);
  }
  ChtElev = panel(ChartKind::Elevation)->canvas();
  ChtSoilLoss = panel(ChartKind::SoilLoss)->canvas();
  ChtUpL = panel(ChartKind::UpLayer)->canvas();
  ChtWhPr = panel(ChartKind::WholeProfile)->canvas();
  outer->addLayout(charts, 1);

  auto* inputs = new QFrame(central);
  inputs->setObjectName(QStringLiteral("KolvInputs"));
  inputs->setFrameShape(QFrame::StyledPanel);
  auto* column = new QVBoxLayout(inputs);
  const QColor none;
  TxtULD = box(inputs, "TxtULD", none);
  TxtSLD = box(inputs, "TxtSLD", none);
  TxtFSeq = box(inputs, "TxtFSeq", QColor(Qt::blue));
  TxtLSeq = box(inputs, "TxtLSeq", QColor(Qt::red));
  column->addWidget(heading(inputs, "LblDepth", " Depth"));
  column->addWidget(boxLabel(inputs, "LblUpLr", "Up-Lr", TxtULD, none));
  column->addWidget(TxtULD);
  column->addWidget(boxLabel(inputs, "LblSubLr", "Sub-Lr", TxtSLD, none));
  column->addWidget(TxtSLD);
  column->addSpacing(16);
  column->addWidget(heading(inputs, "LblSeqNo", "Seq No"));
  column->addWidget(boxLabel(inputs, "LblFirst", "First", TxtFSeq, QColor(Qt::blue)));
  column->addWidget(TxtFSeq);
  column->addWidget(boxLabel(inputs, "LblLast", "Last", TxtLSeq, QColor(Qt::red)));
  column->addWidget(TxtLSeq);
  column->addSpacing(16);
  CmdRedraw = new QPushButton(QStringLiteral("Redraw"), inputs);
  CmdRedraw->setObjectName(QStringLiteral("CmdRedraw"));
  column->addWidget(CmdRedraw);
  column->addStretch(1);
  outer->addWidget(inputs, 0);

  setCentralWidget(central);
  resize(1000, 680);
}

void FrmKOLV_Main::connectHandlers() {
  connect(MnuImportFileItem, &QAction::triggered, this, &FrmKOLV_Main::MnuImportFileItem_Click);
  connect(MnuLastSeqSubItem, &QAction::triggered, this, &FrmKOLV_Main::MnuLastSeqSubItem_Click);
  connect(MnuResultSubItem, &QAction::triggered, this, &FrmKOLV_Main::MnuResultSubItem_Click);
  connect(MnuResultCsvSubItem, &QAction::triggered, this, &FrmKOLV_Main::MnuResultCsvSubItem_Click);
  connect(MnuExitItem, &QAction::triggered, this, &FrmKOLV_Main::MnuExitItem_Click);
  connect(MnuShowDataItem, &QAction::triggered, this, &FrmKOLV_Main::MnuShowDataItem_Click);
  connect(MnuEditItem, &QAction::triggered, this, &FrmKOLV_Main::MnuEditItem_Click);
  connect(MnuParameterItem, &QAction::triggered, this, &FrmKOLV_Main::MnuParameterItem_Click);
  connect(MnuRunModelItem, &QAction::triggered, this, &FrmKOLV_Main::MnuRunModelItem_Click);
  connect(MnuChtElevItem, &QAction::triggered, this, &FrmKOLV_Main::MnuChtElevItem_Click);
  connect(MnuChtSoillossItem, &QAction::triggered, this, &FrmKOLV_Main::MnuChtSoillossItem_Click);
  connect(MnuChtUpLItem, &QAction::triggered, this, &FrmKOLV_Main::MnuChtUpLItem_Click);
  connect(MnuChtWhPritem, &QAction::triggered, this, &FrmKOLV_Main::MnuChtWhPritem_Click);
  connect(MnuChtInteriorItem, &QAction::toggled, this, [this] { drawCharts(); });
  connect(MnuHelpItem, &QAction::triggered, this, &FrmKOLV_Main::MnuHelpItem_Click);
  connect(MnuCopyrightItem, &QAction::triggered, this, &FrmKOLV_Main::MnuCopyrightItem_Click);
  connect(CmdRedraw, &QPushButton::clicked, this, &FrmKOLV_Main::CmdRedraw_Click);
  connect(TimerShowData, &QTimer::timeout, this, &FrmKOLV_Main::TimerShowData_Timer);
  // A change of the text, typed or written by the program, as a box's change event.
  connect(TxtFSeq, &QLineEdit::textChanged, this, &FrmKOLV_Main::TxtFSeq_Change);
  connect(TxtLSeq, &QLineEdit::textChanged, this, &FrmKOLV_Main::TxtLSeq_Change);
  connect(TxtULD, &QLineEdit::textChanged, this, &FrmKOLV_Main::TxtULD_Change);
  connect(TxtSLD, &QLineEdit::textChanged, this, &FrmKOLV_Main::TxtSLD_Change);
  for (QLineEdit* edit : {TxtFSeq, TxtLSeq, TxtULD, TxtSLD}) edit->installEventFilter(this);
  // Closing the viewer, by the user or by the timer, stops the timer.
  connect(&hub_, &shared_ui::WindowHub::dataViewerClosed, this, [this] {
    if (context_.activeModel == platform::kKolv) TimerShowData->stop();
  });
}

bool FrmKOLV_Main::eventFilter(QObject* watched, QEvent* event) {
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
      if (watched == TxtFSeq) TxtFSeq_LostFocus();
      if (watched == TxtLSeq) TxtLSeq_LostFocus();
      if (watched == TxtULD) TxtULD_LostFocus();
      if (watched == TxtSLD) TxtSLD_LostFocus();
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void FrmKOLV_Main::closeEvent(QCloseEvent* event) {
  // The viewer shows this window's data; it goes with the window.
  if (context_.activeModel == platform::kKolv) {
    TimerShowData->stop();
    hub_.closeDataViewer();
  }
  QMainWindow::closeEvent(event);
}

QFrame* FrmKOLV_Main::line(int n) const {
  if (n < 1 || n > 8) return nullptr;
  ChartCanvas* canvas = panels_[static_cast<std::size_t>((n - 1) / 2)]->canvas();
  return n % 2 == 1 ? canvas->yAxisLine() : canvas->xAxisLine();
}

void FrmKOLV_Main::sequenceBoxChanged() {
  for (ChartPanel* p : panels_) p->clear();
  applyMenuStates(KolvEvent::BoxChanged);  // Redraw waits for a run
}

void FrmKOLV_Main::depthBoxChanged() {
  applyMenuStates(KolvEvent::BoxChanged);
  panel(ChartKind::UpLayer)->clear();
  panel(ChartKind::WholeProfile)->clear();
}

namespace {
// Runs a box's check; a refused text shows the message and the box then shows
// the value kept.
void applyCheck(BoxCheck check, KolvState& state, QLineEdit* edit,
                platform::MessageService& messages) {
  const CheckResult result = check(state, edit->text().toStdString());
  if (result) return;
  messages.inform(result.message());
  edit->setText(QString::fromStdString(keptBoxText(state, check)));
}
}  // namespace

void FrmKOLV_Main::TxtFSeq_LostFocus() {
  applyCheck(checkFirstSeqShown, state_, TxtFSeq, context_.messages);
}
void FrmKOLV_Main::TxtLSeq_LostFocus() {
  applyCheck(checkLastSeqShown, state_, TxtLSeq, context_.messages);
}
void FrmKOLV_Main::TxtULD_LostFocus() {
  applyCheck(checkUpLayerDepth, state_, TxtULD, context_.messages);
}
void FrmKOLV_Main::TxtSLD_LostFocus() {
  applyCheck(checkSubLayerDepth, state_, TxtSLD, context_.messages);
}

void FrmKOLV_Main::TimerShowData_Timer() {
  TimerShowData->stop();
  hub_.closeDataViewer();
}

void FrmKOLV_Main::setPlaceholderLinesVisible(bool visible) {
  for (ChartPanel* p : panels_) p->canvas()->setPlaceholderLinesVisible(visible);
}

void FrmKOLV_Main::drawChart(ChartKind kind) {
  // A chart that cannot be drawn says so and leaves the others to be drawn.
  const ChartDrawing drawing = kolv::drawChart(kind, state_, {MnuChtInteriorItem->isChecked()});
  panel(kind)->setKey(chartKey(kind, state_));
  platform::replay(drawing.ops, *panel(kind));
  panel(kind)->showEndZones(drawing.endZones);
  if (drawing.message) showMessage(*drawing.message);
}

void FrmKOLV_Main::drawCharts() {
  showStabilityLine(LblStability, resultsWarning(state_, false));
  for (ChartKind kind : kAllCharts) drawChart(kind);
}

void FrmKOLV_Main::drawSingleChart(ChartKind kind) {
  panel(kind)->canvas()->setPlaceholderLinesVisible(false);
  drawChart(kind);
}

void FrmKOLV_Main::showRunResults() {
  const TranslocationParameters& p = state_.params;
  TxtFSeq->setText(
      QString::fromStdString(base::generalText(static_cast<long long>(p.FirstSeqShown))));
  TxtLSeq->setText(
      QString::fromStdString(base::generalText(static_cast<long long>(p.LastSeqShown))));
  TxtULD->setText(QString::fromStdString(base::generalText(p.UpLayerDepth)));
  TxtSLD->setText(QString::fromStdString(base::generalText(p.SubLayerDepth)));
  setPlaceholderLinesVisible(false);
  drawCharts();
  TxtLSeq->setFocus();
  applyMenuStates(KolvEvent::Ran);
}

void FrmKOLV_Main::showRunFailure() {
  for (ChartPanel* p : panels_) p->clear();
  setPlaceholderLinesVisible(true);
  applyMenuStates(KolvEvent::RunFailed);
}

void FrmKOLV_Main::showMessage(const std::string& text) { context_.messages.inform(text); }

}  // namespace sodwright::kolv
