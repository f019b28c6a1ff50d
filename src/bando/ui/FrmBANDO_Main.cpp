#include "bando/ui/FrmBANDO_Main.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "bando/bando_run.h"
#include "bando/ui/FrmEtImp.h"
#include "shared_ui/link_label.h"
#include "shared_ui/help_page.h"
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

FrmBANDO_Main::FrmBANDO_Main(BandoState& state, platform::AppContext& context,
                             shared_ui::WindowHub& hub, QWidget* parent)
    : QWidget(parent), state_(state), context_(context), hub_(hub) {
  setObjectName(QStringLiteral("FrmBANDO_Main"));
  setWindowTitle(QStringLiteral("BANDO 05.1"));
  buildLayout();

  connect(ChkEIB, &QCheckBox::toggled, this, &FrmBANDO_Main::ChkEIB_Click);
  connect(ChkEtB, &QCheckBox::toggled, this, &FrmBANDO_Main::ChkEtB_Click);
  connect(CmdEIB, &QPushButton::clicked, this, &FrmBANDO_Main::CmdEIB_Click);
  connect(CmdEtB, &QPushButton::clicked, this, &FrmBANDO_Main::CmdEtB_Click);
  connect(CboSlpCl, &QComboBox::activated, this, &FrmBANDO_Main::CboSlpCl_Click);
  connect(CboSurfForm, &QComboBox::activated, this, &FrmBANDO_Main::CboSurfForm_Click);
  connect(CboCropType, &QComboBox::activated, this, &FrmBANDO_Main::CboCropType_Click);
  connect(CboAgrRegion, &QComboBox::activated, this, &FrmBANDO_Main::CboAgrRegion_Click);
  connect(CboTillSys, &QComboBox::activated, this, &FrmBANDO_Main::CboTillSys_Click);
  connect(CmdRunBANDO, &QPushButton::clicked, this, &FrmBANDO_Main::CmdRunBANDO_Click);
  connect(quitButton, &QPushButton::clicked, this, &FrmBANDO_Main::quitButton_Click);
  surfaceFormLink->onClick = [this] { surfaceFormLink_Click(); };
  helpLink->onClick = [this] { helpLink_Click(); };
  indicatorSeriesLink->onClick = [this] { indicatorSeriesLink_Click(); };
  shared_ui::addHelpKey(this, [this] { helpLink_Click(); });

  // Created anew (Quit only hides the window, so this is the first visit or
  // the user closed the window before): the lists show their first items, so the indexes start
  // there too, and both halves are in their table modes.
  state_.SlopeClassIdx = state_.SurfaceFormIdx = state_.CropTypeIdx = state_.RegionIdx =
      state_.TillSysIdx = 0;
  state_.UseSlopeData = 0;
  state_.UseTillageData = 0;
  LblEtNote->hide();
  setShown(slopeDataGroup(), false);
  setShown(eiResultGroup(), false);
  setShown(etResultGroup(), false);
  setShown(descriptorConnectors(), false);
  setShown(slopeDataConnectors(), false);
  setShown(cropConnectors(), false);
  applyControlStates(MainWindowEvent::Opened);
}

