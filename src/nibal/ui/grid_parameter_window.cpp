// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/ui/grid_parameter_window.h"

#include <array>
#include <string>
#include <utility>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/text/refusal_text.h"
#include "base/text/report_date.h"
#include "nibal/grid_commands.h"
#include "nibal/grid_csv_writer.h"
#include "nibal/grid_messages.h"
#include "nibal/grid_report.h"
#include "nibal/ui/grid_map_window.h"
#include "platform/busy_indicator.h"
#include "platform/file_dialog.h"
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

GridParameterWindow::GridParameterWindow(GridState& state, platform::AppContext& context,
                                         QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), context_(context) {
  setObjectName(QStringLiteral("FrmModelParameter"));
  setWindowTitle(QStringLiteral("NIBAL Parameters"));
  buildLayout();
  connect(runButton, &QPushButton::clicked, this, &GridParameterWindow::onRunClicked);
  connect(quitButton, &QPushButton::clicked, this, &GridParameterWindow::onQuitClicked);
  connect(saveCsvButton, &QPushButton::clicked, this, &GridParameterWindow::onSaveCsvClicked);
  connect(showMapButton, &QPushButton::clicked, this, &GridParameterWindow::onShowMapClicked);
  helpLabel->onClick = [this] { onHelpClicked(); };
  shared_ui::addHelpKey(this, [this] { onHelpClicked(); });
  applyButtonStates(ParameterWindowEvent::Opened);
}

void GridParameterWindow::applyButtonStates(ParameterWindowEvent event) {
  const ParameterWindowRow& row = parameterWindowRowFor(event);
  const std::array<std::pair<QPushButton*, bool>, kParameterButtons> buttons = {
      std::pair{saveCsvButton, hasResults(state_)},
      std::pair{showMapButton, layerAvailable(state_, MapLayer::SoilLossSum)}};
  for (std::size_t button = 0; button < buttons.size(); ++button) {
    const Switch s = row[button];
    if (s == Switch::Keep) continue;
    const auto& [control, withResults] = buttons[button];
    control->setEnabled(s == Switch::On || (s == Switch::OnWithResults && withResults));
  }
}

