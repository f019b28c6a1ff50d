#include "nibal/ui/frmGridInfo.h"

#include <QCloseEvent>
#include <QSignalBlocker>

#include "nibal/raster/raster_grid_import.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>
#include <string>

#include "nibal/grid_commands.h"
#include "nibal/grid_messages.h"
#include "nibal/ui/FrmGridMap.h"
#include "nibal/ui/FrmModelParameter.h"
#include "nibal/ui/grid_button_states.h"
#include "shared_ui/help_page.h"
#include "shared_ui/link_label.h"
#include "shared_ui/import_file_request.h"
#include "shared_ui/window_hub.h"

namespace sodwright::nibal {

namespace {

std::string boxText(const QLineEdit* box) { return box->text().toStdString(); }

QLineEdit* makeBox(const char* name, QWidget* parent) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(QString::fromLatin1(name));
  return box;
}

QPushButton* makeButton(const char* name, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  return button;
}

}  // namespace

frmGridInfo::frmGridInfo(GridState& state, platform::AppContext& context, shared_ui::WindowHub& hub,
                         QWidget* parent)
    : QWidget(parent), state_(state), context_(context), hub_(hub) {
  setObjectName(QStringLiteral("frmGridInfo"));
  setWindowTitle(QStringLiteral("NIBAL 04.2"));
  buildLayout();

  connect(txtRows, &QLineEdit::textChanged, this, &frmGridInfo::txtRows_Change);
  connect(txtColumns, &QLineEdit::textChanged, this, &frmGridInfo::txtColumns_Change);
  connect(txtXSpacing, &QLineEdit::textChanged, this, &frmGridInfo::txtXSpacing_Change);
  connect(txtYSpacing, &QLineEdit::textChanged, this, &frmGridInfo::txtYSpacing_Change);
  connect(CmdImport, &QPushButton::clicked, this, &frmGridInfo::CmdImport_Click);
  connect(CmdRunModel, &QPushButton::clicked, this, &frmGridInfo::CmdRunModel_Click);
  connect(CmdShowData, &QPushButton::clicked, this, &frmGridInfo::CmdShowData_Click);
  connect(CmdShowMap, &QPushButton::clicked, this, &frmGridInfo::CmdShowMap_Click);
  connect(CmdQuit, &QPushButton::clicked, this, &frmGridInfo::CmdQuit_Click);
  Help->onClick = [this] { Help_Click(); };
  shared_ui::addHelpKey(this, [this] { Help_Click(); });

  connect(&hub_, &shared_ui::WindowHub::dataViewerClosed, this, &frmGridInfo::FrmShowData_Unload);

  applyButtonStates(GridWindowEvent::Opened);
}

void frmGridInfo::applyButtonStates(GridWindowEvent event) {
  const std::array<QPushButton*, kGridButtons> buttons = {CmdImport, CmdRunModel, CmdShowData,
                                                          CmdShowMap};
  const GridWindowRow& row = gridWindowRowFor(event);
  for (std::size_t button = 0; button < buttons.size(); ++button) {
    const Switch s = row[button];
    if (s == Switch::Keep) continue;
    buttons[button]->setEnabled(s == Switch::On || (s == Switch::OnWithResults &&
                                                    layerAvailable(state_, MapLayer::SoilLossSum)));
  }
}

void frmGridInfo::buildLayout() {
  auto* title = new QLabel(QStringLiteral("Grid        Information"), this);
  title->setObjectName(QStringLiteral("LblTitle"));
  QFont titleFont = title->font();
  titleFont.setBold(true);
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
  title->setFont(titleFont);
  title->setAlignment(Qt::AlignCenter);

  auto addBox = [](QGridLayout* grid, int row, const QString& caption, const char* labelName,
                   QLineEdit* box) {
    auto* label = new QLabel(caption, box->parentWidget());
    label->setObjectName(QString::fromLatin1(labelName));
    label->setBuddy(box);
    grid->addWidget(label, row, 0);
    grid->addWidget(box, row, 1);
  };

  auto* sizeFrame = new QGroupBox(QStringLiteral("Grid Size"), this);
  sizeFrame->setObjectName(QStringLiteral("FrameSize"));
  txtRows = makeBox("txtRows", sizeFrame);
  txtColumns = makeBox("txtColumns", sizeFrame);
  auto* sizeGrid = new QGridLayout(sizeFrame);
  addBox(sizeGrid, 0, QStringLiteral("&Rows"), "LblRows", txtRows);
  addBox(sizeGrid, 1, QStringLiteral("&Columns"), "LblColumns", txtColumns);

  auto* spacingFrame = new QGroupBox(QStringLiteral("Grid Spacing"), this);
  spacingFrame->setObjectName(QStringLiteral("FrameSpacing"));
  txtXSpacing = makeBox("txtXSpacing", spacingFrame);
  txtYSpacing = makeBox("txtYSpacing", spacingFrame);
  auto* spacingGrid = new QGridLayout(spacingFrame);
  addBox(spacingGrid, 0, QStringLiteral("Ro&w Spacing"), "LblXSpacing", txtXSpacing);
  addBox(spacingGrid, 1, QStringLiteral("Co&lumn Spacing"), "LblYSpacing", txtYSpacing);

  CmdImport = makeButton("CmdImport", QStringLiteral("Import Data"), this);
  CmdRunModel = makeButton("CmdRunModel", QStringLiteral("Run NIBAL"), this);
  CmdShowData = makeButton("CmdShowData", QStringLiteral("Show Data"), this);
  CmdQuit = makeButton("CmdQuit", QStringLiteral("Quit"), this);
  CmdShowMap = makeButton("CmdShowMap", QStringLiteral("Show &Map"), this);

  Help = new shared_ui::LinkLabel(QStringLiteral("Help!"), this);
  Help->setObjectName(QStringLiteral("Help"));
  Help->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
  Help->setCursor(Qt::PointingHandCursor);
  Help->setAccessibleName(QStringLiteral("Help!"));

  auto* frames = new QHBoxLayout;
  frames->addWidget(sizeFrame);
  frames->addWidget(spacingFrame);

  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {CmdImport, CmdRunModel, CmdShowData, CmdShowMap, CmdQuit})
    buttons->addWidget(button);
  buttons->addStretch();
  buttons->addWidget(Help);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(title);
  layout->addLayout(frames);
  layout->addSpacing(8);
  layout->addLayout(buttons);

  setTabOrder(txtRows, txtColumns);
  setTabOrder(txtColumns, txtXSpacing);
  setTabOrder(txtXSpacing, txtYSpacing);
  setTabOrder(txtYSpacing, CmdImport);
  setTabOrder(CmdImport, CmdRunModel);
  setTabOrder(CmdRunModel, CmdShowData);
  setTabOrder(CmdShowData, CmdQuit);
}

