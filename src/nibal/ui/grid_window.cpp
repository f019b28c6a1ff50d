// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/ui/grid_window.h"

#include <array>
#include <string>

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "base/text/refusal_text.h"
#include "nibal/grid_checks.h"
#include "nibal/grid_commands.h"
#include "nibal/grid_messages.h"
#include "nibal/grid_shape.h"
#include "nibal/raster/raster_grid_import.h"
#include "nibal/ui/grid_button_states.h"
#include "nibal/ui/grid_map_window.h"
#include "nibal/ui/grid_parameter_window.h"
#include "shared_ui/help_page.h"
#include "shared_ui/import_file_request.h"
#include "shared_ui/link_label.h"
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

GridWindow::GridWindow(GridState& state, platform::AppContext& context, shared_ui::WindowHub& hub,
                       QWidget* parent)
    : QWidget(parent), state_(state), context_(context), hub_(hub) {
  setObjectName(QStringLiteral("frmGridInfo"));
  setWindowTitle(QStringLiteral("NIBAL 04.2"));
  buildLayout();

  for (QLineEdit* box : {rowsBox, columnsBox, rowSpacingBox, columnSpacingBox})
    connect(box, &QLineEdit::textChanged, this, &GridWindow::onGridSizeChanged);
  connect(importButton, &QPushButton::clicked, this, &GridWindow::onImportClicked);
  connect(runButton, &QPushButton::clicked, this, &GridWindow::onRunClicked);
  connect(showDataButton, &QPushButton::clicked, this, &GridWindow::onShowDataClicked);
  connect(showMapButton, &QPushButton::clicked, this, &GridWindow::onShowMapClicked);
  connect(quitButton, &QPushButton::clicked, this, &GridWindow::onQuitClicked);
  helpLabel->onClick = [this] { onHelpClicked(); };
  shared_ui::addHelpKey(this, [this] { onHelpClicked(); });

  connect(&hub_, &shared_ui::WindowHub::dataViewerClosed, this, &GridWindow::onDataViewerClosed);

  applyButtonStates(GridWindowEvent::Opened);
}

void GridWindow::applyButtonStates(GridWindowEvent event) {
  const std::array<QPushButton*, kGridButtons> buttons = {importButton, runButton, showDataButton,
                                                          showMapButton};
  const GridWindowRow& row = gridWindowRowFor(event);
  for (std::size_t button = 0; button < buttons.size(); ++button) {
    const Switch s = row[button];
    if (s == Switch::Keep) continue;
    buttons[button]->setEnabled(s == Switch::On || (s == Switch::OnWithResults &&
                                                    layerAvailable(state_, MapLayer::SoilLossSum)));
  }
}

void GridWindow::buildLayout() {
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
  rowsBox = makeBox("txtRows", sizeFrame);
  columnsBox = makeBox("txtColumns", sizeFrame);
  auto* sizeGrid = new QGridLayout(sizeFrame);
  addBox(sizeGrid, 0, QStringLiteral("&Rows"), "LblRows", rowsBox);
  addBox(sizeGrid, 1, QStringLiteral("&Columns"), "LblColumns", columnsBox);

  auto* spacingFrame = new QGroupBox(QStringLiteral("Grid Spacing"), this);
  spacingFrame->setObjectName(QStringLiteral("FrameSpacing"));
  rowSpacingBox = makeBox("txtXSpacing", spacingFrame);
  columnSpacingBox = makeBox("txtYSpacing", spacingFrame);
  auto* spacingGrid = new QGridLayout(spacingFrame);
  addBox(spacingGrid, 0, QStringLiteral("Ro&w Spacing"), "LblXSpacing", rowSpacingBox);
  addBox(spacingGrid, 1, QStringLiteral("Co&lumn Spacing"), "LblYSpacing", columnSpacingBox);

  importButton = makeButton("CmdImport", QStringLiteral("Import Data"), this);
  runButton = makeButton("CmdRunModel", QStringLiteral("Run NIBAL"), this);
  showDataButton = makeButton("CmdShowData", QStringLiteral("Show Data"), this);
  quitButton = makeButton("CmdQuit", QStringLiteral("Quit"), this);
  showMapButton = makeButton("CmdShowMap", QStringLiteral("Show &Map"), this);

  helpLabel = new shared_ui::LinkLabel(QStringLiteral("Help!"), this);
  helpLabel->setObjectName(QStringLiteral("Help"));
  helpLabel->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
  helpLabel->setCursor(Qt::PointingHandCursor);
  helpLabel->setAccessibleName(QStringLiteral("Help!"));

  auto* frames = new QHBoxLayout;
  frames->addWidget(sizeFrame);
  frames->addWidget(spacingFrame);

  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {importButton, runButton, showDataButton, showMapButton, quitButton})
    buttons->addWidget(button);
  buttons->addStretch();
  buttons->addWidget(helpLabel);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(title);
  layout->addLayout(frames);
  layout->addSpacing(8);
  layout->addLayout(buttons);

  setTabOrder(rowsBox, columnsBox);
  setTabOrder(columnsBox, rowSpacingBox);
  setTabOrder(rowSpacingBox, columnSpacingBox);
  setTabOrder(columnSpacingBox, importButton);
  setTabOrder(importButton, runButton);
  setTabOrder(runButton, showDataButton);
  setTabOrder(showDataButton, quitButton);
}

