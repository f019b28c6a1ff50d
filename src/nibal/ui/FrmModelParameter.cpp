#include "nibal/ui/FrmModelParameter.h"

#include "nibal/grid_csv_writer.h"
#include "nibal/grid_messages.h"
#include "nibal/grid_report.h"
#include "platform/busy_indicator.h"
#include "platform/file_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>
#include <string>
#include <utility>

#include "nibal/grid_commands.h"
#include "nibal/grid_report.h"
#include "nibal/ui/FrmGridMap.h"
#include "base/text/report_date.h"
#include "shared_ui/help_page.h"
#include "shared_ui/link_label.h"

namespace sodwright::nibal {

namespace {

QLineEdit* makeBox(const char* name, const std::string& text, const QString& accessibleName,
                   QWidget* parent) {
  auto* box = new QLineEdit(QString::fromStdString(text), parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setAccessibleName(accessibleName);
  box->setMaximumWidth(90);
  return box;
}

QLabel* makeLabel(const char* name, const QString& caption, QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(QString::fromLatin1(name));
  return label;
}

}  // namespace

FrmModelParameter::FrmModelParameter(GridState& state, platform::AppContext& context,
                                     QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), context_(context) {
  setObjectName(QStringLiteral("FrmModelParameter"));
  setWindowTitle(QStringLiteral("NIBAL Parameters"));
  buildLayout();
  connect(CmdRunModel, &QPushButton::clicked, this, &FrmModelParameter::CmdRunModel_Click);
  connect(CmdQuit, &QPushButton::clicked, this, &FrmModelParameter::CmdQuit_Click);
  connect(CmdSaveCsv, &QPushButton::clicked, this, &FrmModelParameter::CmdSaveCsv_Click);
  connect(CmdShowMap, &QPushButton::clicked, this, &FrmModelParameter::CmdShowMap_Click);
  Help->onClick = [this] { Help_Click(); };
  shared_ui::addHelpKey(this, [this] { Help_Click(); });
  applyButtonStates(ParameterWindowEvent::Opened);
}

void FrmModelParameter::applyButtonStates(ParameterWindowEvent event) {
  const ParameterWindowRow& row = parameterWindowRowFor(event);
  const std::array<std::pair<QPushButton*, bool>, kParameterButtons> buttons = {
      std::pair{CmdSaveCsv, hasResults(state_)},
      std::pair{CmdShowMap, layerAvailable(state_, MapLayer::SoilLossSum)}};
  for (std::size_t button = 0; button < buttons.size(); ++button) {
    const Switch s = row[button];
    if (s == Switch::Keep) continue;
    const auto& [control, withResults] = buttons[button];
    control->setEnabled(s == Switch::On || (s == Switch::OnWithResults && withResults));
  }
}

void FrmModelParameter::buildLayout() {
  auto* title = makeLabel("LblTitle", QStringLiteral(" NIBAL        Parameters"), this);
  QFont titleFont = title->font();
  titleFont.setBold(true);
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
  title->setFont(titleFont);
  title->setAlignment(Qt::AlignCenter);

  const GridParameterTexts defaults;
  txtBettaRow = makeBox("txtBettaRow", defaults.BettaRow,
                        QStringLiteral("Betta, Row Direction Tillage"), this);
  txtGammaRow = makeBox("txtGammaRow", defaults.GammaRow,
                        QStringLiteral("Gamma, Row Direction Tillage"), this);
  txtBettaCol = makeBox("txtBettaCol", defaults.BettaCol,
                        QStringLiteral("Betta, Column Direction Tillage"), this);
  txtGammaCol = makeBox("txtGammaCol", defaults.GammaCol,
                        QStringLiteral("Gamma, Column Direction Tillage"), this);

  // Each heading names one box for the keyboard; the accessible names above
  // name all four in full.
  auto* betta = makeLabel("LblBetta", QStringLiteral("&Betta"), this);
  auto* gamma = makeLabel("LblGamma", QStringLiteral("&Gamma"), this);
  auto* rowHeading = makeLabel("LblRowTillage", QStringLiteral("&Row Direction Tillage"), this);
  auto* columnHeading =
      makeLabel("LblColumnTillage", QStringLiteral("&Column Direction Tillage"), this);
  rowHeading->setBuddy(txtBettaRow);
  columnHeading->setBuddy(txtBettaCol);
  betta->setBuddy(txtBettaRow);
  gamma->setBuddy(txtGammaRow);

  auto* table = new QGridLayout;
  table->addWidget(betta, 0, 1, Qt::AlignHCenter);
  table->addWidget(gamma, 0, 2, Qt::AlignHCenter);
  table->addWidget(rowHeading, 1, 0);
  table->addWidget(txtBettaRow, 1, 1);
  table->addWidget(txtGammaRow, 1, 2);
  table->addWidget(columnHeading, 2, 0);
  table->addWidget(txtBettaCol, 2, 1);
  table->addWidget(txtGammaCol, 2, 2);

  CmdRunModel = new QPushButton(QStringLiteral("Run NIBAL"), this);
  CmdRunModel->setObjectName(QStringLiteral("CmdRunModel"));
  CmdRunModel->setAutoDefault(false);
  // The results of the last run as CSV, for spreadsheets and GIS.
  CmdSaveCsv = new QPushButton(QStringLiteral("Save CSV"), this);
  CmdSaveCsv->setObjectName(QStringLiteral("CmdSaveCsv"));
  CmdSaveCsv->setAutoDefault(false);
  CmdQuit = new QPushButton(QStringLiteral("Quit"), this);
  CmdQuit->setObjectName(QStringLiteral("CmdQuit"));
  CmdQuit->setAutoDefault(false);
  CmdShowMap = new QPushButton(QStringLiteral("Show &Map"), this);
  CmdShowMap->setObjectName(QStringLiteral("CmdShowMap"));
  CmdShowMap->setAutoDefault(false);
  Help = new shared_ui::LinkLabel(QStringLiteral("Help!"), this);
  Help->setObjectName(QStringLiteral("Help"));
  Help->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
  Help->setCursor(Qt::PointingHandCursor);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(CmdRunModel);
  buttons->addWidget(CmdSaveCsv);
  buttons->addWidget(CmdQuit);
  buttons->addWidget(CmdShowMap);
  buttons->addStretch();
  buttons->addWidget(Help);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(title);
  layout->addLayout(table);
  layout->addSpacing(8);
  layout->addLayout(buttons);

  setTabOrder(txtBettaRow, txtGammaRow);
  setTabOrder(txtGammaRow, txtBettaCol);
  setTabOrder(txtBettaCol, txtGammaCol);
  setTabOrder(txtGammaCol, CmdRunModel);
  setTabOrder(CmdRunModel, CmdSaveCsv);
  setTabOrder(CmdSaveCsv, CmdQuit);
}

void FrmModelParameter::CmdRunModel_Click() {
  const GridParameterTexts texts{
      txtBettaRow->text().toStdString(), txtGammaRow->text().toStdString(),
      txtBettaCol->text().toStdString(), txtGammaCol->text().toStdString()};
  // CmDlgOutput is asked inside the run; a cancelled dialog keeps the
  // results and leaves this window open.
  const RunOutcome outcome = runGridModel(state_, texts, context_, base::todayShortDate());
  const bool computed =
      outcome == RunOutcome::ReportWritten || outcome == RunOutcome::ReportCancelled;
  applyButtonStates(computed ? ParameterWindowEvent::RunComputed
                             : ParameterWindowEvent::RunStopped);
  if (computed) emit resultsReady();
  if (outcome == RunOutcome::ReportWritten) hide();
}

void FrmModelParameter::CmdSaveCsv_Click() {
  const std::string path = context_.fileDialogs.askSaveFileName(platform::kCsvFilter);
  if (path.empty()) return;
  base::Result<> written;
  {
    platform::BusyScope busy(context_.busy);
    written = writeGridCsvFile(path, state_);
  }
  if (!written) context_.messages.inform(std::string(kOutputFailed) + "\n" + written.message());
}

void FrmModelParameter::CmdShowMap_Click() { showGridMap(state_, this); }

void FrmModelParameter::CmdQuit_Click() {
  hide();
  emit quitPressed();
}

void FrmModelParameter::Help_Click() {
  platform::showHelpPage(context_.programs, context_.messages,
                         shared_ui::helpPageAddress(shared_ui::kHelpNibal));
}

}  // namespace sodwright::nibal
