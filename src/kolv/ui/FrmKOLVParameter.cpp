#include "kolv/ui/FrmKOLVParameter.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>
#include <cmath>

#include "platform/busy_indicator.h"
#include "base/number_text.h"
#include "shared_ui/data_viewer.h"
#include "shared_ui/window_hub.h"
#include "kolv/kolv_commands.h"
#include "kolv/stability/stability_warning.h"
#include "kolv/ui/kolv_help.h"
#include "kolv/ui/stability_line.h"

namespace sodwright::kolv {
namespace {

QString text(const std::string& s) { return QString::fromStdString(s); }
QString integerText(Int16 v) { return text(base::generalText(static_cast<long long>(v))); }
QString singleText(float v) { return text(base::generalTextSingle(v)); }
QString doubleText(double v) { return text(base::generalText(v)); }

// One row of a column: label, box and unit label, the label the box's buddy.
struct Row {
  QLineEdit*& box;
  const char* name;
  const char* label;
  const char* unit;
};

void addRows(QWidget* parent, QGridLayout* grid, int column, int firstRow,
             std::initializer_list<Row> rows) {
  int r = firstRow;
  for (const Row& row : rows) {
    row.box = new QLineEdit(parent);
    row.box->setObjectName(QString::fromLatin1(row.name));
    row.box->setMaximumWidth(110);
    auto* label = new QLabel(QString::fromUtf8(row.label), parent);
    label->setObjectName(QStringLiteral("Lbl") + QString::fromLatin1(row.name + 3));
    label->setBuddy(row.box);
    grid->addWidget(label, r, column);
    grid->addWidget(row.box, r, column + 1);
    if (row.unit[0] != '\0') {
      auto* unit = new QLabel(QString::fromUtf8(row.unit), parent);
      unit->setObjectName(QStringLiteral("LblUnit") + QString::fromLatin1(row.name + 3));
      grid->addWidget(unit, r, column + 2);
    }
    ++r;
  }
}

}  // namespace

FrmKOLVParameter::FrmKOLVParameter(KolvState& state, platform::AppContext& context,
                                   shared_ui::WindowHub& hub, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window), state_(state), context_(context), hub_(hub) {
  setObjectName(QStringLiteral("FrmKOLVParameter"));
  setWindowTitle(QStringLiteral("KOLV Parameters"));
  setAttribute(Qt::WA_DeleteOnClose);
  buildLayout();
  checks_ = {{TxtSeq, checkSeqCount},
             {TxtNodes, checkNodeCount},
             {TxtLateralCol, checkLateralColumns},
             {TxtSGWtF, checkSgWeightFront},
             {TxtSGWtB, checkSgWeightBack},
             {TxtSCScl, checkScScale},
             {TxtDRate1, setDecayRate1Percent},
             {TxtDRate2, setDecayRate2Percent},
             {TxtTillD, checkTillDepth},
             {TxtUpLrD, checkUpLayerDepthParameter},
             {TxtSubLrD, checkSubLayerDepthParameter},
             {TxtAlpha, setAlpha},
             {TxtBetta, setBeta},
             {TxtGamma, setGamma},
             {TxtInputFrq, checkInputFrequency},
             {TxtInputAmt, setInputAmount}};
  for (auto& [box, check] : checks_) {
    box->installEventFilter(this);
    connect(box, &QLineEdit::textChanged, this, &FrmKOLVParameter::EditableBox_Change);
  }
  for (QLineEdit* box : {TxtSeqNo, TxtDistrDis, TxtInterval, TxtBD1, TxtBD2, TxtBD3}) {
    // Shown only: what is typed here is never read back.
    box->setReadOnly(true);
    box->installEventFilter(this);
  }
  CboTDirect->lineEdit()->installEventFilter(this);
  connect(CboTDirect, &QComboBox::activated, this, &FrmKOLVParameter::CboTDirect_Click);
  connect(CmdParaOK, &QPushButton::clicked, this, &FrmKOLVParameter::CmdParaOK_Click);
  connect(CmdRunKOLV, &QPushButton::clicked, this, &FrmKOLVParameter::CmdRunKOLV_Click);
  connect(CmdQuit, &QPushButton::clicked, this, &FrmKOLVParameter::CmdQuit_Click);
  helpLink->onClick = [this] { helpLink_Click(); };
  shared_ui::addHelpKey(this, [this] { helpLink_Click(); });
  load();
}

void FrmKOLVParameter::buildLayout() {
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(8);
  grid->setColumnMinimumWidth(3, 28);

  helpLink = new shared_ui::LinkLabel(QStringLiteral("Help!"), this);
  helpLink->setObjectName(QStringLiteral("Label47"));
  helpLink->setStyleSheet(QStringLiteral("color: red; text-decoration: underline;"));
  helpLink->setCursor(Qt::PointingHandCursor);
  helpLink->setAccessibleName(QStringLiteral("Help on the KOLV parameters"));
  grid->addWidget(helpLink, 0, 0);

  CboTDirect = new QComboBox(this);
  CboTDirect->setObjectName(QStringLiteral("CboTDirect"));
  // An editable list, so that a typed key can be answered; the typed text is never read.
  CboTDirect->setEditable(true);
  CboTDirect->setInsertPolicy(QComboBox::NoInsert);
  CboTDirect->setCompleter(nullptr);  // no item is completed from typed text either
  CboTDirect->setMaximumWidth(110);
  auto* directionLabel = new QLabel(QStringLiteral("Tillage Direction"), this);
  directionLabel->setObjectName(QStringLiteral("LblTDirect"));
  directionLabel->setBuddy(CboTDirect);
  grid->addWidget(directionLabel, 1, 0);
  grid->addWidget(CboTDirect, 1, 1);

  addRows(this, grid, 0, 2,
          {{TxtSeqNo, "TxtSeqNo", "Starting Seqence No.", ""},
           {TxtSeq, "TxtSeq", "Simulating Sequences", ""},
           {TxtDistrDis, "TxtDistrDis", "Simulating Distance", "m"},
           {TxtInterval, "TxtInterval", "Data Points Interval", "m"},
           {TxtNodes, "TxtNodes", "Total Data Points", ""},
           {TxtLateralCol, "TxtLateralCol", "Lateral Translocation Columms", ""},
           {TxtSGWtF, "TxtSGWtF", "SG Weight: Front", ""},
           {TxtSGWtB, "TxtSGWtB", "SG Weight: Back", ""},
           {TxtSCScl, "TxtSCScl", "SC Scale", "m"},
           {TxtDRate1, "TxtDRate1", "Layer 1 Decay Rate", "%"},
           {TxtDRate2, "TxtDRate2", "Layer 2 Decay Rate", "%"}});
  addRows(this, grid, 4, 1,
          {{TxtTillD, "TxtTillD", "Tillage Depth", "m"},
           {TxtUpLrD, "TxtUpLrD", "Up-Layer Depth", "m"},
           {TxtSubLrD, "TxtSubLrD", "Sub-Layer Depth", "m"}});
  auto* density = new QLabel(QStringLiteral("Soil Bulk Density"), this);
  density->setObjectName(QStringLiteral("LblBD"));
  grid->addWidget(density, 4, 4);
  addRows(this, grid, 4, 5,
          {{TxtBD1, "TxtBD1", "Layer 1", "kg/m³"},
           {TxtBD2, "TxtBD2", "Layer 2", "kg/m³"},
           {TxtBD3, "TxtBD3", "Layer 3", "kg/m³"},
           {TxtAlpha, "TxtAlpha", "Alpha", "m"},
           {TxtBetta, "TxtBetta", "Betta", "m/%"},
           {TxtGamma, "TxtGamma", "Gamma", "m²/%"},
           {TxtInputFrq, "TxtInputFrq", "Input Frequency", "Seqs"},
           {TxtInputAmt, "TxtInputAmt", "Input Amount", "kg/m²"}});
  // "Layer 1" alone would not say which quantity the box holds.
  TxtBD1->setAccessibleName(QStringLiteral("Soil Bulk Density, Layer 1"));
  TxtBD2->setAccessibleName(QStringLiteral("Soil Bulk Density, Layer 2"));
  TxtBD3->setAccessibleName(QStringLiteral("Soil Bulk Density, Layer 3"));

  CmdParaOK = new QPushButton(QStringLiteral("OK"), this);
  CmdParaOK->setObjectName(QStringLiteral("CmdParaOK"));
  CmdRunKOLV = new QPushButton(QStringLiteral("Run KOLV"), this);
  CmdRunKOLV->setObjectName(QStringLiteral("CmdRunKOLV"));
  CmdQuit = new QPushButton(QStringLiteral("Quit"), this);
  CmdQuit->setObjectName(QStringLiteral("CmdQuit"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  for (QPushButton* b : {CmdParaOK, CmdRunKOLV, CmdQuit}) {
    b->setMinimumWidth(96);
    b->setAutoDefault(false);
    buttons->addWidget(b);
  }
  buttons->addStretch(1);

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(14, 10, 14, 12);
  outer->addLayout(grid);
  outer->addSpacing(12);
  LblStability = makeStabilityLine(this, QStringLiteral("LblStability"));
  outer->addWidget(LblStability);
  outer->addLayout(buttons);
}

void FrmKOLVParameter::load() {
  const TranslocationParameters& p = state_.params;
  TxtSeqNo->setText(integerText(p.StartSeq));
  TxtSeq->setText(integerText(p.SeqCount));
  TxtDistrDis->setText(singleText(p.DistrDistance));
  TxtInterval->setText(singleText(p.Interval));
  TxtNodes->setText(integerText(p.NodeCount));
  TxtLateralCol->setText(integerText(p.LateralColumns));
  TxtSGWtF->setText(singleText(p.SgWeightFront));
  TxtSGWtB->setText(singleText(p.SgWeightBack));
  TxtSCScl->setText(QString::fromStdString(scScaleBoxText(p.ScScale)));
  TxtDRate1->setText(doubleText(p.DecayRate1 * 100));
  TxtDRate2->setText(doubleText(p.DecayRate2 * 100));
  TxtTillD->setText(doubleText(p.TillDepth));
  TxtUpLrD->setText(doubleText(p.UpLayerDepth));
  TxtSubLrD->setText(doubleText(p.SubLayerDepth));
  TxtBD1->setText(doubleText(p.BulkDensity1));
  TxtBD2->setText(doubleText(p.BulkDensity2));
  TxtBD3->setText(doubleText(p.BulkDensity3));
  TxtAlpha->setText(singleText(p.Alpha));
  TxtBetta->setText(singleText(p.Beta));
  TxtGamma->setText(singleText(p.Gamma));
  TxtInputFrq->setText(integerText(p.InputFrequency));
  TxtInputAmt->setText(doubleText(p.InputAmount));
  CboTDirect->addItems(
      {QStringLiteral("Forward"), QStringLiteral("Backward"), QStringLiteral("Alternative")});
  if (p.TillDirection >= 0 && p.TillDirection <= 2) {
    CboTDirect->setCurrentIndex(p.TillDirection);
  } else {
    CboTDirect->setCurrentIndex(-1);
  }
  CmdRunKOLV->setEnabled(false);
  CmdQuit->setEnabled(true);
  CmdParaOK->setEnabled(true);
  updateStabilityLine();
}

// The run the parameters would make, estimated and measured with a few
// passes of the engine on the transect, before "Run KOLV" is pressed.
void FrmKOLVParameter::updateStabilityLine() {
  showStabilityLine(LblStability, beforeRunWarning(assessRun(state_), false));
}

bool FrmKOLVParameter::eventFilter(QObject* watched, QEvent* event) {
  auto* box = qobject_cast<QLineEdit*>(watched);
  if (event->type() == QEvent::FocusOut && box && checks_.count(box)) {
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) checkBox(box);
  } else if (event->type() == QEvent::MouseButtonPress && box && box->isReadOnly()) {
    ReadOnlyBox_Click();
  } else if (event->type() == QEvent::KeyPress && watched == CboTDirect->lineEdit()) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      // Enter would look the typed text up among the items: typed text is
      // never read, so the box shows the chosen item again instead.
      const int chosen = CboTDirect->currentIndex();
      CboTDirect->lineEdit()->setText(chosen >= 0 ? CboTDirect->itemText(chosen) : QString());
      return true;
    }
    // A typed character; keys that move the focus or the selection are not one.
    const QString typed = key->text();
    if (!typed.isEmpty() && typed.at(0).isPrint()) CboTDirect_KeyPress();
  }
  return QWidget::eventFilter(watched, event);
}