void GridWindow::onGridSizeChanged() { applyButtonStates(GridWindowEvent::BoxChanged); }

void GridWindow::refuseImport(QWidget* focus) {
  applyButtonStates(GridWindowEvent::ImportRefused);
  focus->setFocus();
}

void GridWindow::onImportClicked() {
  applyButtonStates(GridWindowEvent::ImportStarted);
  runButton->setFocus();

  const GridSizeTexts sizes{boxText(rowsBox), boxText(columnsBox), boxText(rowSpacingBox),
                            boxText(columnSpacingBox)};
  const base::Result<GridDefinition> check = checkGridSize(sizes);
  if (!check) {
    const GridSizeRefusal refused = gridSizeRefusal(sizes);
    context_.messages.informWithDetail(
        check.message(),
        refused.box + ": " + base::boxRefusalDetail(refused.typed, refused.refusal));
    refuseImport(check.message() == kGridValueWrong ? static_cast<QWidget*>(rowsBox)
                                                    : importButton);
    return;
  }
  const shared_ui::ImportRequest request{
      platform::kGridImportFilter, shared_ui::DelimiterStart::PreviousChoice, platform::kNibal};
  shared_ui::askImportFile(hub_, context_, request, this,
                           {[this, definition = *check](const shared_ui::ImportChoice& choice) {
                              importChosenFile(definition, choice);
                            },
                            [this] { onDelimiterQuit(); }});
}

void GridWindow::importChosenFile(const GridDefinition& definition,
                                  const shared_ui::ImportChoice& choice) {
  if (choice.cancelled()) {
    refuseImport(importButton);
    return;
  }
  if (choice.kind == platform::ImportKind::Raster) {
    importRaster(choice.path);
    return;
  }
  if (!importGridFile(state_, context_, definition, choice.path, choice.kind, choice.delimiter)) {
    // The grid held before stays; the program goes on.
    refuseImport(importButton);
    return;
  }
  // The grid is kept (the coordinates may be meant otherwise), but the user
  // hears that they contradict the typed rows and columns.
  if (const auto finding = findGridShapeMismatch(state_))
    context_.messages.inform(finding->message, std::string(platform::kProgramTitle),
                             platform::MessageIcon::Warning);
  importFinished();
}

void GridWindow::importFinished() {
  context_.busy.hideNote();
  hub_.showDataViewer();
  applyButtonStates(GridWindowEvent::Imported);
}

void GridWindow::importRaster(const std::string& path) {
  std::string detail;
  if (!importGrid(
          state_, context_, [&] { return readWindowRaster(path, &detail); }, &detail)) {
    refuseImport(importButton);
    return;
  }
  // The raster's size and spacings go into the boxes without counting as
  // typed: the grid just read matches them.
  for (const auto& [box, text] :
       {std::pair{rowsBox, &state_.info.Rows}, std::pair{columnsBox, &state_.info.Columns},
        std::pair{rowSpacingBox, &state_.info.RowSpacing},
        std::pair{columnSpacingBox, &state_.info.ColumnSpacing}}) {
    const QSignalBlocker quiet(box);
    box->setText(QString::fromStdString(*text));
  }
  importFinished();
}

void GridWindow::onDelimiterQuit() {
  if (context_.activeModel != platform::kNibal) return;
  applyButtonStates(GridWindowEvent::ImportRefused);
  show();
  importButton->setFocus();
}

void GridWindow::onDataViewerClosed() {
  if (context_.activeModel != platform::kNibal) return;
  show();
  raise();
  activateWindow();
}

void GridWindow::onRunClicked() {
  applyButtonStates(GridWindowEvent::ParametersOpened);
  if (!parameters_) {
    // One parameter window for the whole run, not a child of this window:
    // its typed coefficients outlive a Quit to the chooser.
    parameters_ = qobject_cast<GridParameterWindow*>(
        hub_.keptWindow(QStringLiteral("FrmModelParameter"),
                        [this] { return new GridParameterWindow(state_, context_); }));
    connect(parameters_, &GridParameterWindow::quitPressed, this, [this] {
      show();
      raise();
    });
    connect(parameters_, &GridParameterWindow::resultsReady, this,
            [this] { applyButtonStates(GridWindowEvent::ResultsReady); });
  }
  parameters_->show();
  parameters_->raise();
  parameters_->activateWindow();
}

void GridWindow::onShowDataClicked() { hub_.showDataViewer(); }

void GridWindow::onShowMapClicked() { showGridMap(state_, this); }

void GridWindow::onHelpClicked() {
  platform::showHelpPage(context_.programs, context_.messages,
                         shared_ui::helpPageAddress(shared_ui::kHelpNibal));
}

void GridWindow::closeEvent(QCloseEvent* event) {
  // The parameter window belongs to this window's study: it goes out of
  // sight with it, keeping its texts for the next visit.
  if (parameters_) parameters_->hide();
  QWidget::closeEvent(event);
}

void GridWindow::onQuitClicked() {
  hub_.showChooser();
  close();
}

}  // namespace sodwright::nibal
