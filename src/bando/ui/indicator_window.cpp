// SPDX-License-Identifier: GPL-3.0-or-later
#include "bando/ui/indicator_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "bando/bando_refusals.h"
#include "bando/bando_run.h"
#include "bando/ui/erosivity_calculator.h"
#include "base/text/refusal_text.h"
#include "shared_ui/help_page.h"
#include "shared_ui/link_label.h"
#include "shared_ui/window_hub.h"

namespace sodwright::bando {

namespace {

const QString kVisitedLink = QStringLiteral("color: rgb(128, 0, 128); text-decoration: underline;");

QString fromText(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

void setIfGiven(QLineEdit* box, const std::optional<std::string>& text) {
  if (text) box->setText(fromText(*text));
}

}  // namespace

IndicatorWindow::IndicatorWindow(BandoState& state, platform::AppContext& context,
                                 shared_ui::WindowHub& hub, QWidget* parent)
    : QWidget(parent), state_(state), context_(context), hub_(hub) {
  setObjectName(QStringLiteral("FrmBANDO_Main"));
  setWindowTitle(QStringLiteral("BANDO 05.1"));
  buildLayout();

  connect(slopeDataCheck, &QCheckBox::toggled, this, &IndicatorWindow::onSlopeDataToggled);
  connect(tillageDataCheck, &QCheckBox::toggled, this, &IndicatorWindow::onTillageDataToggled);
  connect(erodibilityGoButton, &QPushButton::clicked, this,
          &IndicatorWindow::onErodibilityGoClicked);
  connect(erosivityGoButton, &QPushButton::clicked, this, &IndicatorWindow::onErosivityGoClicked);
  connect(slopeClassList, &QComboBox::activated, this, &IndicatorWindow::onSlopeClassActivated);
  connect(surfaceFormList, &QComboBox::activated, this, &IndicatorWindow::onSurfaceFormActivated);
  connect(cropTypeList, &QComboBox::activated, this, &IndicatorWindow::onCropTypeActivated);
  connect(regionList, &QComboBox::activated, this, &IndicatorWindow::onRegionActivated);
  connect(tillageSystemList, &QComboBox::activated, this,
          &IndicatorWindow::onTillageSystemActivated);
  connect(runButton, &QPushButton::clicked, this, &IndicatorWindow::onRunClicked);
  connect(quitButton, &QPushButton::clicked, this, &IndicatorWindow::onQuitClicked);
  surfaceFormLink->onClick = [this] { onSurfaceFormLinkClicked(); };
  helpLink->onClick = [this] { onHelpLinkClicked(); };
  indicatorSeriesLink->onClick = [this] { onIndicatorSeriesLinkClicked(); };
  shared_ui::addHelpKey(this, [this] { onHelpLinkClicked(); });

  // Created anew (Quit only hides the window, so this is the first visit or
  // the user closed the window before): the lists show their first items, so the indexes start
  // there too, and both halves are in their table modes.
  state_.SlopeClassIdx = state_.SurfaceFormIdx = state_.CropTypeIdx = state_.RegionIdx =
      state_.TillSysIdx = 0;
  state_.UseSlopeData = 0;
  state_.UseTillageData = 0;
  erosivityNoteLabel->hide();
  setShown(slopeDataGroup(), false);
  setShown(eiResultGroup(), false);
  setShown(etResultGroup(), false);
  setShown(descriptorConnectors(), false);
  setShown(slopeDataConnectors(), false);
  setShown(cropConnectors(), false);
  applyControlStates(MainWindowEvent::Opened);
}

void IndicatorWindow::applyControlStates(MainWindowEvent event) {
  const MainWindowRow& row = mainWindowRowFor(event);
  for (int column = 0; column < kMainControls; ++column) {
    const Switch s = row[static_cast<std::size_t>(column)];
    if (s == Switch::Keep) continue;
    const bool on = s == Switch::On;
    switch (column) {
      case kSlopeBoxes:
        for (QLineEdit* slopeBox : {maxSlopeGradientBox, convexSlopeLengthBox, convexAreaBox})
          slopeBox->setEnabled(on);
        break;
      case kSlopeLists:
        for (QComboBox* list : {slopeClassList, surfaceFormList}) list->setEnabled(on);
        break;
      case kCropLists:
        for (QComboBox* list : {cropTypeList, regionList, tillageSystemList}) list->setEnabled(on);
        break;
      case kRunBando:
        runButton->setEnabled(on);
        break;
      case kCalculator:
        calculatorWindow().setEnabled(on);
        break;
      default:
        setEnabled(on);
        break;
    }
  }
}

// --- control groups ---------------------------------------------------------

QList<QWidget*> IndicatorWindow::descriptorGroup() const {
  return {slopeClassLabel, surfaceFormLink, slopeClassList, surfaceFormList};
}
QList<QWidget*> IndicatorWindow::slopeDataGroup() const {
  return {slopeGradientLabel,  slopeLengthLabel,     convexAreaLabel,
          slopeGradientUnit,   slopeLengthUnit,      convexAreaUnit,
          maxSlopeGradientBox, convexSlopeLengthBox, convexAreaBox};
}
QList<QWidget*> IndicatorWindow::eiResultGroup() const { return {eiLabel, eiUnit, erodibilityBox}; }
QList<QWidget*> IndicatorWindow::cropGroup() const {
  return {cropTypeLabel, regionLabel, tillageSystemLabel,
          cropTypeList,  regionList,  tillageSystemList};
}
QList<QWidget*> IndicatorWindow::etResultGroup() const { return {etLabel, etUnit, erosivityBox}; }
QList<QWidget*> IndicatorWindow::descriptorConnectors() const {
  return {connectors[1], connectors[2], connectors[3],  connectors[4],
          connectors[5], connectors[6], connectors[17], connectors[19]};
}
QList<QWidget*> IndicatorWindow::slopeDataConnectors() const {
  return {connectors[7], connectors[8], connectors[9], connectors[10]};
}
QList<QWidget*> IndicatorWindow::cropConnectors() const {
  return {connectors[12], connectors[13], connectors[14], connectors[15]};
}

void IndicatorWindow::setShown(const QList<QWidget*>& controls, bool shown) {
  for (QWidget* control : controls) control->setVisible(shown);
}

void IndicatorWindow::emptyResultBoxes() {
  erodibilityBox->clear();
  erosivityBox->clear();
  rateBox->clear();
  classBox->clear();
}

void IndicatorWindow::emptySlopeDataBoxes() {
  maxSlopeGradientBox->clear();
  convexSlopeLengthBox->clear();
  convexAreaBox->clear();
}

// --- check boxes and GO buttons ---------------------------------------------

void IndicatorWindow::onSlopeDataToggled() {
  setShown(descriptorGroup(), false);
  setShown(slopeDataGroup(), false);
  setShown(eiResultGroup(), false);
  setShown(descriptorConnectors(), false);
  setShown(slopeDataConnectors(), false);
  erodibilityGoButton->setFocus();
}

void IndicatorWindow::onTillageDataToggled() {
  setShown(cropGroup(), false);
  setShown(etResultGroup(), false);
  setShown(cropConnectors(), false);
  erosivityGoButton->setFocus();
}

void IndicatorWindow::onErodibilityGoClicked() {
  emptyResultBoxes();
  emptySlopeDataBoxes();
  const bool slopeData = slopeDataCheck->isChecked();
  if (slopeData) {
    setShown(slopeDataGroup(), true);
  } else {
    setShown(descriptorGroup(), true);
  }
  applyControlStates(slopeData ? MainWindowEvent::SlopeDataChosen
                               : MainWindowEvent::SlopeListsChosen);
  if (slopeData)
    maxSlopeGradientBox->setFocus();
  else
    slopeClassList->setFocus();
  state_.UseSlopeData = slopeData ? 1 : 0;
}

void IndicatorWindow::onErosivityGoClicked() {
  emptyResultBoxes();
  if (tillageDataCheck->isChecked()) {
    applyControlStates(MainWindowEvent::CalculatorChosen);
    ErosivityCalculator& calculator = calculatorWindow();
    calculator.show();
    calculator.raise();
    state_.UseTillageData = 1;
    return;
  }
  setShown(cropGroup(), true);
  calculatorWindow().hide();
  applyControlStates(MainWindowEvent::CropListsChosen);
  cropTypeList->setFocus();
  state_.UseTillageData = 0;
}

IndicatorWindow::~IndicatorWindow() { delete calculator_.data(); }

ErosivityCalculator& IndicatorWindow::calculatorWindow() {
  if (!calculator_) {
    // A window of its own: hiding or disabling this window leaves it as it is.
    calculator_ = new ErosivityCalculator(state_, context_);
    connect(calculator_, &ErosivityCalculator::totalChosen, this,
            &IndicatorWindow::onCalculatorTotalChosen);
    connect(calculator_, &ErosivityCalculator::cancelled, this,
            &IndicatorWindow::onCalculatorCancelled);
  }
  return *calculator_;
}

void IndicatorWindow::onCalculatorTotalChosen(const QString& totalText) {
  show();
  applyControlStates(MainWindowEvent::CalculatorHandedBack);
  setShown(etResultGroup(), true);
  erosivityBox->setText(totalText);
}

void IndicatorWindow::onCalculatorCancelled() {
  show();
  applyControlStates(MainWindowEvent::CalculatorHandedBack);
  tillageDataCheck->setFocus();
}

// --- list picks ---------------------------------------------------------------

void IndicatorWindow::pickInList(BandoList list, QComboBox* box, QCheckBox* check, int position) {
  // The flag goes back to table mode and the index follows the pick;
  // a position that is no item changes no index.
  const std::optional<Int16> stored = PickListItem(state_, list, position);
  check->setChecked(false);  // runs the check box's behaviour if it was ticked
  emptyResultBoxes();
  if (list == BandoList::SlopeClass || list == BandoList::SurfaceForm) emptySlopeDataBoxes();
  if (stored) box->setCurrentIndex(*stored);
}

void IndicatorWindow::onSlopeClassActivated(int position) {
  pickInList(BandoList::SlopeClass, slopeClassList, slopeDataCheck, position);
}
void IndicatorWindow::onSurfaceFormActivated(int position) {
  pickInList(BandoList::SurfaceForm, surfaceFormList, slopeDataCheck, position);
}
void IndicatorWindow::onCropTypeActivated(int position) {
  pickInList(BandoList::CropType, cropTypeList, tillageDataCheck, position);
}
void IndicatorWindow::onRegionActivated(int position) {
  pickInList(BandoList::Region, regionList, tillageDataCheck, position);
}
void IndicatorWindow::onTillageSystemActivated(int position) {
  pickInList(BandoList::TillageSystem, tillageSystemList, tillageDataCheck, position);
}

// --- the run ------------------------------------------------------------------

void IndicatorWindow::onRunClicked() {
  erosivityNoteLabel->hide();
  setShown(descriptorGroup(), true);
  setShown(descriptorConnectors(), true);
  setShown(slopeDataConnectors(), true);
  setShown(slopeDataGroup(), true);
  setShown(eiResultGroup(), true);

  const SlopeDataTexts typed{maxSlopeGradientBox->text().toStdString(),
                             convexSlopeLengthBox->text().toStdString(),
                             convexAreaBox->text().toStdString()};
  const BandoRunOutcome outcome = runBando(state_, typed);

  if (state_.UseSlopeData != 0) {
    setShown(descriptorGroup(), false);
    setShown(descriptorConnectors(), false);
  }
  setIfGiven(maxSlopeGradientBox, outcome.msgText);
  setIfGiven(convexSlopeLengthBox, outcome.cslText);
  setIfGiven(convexAreaBox, outcome.caText);
  setIfGiven(erodibilityBox, outcome.eiText);
  // The slope-data messages belong to the erodibility step: shown before the
  // erosivity step fills Et, the rate and the class.
  for (const std::string& message : outcome.erodibilityMessages) {
    if (message != kPleaseInputData) {
      context_.messages.inform(message);
      continue;
    }
    const SlopeDataRefusal refused = slopeDataRefusal(typed);
    context_.messages.informWithDetail(
        message, refused.box + ": " + base::boxRefusalDetail(refused.typed, refused.refusal));
  }

  if (outcome.stop != RunStop::Erodibility) {
    setShown(cropGroup(), true);
    setShown(cropConnectors(), true);
    setShown(etResultGroup(), true);
    if (state_.UseTillageData != 0) {
      setShown(cropGroup(), false);
      setShown(cropConnectors(), false);
    }
    setIfGiven(erosivityBox, outcome.etText);
    if (outcome.atText) rateBox->setText(fromText(*outcome.atText));
    setIfGiven(classBox, outcome.classText);
    erosivityNoteLabel->setVisible(outcome.etNoteVisible);
  }

  for (const std::string& message : outcome.messages) context_.messages.inform(message);
  if (outcome.focus == RunFocus::MaxSlopeGradient) maxSlopeGradientBox->setFocus();
  if (outcome.focus == RunFocus::CropType) cropTypeList->setFocus();
}

// --- leaving and links ----------------------------------------------------------

void IndicatorWindow::onQuitClicked() {
  // Only hidden: the chooser hands this same window out on the next visit,
  // with everything as it is now.
  hub_.showChooser();
  hide();
  applyControlStates(MainWindowEvent::Quit);
}

void IndicatorWindow::closeEvent(QCloseEvent* event) {
  // Closed, not quit: the chooser makes a new window next time. The hub
  // brings the chooser back once this window is gone.
  event->accept();
}

void IndicatorWindow::onSurfaceFormLinkClicked() {
  platform::showHelpPage(context_.programs, context_.messages,
                         shared_ui::helpPageAddress(shared_ui::kHelpLandformSurfaceForms));
  surfaceFormLink->setStyleSheet(kVisitedLink);
}

void IndicatorWindow::onHelpLinkClicked() {
  platform::showHelpPage(context_.programs, context_.messages,
                         shared_ui::helpPageAddress(shared_ui::kHelpBando));
}

void IndicatorWindow::onIndicatorSeriesLinkClicked() {
  platform::showHelpPage(context_.programs, context_.messages,
                         shared_ui::helpPageAddress(shared_ui::kHelpIndicator));
  indicatorSeriesLink->setStyleSheet(kVisitedLink);
}

}  // namespace sodwright::bando