void FrmKOLVParameter::checkBox(QLineEdit* box) {
  const Check check = checks_.at(box);
  const CheckResult result = check(state_, box->text().toStdString());
  if (result && *result == Taken::Ignored) return;
  if (!result) {
    context_.messages.inform(result.message());
    box->setText(QString::fromStdString(keptBoxText(state_, check)));
  }
  CmdParaOK->setEnabled(true);
  updateStabilityLine();
}

void FrmKOLVParameter::EditableBox_Change() {
  CmdParaOK->setEnabled(true);
  CmdQuit->setEnabled(false);
}

void FrmKOLVParameter::ReadOnlyBox_Click() {
  context_.messages.inform(std::string(kReadOnlyMessage));
}

void FrmKOLVParameter::CboTDirect_Click(int index) {
  chooseTillDirection(state_, index);
  updateStabilityLine();
}

void FrmKOLVParameter::CboTDirect_KeyPress() {
  context_.messages.inform(std::string(kSelectFromListMessage));
}

void FrmKOLVParameter::CmdParaOK_Click() {
  // The focus moves first, so that a box still being edited is checked
  // before the buttons take their new states.
  CmdRunKOLV->setEnabled(true);
  CmdRunKOLV->setFocus();
  CmdParaOK->setEnabled(false);
  CmdQuit->setEnabled(false);
  emit parametersAccepted();
}

void FrmKOLVParameter::CmdQuit_Click() {
  hide();
  close();
  emit quitPressed();
}

void FrmKOLVParameter::helpLink_Click() {
  platform::showHelpPage(context_.programs, context_.messages, kolvHelpAddress());
}

void FrmKOLVParameter::CmdRunKOLV_Click() {
  hub_.closeDataViewer();
  context_.busy.setBusyPointer(true);
  context_.busy.showNote();
  const CommandOutcome outcome = runKolv(state_, context_.messages);
  if (!outcome.compared) {
    // Refused or failed with its message: nothing to show, the window stays
    // for another try; a failure also clears what the main window showed.
    context_.busy.hideNote();
    context_.busy.setBusyPointer(false);
    if (outcome.failed) emit runFailed();
    return;
  }
  hub_.showDataViewer();
  context_.busy.hideNote();
  context_.busy.setBusyPointer(false);
  hide();
  close();
  emit runFinished();
}

}  // namespace sodwright::kolv