void frmGridInfo::gridBoxChanged() { applyButtonStates(GridWindowEvent::BoxChanged); }

void frmGridInfo::refuseImport(QWidget* focus) {
  applyButtonStates(GridWindowEvent::ImportRefused);
  focus->setFocus();
}

void frmGridInfo::CmdImport_Click() {
  applyButtonStates(GridWindowEvent::ImportStarted);
  CmdRunModel->setFocus();

  const GridBoxTexts boxes{boxText(txtRows), boxText(txtColumns), boxText(txtXSpacing),
                           boxText(txtYSpacing)};
  const base::Result<GridDefinition> check = checkGridBoxes(boxes);
  if (!check) {
    context_.messages.inform(check.message());
    refuseImport(check.message() == kGridValueWrong ? static_cast<QWidget*>(txtRows) : CmdImport);
    return;
  }
  const shared_ui::ImportRequest request{platform::kGridImportFilter,
                                     shared_ui::DelimiterStart::PreviousChoice, platform::kNibal};
  shared_ui::askImportFile(hub_, context_, request, this,
                       {[this, definition = *check](const shared_ui::ImportChoice& choice) {
                          importChosenFile(definition, choice);
                        },
                        [this] { frmDelimiter_Quit(); }});
}

void frmGridInfo::importChosenFile(const GridDefinition& definition,
                                   const shared_ui::ImportChoice& choice) {
  if (choice.cancelled()) {
    refuseImport(CmdImport);
    return;
  }
  if (choice.kind == platform::ImportKind::Raster) {
    importRaster(choice.path);
    return;
  }
  if (!importGridFile(state_, context_, definition, choice.path, choice.kind, choice.delimiter)) {
    // The grid held before stays; the program goes on.
    refuseImport(CmdImport);
    return;
  }
  importFinished();
}

void frmGridInfo::importFinished() {
  context_.busy.hideNote();
  hub_.showDataViewer();
  applyButtonStates(GridWindowEvent::Imported);
}

void frmGridInfo::importRaster(const std::string& path) {
  if (!importGrid(state_, context_, [&] { return readWindowRaster(path); })) {
    refuseImport(CmdImport);
    return;
  }
  // The raster's size and spacings go into the boxes without counting as
  // typed: the grid just read matches them.
  for (const auto& [box, text] :
       {std::pair{txtRows, &state_.info.Rows}, std::pair{txtColumns, &state_.info.Columns},
        std::pair{txtXSpacing, &state_.info.RowSpacing},
        std::pair{txtYSpacing, &state_.info.ColumnSpacing}}) {
    const QSignalBlocker quiet(box);
    box->setText(QString::fromStdString(*text));
  }
  importFinished();
}

void frmGridInfo::frmDelimiter_Quit() {
  if (context_.activeModel != platform::kNibal) return;
  applyButtonStates(GridWindowEvent::ImportRefused);
  show();
  CmdImport->setFocus();
}

void frmGridInfo::FrmShowData_Unload() {
  if (context_.activeModel != platform::kNibal) return;
  show();
  raise();
  activateWindow();
}

void frmGridInfo::CmdRunModel_Click() {
  applyButtonStates(GridWindowEvent::ParametersOpened);
  if (!parameters_) {
    // One parameter window for the whole run, not a child of this window:
    // its typed coefficients outlive a Quit to the chooser.
    parameters_ = qobject_cast<FrmModelParameter*>(
        hub_.keptWindow(QStringLiteral("FrmModelParameter"),
                        [this] { return new FrmModelParameter(state_, context_); }));
    connect(parameters_, &FrmModelParameter::quitPressed, this, [this] {
      show();
      raise();
    });
    connect(parameters_, &FrmModelParameter::resultsReady, this,
            [this] { applyButtonStates(GridWindowEvent::ResultsReady); });
  }
  parameters_->show();
  parameters_->raise();
  parameters_->activateWindow();
}

void frmGridInfo::CmdShowData_Click() { hub_.showDataViewer(); }

void frmGridInfo::CmdShowMap_Click() { showGridMap(state_, this); }

void frmGridInfo::Help_Click() {
  platform::showHelpPage(context_.programs, context_.messages,
                         shared_ui::helpPageAddress(shared_ui::kHelpNibal));
}

void frmGridInfo::closeEvent(QCloseEvent* event) {
  // The parameter window belongs to this window's study: it goes out of
  // sight with it, keeping its texts for the next visit.
  if (parameters_) parameters_->hide();
  QWidget::closeEvent(event);
}

void frmGridInfo::CmdQuit_Click() {
  hub_.showChooser();
  close();
}

}  // namespace sodwright::nibal
