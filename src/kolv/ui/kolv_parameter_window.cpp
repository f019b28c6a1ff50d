// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/ui/kolv_parameter_window.h"

#include <array>
#include <cmath>

#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "base/number_text.h"
#include "kolv/check_refusals.h"
#include "kolv/kolv_commands.h"
#include "kolv/parameter_table.h"
#include "kolv/stability/stability_warning.h"
#include "kolv/state/substance_unit.h"
#include "kolv/ui/kolv_help.h"
#include "kolv/ui/stability_line.h"
#include "platform/busy_indicator.h"
#include "shared_ui/data_viewer.h"
#include "shared_ui/window_hub.h"

namespace sodwright::kolv {
namespace {

QString text(const std::string& s) { return QString::fromStdString(s); }
QString integerText(Int16 v) { return text(base::generalText(static_cast<long long>(v))); }
QString singleText(float v) { return text(base::generalTextSingle(v)); }
QString doubleText(double v) { return text(base::generalText(v)); }
const char* captionOf(KolvParameter id) { return kolvParameter(id).caption; }

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

KolvParameterWindow::KolvParameterWindow(KolvState& state, platform::AppContext& context,
                                         shared_ui::WindowHub& hub, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window), state_(state), context_(context), hub_(hub) {
  setObjectName(QStringLiteral("FrmKOLVParameter"));
  setWindowTitle(QStringLiteral("KOLV Parameters"));
  setAttribute(Qt::WA_DeleteOnClose);
  buildLayout();
  // The boxes in the parameter table's order; each applies its row's check.
  const std::array<QLineEdit*, kKolvParameterCount> boxes = {
      sequenceCountBox, nodeCountBox,    lateralColumnsBox, sgWeightFrontBox,
      sgWeightBackBox,  scScaleBox,      decayRate1Box,     decayRate2Box,
      tillageDepthBox,  upLayerDepthBox, subLayerDepthBox,  alphaBox,
      betaBox,          gammaBox,        inputFrequencyBox, inputAmountBox};
  for (std::size_t i = 0; i < boxes.size(); ++i) checks_[boxes[i]] = kolvParameters()[i].check;
  for (auto& [box, check] : checks_) {
    box->installEventFilter(this);
    connect(box, &QLineEdit::textChanged, this, &KolvParameterWindow::onEditableBoxChanged);
  }
  for (QLineEdit* box : {startingSequenceBox, distributionDistanceBox, pointIntervalBox,
                         bulkDensity1Box, bulkDensity2Box, bulkDensity3Box}) {
    // Shown only: what is typed here is never read back.
    box->setReadOnly(true);
    box->installEventFilter(this);
  }
  tillageDirectionList->lineEdit()->installEventFilter(this);
  connect(tillageDirectionList, &QComboBox::activated, this,
          &KolvParameterWindow::onTillageDirectionActivated);
  connect(okButton, &QPushButton::clicked, this, &KolvParameterWindow::onOkClicked);
  connect(runKolvButton, &QPushButton::clicked, this, &KolvParameterWindow::onRunKolvClicked);
  connect(quitButton, &QPushButton::clicked, this, &KolvParameterWindow::onQuitClicked);
  helpLinkLabel->onClick = [this] { onHelpLinkClicked(); };
  shared_ui::addHelpKey(this, [this] { onHelpLinkClicked(); });
  load();
}

void KolvParameterWindow::buildLayout() {
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(8);
  grid->setColumnMinimumWidth(3, 28);

  helpLinkLabel = new shared_ui::LinkLabel(QStringLiteral("Help!"), this);
  helpLinkLabel->setObjectName(QStringLiteral("Label47"));
  helpLinkLabel->setStyleSheet(QStringLiteral("color: red; text-decoration: underline;"));
  helpLinkLabel->setCursor(Qt::PointingHandCursor);
  helpLinkLabel->setAccessibleName(QStringLiteral("Help on the KOLV parameters"));
  grid->addWidget(helpLinkLabel, 0, 0);

  tillageDirectionList = new QComboBox(this);
  tillageDirectionList->setObjectName(QStringLiteral("CboTDirect"));
  // An editable list, so that a typed key can be answered; the typed text is never read.
  tillageDirectionList->setEditable(true);
  tillageDirectionList->setInsertPolicy(QComboBox::NoInsert);
  tillageDirectionList->setCompleter(nullptr);  // no item is completed from typed text either
  tillageDirectionList->setMaximumWidth(110);
  auto* directionLabel = new QLabel(QStringLiteral("Tillage Direction"), this);
  directionLabel->setObjectName(QStringLiteral("LblTDirect"));
  directionLabel->setBuddy(tillageDirectionList);
  grid->addWidget(directionLabel, 1, 0);
  grid->addWidget(tillageDirectionList, 1, 1);

  addRows(this, grid, 0, 2,
          {{startingSequenceBox, "TxtSeqNo", "Starting Seqence No.", ""},
           {sequenceCountBox, "TxtSeq", captionOf(KolvParameter::Sequences), ""},
           {distributionDistanceBox, "TxtDistrDis", "Simulating Distance", "m"},
           {pointIntervalBox, "TxtInterval", "Data Points Interval", "m"},
           {nodeCountBox, "TxtNodes", captionOf(KolvParameter::Nodes), ""},
           {lateralColumnsBox, "TxtLateralCol", captionOf(KolvParameter::LateralColumns), ""},
           {sgWeightFrontBox, "TxtSGWtF", captionOf(KolvParameter::SgWeightFront), ""},
           {sgWeightBackBox, "TxtSGWtB", captionOf(KolvParameter::SgWeightBack), ""},
           {scScaleBox, "TxtSCScl", captionOf(KolvParameter::ScScale), "m"},
           {decayRate1Box, "TxtDRate1", captionOf(KolvParameter::DecayRate1), "%"},
           {decayRate2Box, "TxtDRate2", captionOf(KolvParameter::DecayRate2), "%"}});
  addRows(this, grid, 4, 1,
          {{tillageDepthBox, "TxtTillD", captionOf(KolvParameter::TillDepth), "m"},
           {upLayerDepthBox, "TxtUpLrD", captionOf(KolvParameter::UpLayerDepth), "m"},
           {subLayerDepthBox, "TxtSubLrD", captionOf(KolvParameter::SubLayerDepth), "m"}});
  auto* density = new QLabel(QStringLiteral("Soil Bulk Density"), this);
  density->setObjectName(QStringLiteral("LblBD"));
  grid->addWidget(density, 4, 4);
  addRows(this, grid, 4, 5,
          {{bulkDensity1Box, "TxtBD1", "Layer 1", "kg/m³"},
           {bulkDensity2Box, "TxtBD2", "Layer 2", "kg/m³"},
           {bulkDensity3Box, "TxtBD3", "Layer 3", "kg/m³"},
           {alphaBox, "TxtAlpha", captionOf(KolvParameter::Alpha), "m"},
           {betaBox, "TxtBetta", captionOf(KolvParameter::Beta), "m/%"},
           {gammaBox, "TxtGamma", captionOf(KolvParameter::Gamma), "m²/%"},
           {inputFrequencyBox, "TxtInputFrq", captionOf(KolvParameter::InputFrequency), "Seqs"},
           {inputAmountBox, "TxtInputAmt", captionOf(KolvParameter::InputAmount), "kg/m²"}});
  // "Layer 1" alone would not say which quantity the box holds.
  bulkDensity1Box->setAccessibleName(QStringLiteral("Soil Bulk Density, Layer 1"));
  bulkDensity2Box->setAccessibleName(QStringLiteral("Soil Bulk Density, Layer 2"));
  bulkDensity3Box->setAccessibleName(QStringLiteral("Soil Bulk Density, Layer 3"));

  okButton = new QPushButton(QStringLiteral("OK"), this);
  okButton->setObjectName(QStringLiteral("CmdParaOK"));
  runKolvButton = new QPushButton(QStringLiteral("Run KOLV"), this);
  runKolvButton->setObjectName(QStringLiteral("CmdRunKOLV"));
  quitButton = new QPushButton(QStringLiteral("Quit"), this);
  quitButton->setObjectName(QStringLiteral("CmdQuit"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  for (QPushButton* b : {okButton, runKolvButton, quitButton}) {
    b->setMinimumWidth(96);
    b->setAutoDefault(false);
    buttons->addWidget(b);
  }
  buttons->addStretch(1);

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(14, 10, 14, 12);
  outer->addLayout(grid);
  outer->addSpacing(12);
  stabilityLabel = makeStabilityLine(this, QStringLiteral("LblStability"));
  outer->addWidget(stabilityLabel);
  outer->addLayout(buttons);
}

void KolvParameterWindow::load() {
  const TranslocationParameters& p = state_.params;
  startingSequenceBox->setText(integerText(p.StartSeq));
  sequenceCountBox->setText(integerText(p.SeqCount));
  distributionDistanceBox->setText(singleText(p.DistrDistance));
  pointIntervalBox->setText(singleText(p.Interval));
  nodeCountBox->setText(integerText(p.NodeCount));
  lateralColumnsBox->setText(integerText(p.LateralColumns));
  sgWeightFrontBox->setText(singleText(p.SgWeightFront));
  sgWeightBackBox->setText(singleText(p.SgWeightBack));
  scScaleBox->setText(QString::fromStdString(scScaleText(p.ScScale)));
  decayRate1Box->setText(doubleText(p.DecayRate1 * 100));
  decayRate2Box->setText(doubleText(p.DecayRate2 * 100));
  tillageDepthBox->setText(doubleText(p.TillDepth));
  upLayerDepthBox->setText(doubleText(p.UpLayerDepth));
  subLayerDepthBox->setText(doubleText(p.SubLayerDepth));
  bulkDensity1Box->setText(doubleText(p.BulkDensity1));
  bulkDensity2Box->setText(doubleText(p.BulkDensity2));
  bulkDensity3Box->setText(doubleText(p.BulkDensity3));
  alphaBox->setText(singleText(p.Alpha));
  betaBox->setText(singleText(p.Beta));
  gammaBox->setText(singleText(p.Gamma));
  inputFrequencyBox->setText(integerText(p.InputFrequency));
  inputAmountBox->setText(doubleText(p.InputAmount));
  // The amount is in the transect's substance mass per m², not a fixed unit.
  if (auto* unit = findChild<QLabel*>(QStringLiteral("LblUnitInputAmt")))
    unit->setText(QString::fromStdString(inputAmountUnit(state_.data.SubstanceUnit, "m²")));
  tillageDirectionList->addItems(
      {QStringLiteral("Forward"), QStringLiteral("Backward"), QStringLiteral("Alternative")});
  if (p.TillDirection >= 0 && p.TillDirection <= 2) {
    tillageDirectionList->setCurrentIndex(p.TillDirection);
  } else {
    tillageDirectionList->setCurrentIndex(-1);
  }
  runKolvButton->setEnabled(false);
  quitButton->setEnabled(true);
  okButton->setEnabled(true);
  updateStabilityLine();
}

// The run the parameters would make, estimated and measured with a few
// passes of the engine on the transect, before "Run KOLV" is pressed.
void KolvParameterWindow::updateStabilityLine() {
  showStabilityLine(stabilityLabel, beforeRunWarning(assessRun(state_), false));
}

bool KolvParameterWindow::eventFilter(QObject* watched, QEvent* event) {
  auto* box = qobject_cast<QLineEdit*>(watched);
  if (event->type() == QEvent::FocusOut && box && checks_.count(box)) {
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) checkBox(box);
  } else if (event->type() == QEvent::MouseButtonPress && box && box->isReadOnly()) {
    onReadOnlyBoxClicked();
  } else if (event->type() == QEvent::KeyPress && watched == tillageDirectionList->lineEdit()) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      // Enter would look the typed text up among the items: typed text is
      // never read, so the box shows the chosen item again instead.
      const int chosen = tillageDirectionList->currentIndex();
      tillageDirectionList->lineEdit()->setText(chosen >= 0 ? tillageDirectionList->itemText(chosen)
                                                            : QString());
      return true;
    }
    // A typed character; keys that move the focus or the selection are not one.
    const QString typed = key->text();
    if (!typed.isEmpty() && typed.at(0).isPrint()) onTillageDirectionKeyTyped();
  }
  return QWidget::eventFilter(watched, event);
}

void KolvParameterWindow::checkBox(QLineEdit* box) {
  const Check check = checks_.at(box);
  const std::string typed = box->text().toStdString();
  const CheckResult result = check(state_, typed);
  if (result && *result == Taken::Ignored) return;
  if (!result) {
    context_.messages.informWithDetail(
        result.message(), base::boxRefusalDetail(typed, refusalOf(check, state_, typed)));
    box->setText(QString::fromStdString(keptValueText(state_, check)));
  }
  okButton->setEnabled(true);
  updateStabilityLine();
}

void KolvParameterWindow::onEditableBoxChanged() {
  okButton->setEnabled(true);
  quitButton->setEnabled(false);
}

void KolvParameterWindow::onReadOnlyBoxClicked() {
  context_.messages.inform(std::string(kReadOnlyMessage));
}

void KolvParameterWindow::onTillageDirectionActivated(int index) {
  chooseTillDirection(state_, index);
  updateStabilityLine();
}

void KolvParameterWindow::onTillageDirectionKeyTyped() {
  context_.messages.inform(std::string(kSelectFromListMessage));
}

void KolvParameterWindow::onOkClicked() {
  // The focus moves first, so that a box still being edited is checked
  // before the buttons take their new states.
  runKolvButton->setEnabled(true);
  runKolvButton->setFocus();
  okButton->setEnabled(false);
  quitButton->setEnabled(false);
  emit parametersAccepted();
}

void KolvParameterWindow::onQuitClicked() {
  hide();
  close();
  emit quitPressed();
}

void KolvParameterWindow::onHelpLinkClicked() {
  platform::showHelpPage(context_.programs, context_.messages, kolvHelpAddress());
}

void KolvParameterWindow::onRunKolvClicked() {
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