void GridParameterWindow::buildLayout() {
  auto* title = makeLabel("LblTitle", QStringLiteral(" NIBAL        Parameters"), this);
  QFont titleFont = title->font();
  titleFont.setBold(true);
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
  title->setFont(titleFont);
  title->setAlignment(Qt::AlignCenter);

  const GridParameterTexts defaults;
  bettaRowBox = makeBox("txtBettaRow", defaults.BettaRow,
                        QStringLiteral("Betta, Row Direction Tillage"), this);
  gammaRowBox = makeBox("txtGammaRow", defaults.GammaRow,
                        QStringLiteral("Gamma, Row Direction Tillage"), this);
  bettaColumnBox = makeBox("txtBettaCol", defaults.BettaCol,
                           QStringLiteral("Betta, Column Direction Tillage"), this);
  gammaColumnBox = makeBox("txtGammaCol", defaults.GammaCol,
                           QStringLiteral("Gamma, Column Direction Tillage"), this);

  // Each heading names one box for the keyboard; the accessible names above
  // name all four in full.
  auto* betta = makeLabel("LblBetta", QStringLiteral("&Betta"), this);
  auto* gamma = makeLabel("LblGamma", QStringLiteral("&Gamma"), this);
  auto* rowHeading = makeLabel("LblRowTillage", QStringLiteral("&Row Direction Tillage"), this);
  auto* columnHeading =
      makeLabel("LblColumnTillage", QStringLiteral("&Column Direction Tillage"), this);
  rowHeading->setBuddy(bettaRowBox);
  columnHeading->setBuddy(bettaColumnBox);
  betta->setBuddy(bettaRowBox);
  gamma->setBuddy(gammaRowBox);

  auto* table = new QGridLayout;
  table->addWidget(betta, 0, 1, Qt::AlignHCenter);
  table->addWidget(gamma, 0, 2, Qt::AlignHCenter);
  table->addWidget(rowHeading, 1, 0);
  table->addWidget(bettaRowBox, 1, 1);
  table->addWidget(gammaRowBox, 1, 2);
  table->addWidget(columnHeading, 2, 0);
  table->addWidget(bettaColumnBox, 2, 1);
  table->addWidget(gammaColumnBox, 2, 2);

  runButton = new QPushButton(QStringLiteral("Run NIBAL"), this);
  runButton->setObjectName(QStringLiteral("CmdRunModel"));
  runButton->setAutoDefault(false);
  // The results of the last run as CSV, for spreadsheets and GIS.
  saveCsvButton = new QPushButton(QStringLiteral("Save CSV"), this);
  saveCsvButton->setObjectName(QStringLiteral("CmdSaveCsv"));
  saveCsvButton->setAutoDefault(false);
  quitButton = new QPushButton(QStringLiteral("Quit"), this);
  quitButton->setObjectName(QStringLiteral("CmdQuit"));
  quitButton->setAutoDefault(false);
  showMapButton = new QPushButton(QStringLiteral("Show &Map"), this);
  showMapButton->setObjectName(QStringLiteral("CmdShowMap"));
  showMapButton->setAutoDefault(false);
  helpLabel = new shared_ui::LinkLabel(QStringLiteral("Help!"), this);
  helpLabel->setObjectName(QStringLiteral("Help"));
  helpLabel->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
  helpLabel->setCursor(Qt::PointingHandCursor);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(runButton);
  buttons->addWidget(saveCsvButton);
  buttons->addWidget(quitButton);
  buttons->addWidget(showMapButton);
  buttons->addStretch();
  buttons->addWidget(helpLabel);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(title);
  layout->addLayout(table);
  layout->addSpacing(8);
  layout->addLayout(buttons);

  setTabOrder(bettaRowBox, gammaRowBox);
  setTabOrder(gammaRowBox, bettaColumnBox);
  setTabOrder(bettaColumnBox, gammaColumnBox);
  setTabOrder(gammaColumnBox, runButton);
  setTabOrder(runButton, saveCsvButton);
  setTabOrder(saveCsvButton, quitButton);
}

void GridParameterWindow::onRunClicked() {
  const GridParameterTexts texts{
      bettaRowBox->text().toStdString(), gammaRowBox->text().toStdString(),
      bettaColumnBox->text().toStdString(), gammaColumnBox->text().toStdString()};
  // The report's save dialog is asked inside the run; a cancelled dialog keeps the
  // results and leaves this window open.
  const RunOutcome outcome = runGridModel(state_, texts, context_, base::todayShortDate());
  const bool computed =
      outcome == RunOutcome::ReportWritten || outcome == RunOutcome::ReportCancelled;
  applyButtonStates(computed ? ParameterWindowEvent::RunComputed
                             : ParameterWindowEvent::RunStopped);
  if (computed) emit resultsReady();
  if (outcome == RunOutcome::ReportWritten) hide();
}

void GridParameterWindow::onSaveCsvClicked() {
  const std::string path = context_.fileDialogs.askSaveFileName(platform::kCsvFilter);
  if (path.empty()) return;
  base::Result<> written;
  {
    platform::BusyScope busy(context_.busy);
    written = writeGridCsvFile(path, state_);
  }
  if (!written)
    context_.messages.informWithDetail(std::string(kOutputFailed),
                                       base::cannotWriteText(path, written.message()));
}

void GridParameterWindow::onShowMapClicked() { showGridMap(state_, this); }

void GridParameterWindow::onQuitClicked() {
  hide();
  emit quitPressed();
}

void GridParameterWindow::onHelpClicked() {
  platform::showHelpPage(context_.programs, context_.messages,
                         shared_ui::helpPageAddress(shared_ui::kHelpNibal));
}

}  // namespace sodwright::nibal