void FrmBANDO_Main::applyControlStates(MainWindowEvent event) {
  const MainWindowRow& row = mainWindowRowFor(event);
  for (int column = 0; column < kMainControls; ++column) {
    const Switch s = row[static_cast<std::size_t>(column)];
    if (s == Switch::Keep) continue;
    const bool on = s == Switch::On;
    switch (column) {
      case kSlopeBoxes:
        for (QLineEdit* slopeBox : {TxtMSG, TxtCSL, TxtCA}) slopeBox->setEnabled(on);
        break;
      case kSlopeLists:
        for (QComboBox* list : {CboSlpCl, CboSurfForm}) list->setEnabled(on);
        break;
      case kCropLists:
        for (QComboBox* list : {CboCropType, CboAgrRegion, CboTillSys}) list->setEnabled(on);
        break;
      case kRunBando:
        CmdRunBANDO->setEnabled(on);
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

QList<QWidget*> FrmBANDO_Main::descriptorGroup() const {
  return {slopeClassLabel, surfaceFormLink, CboSlpCl, CboSurfForm};
}
QList<QWidget*> FrmBANDO_Main::slopeDataGroup() const {
  return {slopeGradientLabel,
          slopeLengthLabel,
          convexAreaLabel,
          slopeGradientUnit,
          slopeLengthUnit,
          convexAreaUnit,
          TxtMSG,
          TxtCSL,
          TxtCA};
}
QList<QWidget*> FrmBANDO_Main::eiResultGroup() const { return {eiLabel, eiUnit, TxtEI}; }
QList<QWidget*> FrmBANDO_Main::cropGroup() const {
  return {cropTypeLabel, regionLabel, tillageSystemLabel, CboCropType, CboAgrRegion, CboTillSys};
}
QList<QWidget*> FrmBANDO_Main::etResultGroup() const { return {etLabel, etUnit, TxtEt}; }
QList<QWidget*> FrmBANDO_Main::descriptorConnectors() const {
  return {connectors[1], connectors[2], connectors[3],  connectors[4],
          connectors[5], connectors[6], connectors[17], connectors[19]};
}
QList<QWidget*> FrmBANDO_Main::slopeDataConnectors() const {
  return {connectors[7], connectors[8], connectors[9], connectors[10]};
}
QList<QWidget*> FrmBANDO_Main::cropConnectors() const {
  return {connectors[12], connectors[13], connectors[14], connectors[15]};
}

void FrmBANDO_Main::setShown(const QList<QWidget*>& controls, bool shown) {
  for (QWidget* control : controls) control->setVisible(shown);
}

void FrmBANDO_Main::emptyResultBoxes() {
  TxtEI->clear();
  TxtEt->clear();
  lblAt->clear();
  TxtBANDOClass->clear();
}

void FrmBANDO_Main::emptySlopeDataBoxes() {
  TxtMSG->clear();
  TxtCSL->clear();
  TxtCA->clear();
}

// --- check boxes and GO buttons ---------------------------------------------

void FrmBANDO_Main::ChkEIB_Click() {
  setShown(descriptorGroup(), false);
  setShown(slopeDataGroup(), false);
  setShown(eiResultGroup(), false);
  setShown(descriptorConnectors(), false);
  setShown(slopeDataConnectors(), false);
  CmdEIB->setFocus();
}

void FrmBANDO_Main::ChkEtB_Click() {
  setShown(cropGroup(), false);
  setShown(etResultGroup(), false);
  setShown(cropConnectors(), false);
  CmdEtB->setFocus();
}

void FrmBANDO_Main::CmdEIB_Click() {
  emptyResultBoxes();
  emptySlopeDataBoxes();
  const bool slopeData = ChkEIB->isChecked();
  if (slopeData) {
    setShown(slopeDataGroup(), true);
  } else {
    setShown(descriptorGroup(), true);
  }
  applyControlStates(slopeData ? MainWindowEvent::SlopeDataChosen
                               : MainWindowEvent::SlopeListsChosen);
  if (slopeData)
    TxtMSG->setFocus();
  else
    CboSlpCl->setFocus();
  state_.UseSlopeData = slopeData ? 1 : 0;
}

void FrmBANDO_Main::CmdEtB_Click() {
  emptyResultBoxes();
  if (ChkEtB->isChecked()) {
    applyControlStates(MainWindowEvent::CalculatorChosen);
    FrmEtImp& calculator = calculatorWindow();
    calculator.show();
    calculator.raise();
    state_.UseTillageData = 1;
    return;
  }
  setShown(cropGroup(), true);
  calculatorWindow().hide();
  applyControlStates(MainWindowEvent::CropListsChosen);
  CboCropType->setFocus();
  state_.UseTillageData = 0;
}

FrmBANDO_Main::~FrmBANDO_Main() { delete FrmEtImp_.data(); }

FrmEtImp& FrmBANDO_Main::calculatorWindow() {
  if (!FrmEtImp_) {
    // A window of its own: hiding or disabling this window leaves it as it is.
    FrmEtImp_ = new FrmEtImp(state_, context_);
    connect(FrmEtImp_, &FrmEtImp::totalChosen, this, &FrmBANDO_Main::FrmEtImp_OK);
    connect(FrmEtImp_, &FrmEtImp::cancelled, this, &FrmBANDO_Main::FrmEtImp_Cancel);
  }
  return *FrmEtImp_;
}

void FrmBANDO_Main::FrmEtImp_OK(const QString& totalText) {
  show();
  applyControlStates(MainWindowEvent::CalculatorHandedBack);
  setShown(etResultGroup(), true);
  TxtEt->setText(totalText);
}

void FrmBANDO_Main::FrmEtImp_Cancel() {
  show();
  applyControlStates(MainWindowEvent::CalculatorHandedBack);
  ChkEtB->setFocus();
}

// --- list picks ---------------------------------------------------------------

void FrmBANDO_Main::pickInList(BandoList list, QComboBox* box, QCheckBox* check, int position) {
  // The flag goes back to table mode and the index follows the pick;
  // a position that is no item changes no index.
  const std::optional<Int16> stored = PickListItem(state_, list, position);
  check->setChecked(false);  // runs the check box's behaviour if it was ticked
  emptyResultBoxes();
  if (list == BandoList::SlopeClass || list == BandoList::SurfaceForm) emptySlopeDataBoxes();
  if (stored) box->setCurrentIndex(*stored);
}

void FrmBANDO_Main::CboSlpCl_Click(int position) {
  pickInList(BandoList::SlopeClass, CboSlpCl, ChkEIB, position);
}
void FrmBANDO_Main::CboSurfForm_Click(int position) {
  pickInList(BandoList::SurfaceForm, CboSurfForm, ChkEIB, position);
}
void FrmBANDO_Main::CboCropType_Click(int position) {
  pickInList(BandoList::CropType, CboCropType, ChkEtB, position);
}
void FrmBANDO_Main::CboAgrRegion_Click(int position) {
  pickInList(BandoList::Region, CboAgrRegion, ChkEtB, position);
}
void FrmBANDO_Main::CboTillSys_Click(int position) {
  pickInList(BandoList::TillageSystem, CboTillSys, ChkEtB, position);
}

// --- the run ------------------------------------------------------------------

void FrmBANDO_Main::CmdRunBANDO_Click() {
  LblEtNote->hide();
  setShown(descriptorGroup(), true);
  setShown(descriptorConnectors(), true);
  setShown(slopeDataConnectors(), true);
  setShown(slopeDataGroup(), true);
  setShown(eiResultGroup(), true);

  const SlopeDataTexts typed{TxtMSG->text().toStdString(), TxtCSL->text().toStdString(),
                             TxtCA->text().toStdString()};
  const BandoRunOutcome outcome = runBando(state_, typed);

  if (state_.UseSlopeData != 0) {
    setShown(descriptorGroup(), false);
    setShown(descriptorConnectors(), false);
  }
  setIfGiven(TxtMSG, outcome.msgText);
  setIfGiven(TxtCSL, outcome.cslText);
  setIfGiven(TxtCA, outcome.caText);
  setIfGiven(TxtEI, outcome.eiText);
  // The slope-data messages belong to the erodibility step: shown before the
  // erosivity step fills Et, the rate and the class.
  for (const std::string& message : outcome.erodibilityMessages) context_.messages.inform(message);

  if (outcome.stop != RunStop::Erodibility) {
    setShown(cropGroup(), true);
    setShown(cropConnectors(), true);
    setShown(etResultGroup(), true);
    if (state_.UseTillageData != 0) {
      setShown(cropGroup(), false);
      setShown(cropConnectors(), false);
    }
    setIfGiven(TxtEt, outcome.etText);
    if (outcome.atText) lblAt->setText(fromText(*outcome.atText));
    setIfGiven(TxtBANDOClass, outcome.classText);
    LblEtNote->setVisible(outcome.etNoteVisible);
  }

  for (const std::string& message : outcome.messages) context_.messages.inform(message);
  if (outcome.focus == RunFocus::TxtMSG) TxtMSG->setFocus();
  if (outcome.focus == RunFocus::CboCropType) CboCropType->setFocus();
}

// --- leaving and links ----------------------------------------------------------

void FrmBANDO_Main::quitButton_Click() {
  // Only hidden: the chooser hands this same window out on the next visit,
  // with everything as it is now.
  hub_.showChooser();
  hide();
  applyControlStates(MainWindowEvent::Quit);
}

void FrmBANDO_Main::closeEvent(QCloseEvent* event) {
  // Closed, not quit: the chooser makes a new window next time. The hub
  // brings the chooser back once this window is gone.
  event->accept();
}

void FrmBANDO_Main::surfaceFormLink_Click() {
  platform::showHelpPage(context_.programs, context_.messages,
                         shared_ui::helpPageAddress(shared_ui::kHelpLandformSurfaceForms));
  surfaceFormLink->setStyleSheet(kVisitedLink);
}

void FrmBANDO_Main::helpLink_Click() {
  platform::showHelpPage(context_.programs, context_.messages,
                         shared_ui::helpPageAddress(shared_ui::kHelpBando));
}

void FrmBANDO_Main::indicatorSeriesLink_Click() {
  platform::showHelpPage(context_.programs, context_.messages,
                         shared_ui::helpPageAddress(shared_ui::kHelpIndicator));
  indicatorSeriesLink->setStyleSheet(kVisitedLink);
}

}  // namespace sodwright::bando
