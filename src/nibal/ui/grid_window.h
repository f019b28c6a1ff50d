// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The NIBAL grid window "NIBAL 04.2": the grid size and spacings, the import
// of the node data, the data viewer and the way to the parameter window.

#include <QPointer>
#include <QWidget>

#include "nibal/grid_state.h"
#include "nibal/ui/grid_button_states.h"
#include "platform/app_context.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace sodwright::shared_ui {
class LinkLabel;
class WindowHub;
struct ImportChoice;
}  // namespace sodwright::shared_ui

namespace sodwright::nibal {

class GridParameterWindow;

class GridWindow : public QWidget {
  Q_OBJECT

 public:
  GridWindow(GridState& state, platform::AppContext& context, shared_ui::WindowHub& hub,
             QWidget* parent = nullptr);

  QLineEdit* rowsBox = nullptr;
  QLineEdit* columnsBox = nullptr;
  QLineEdit* rowSpacingBox = nullptr;     // "Row Spacing"
  QLineEdit* columnSpacingBox = nullptr;  // "Column Spacing"
  QPushButton* importButton = nullptr;
  QPushButton* runButton = nullptr;
  QPushButton* showDataButton = nullptr;
  QPushButton* quitButton = nullptr;
  QPushButton* showMapButton = nullptr;  // "Show Map", once the grid has results
  shared_ui::LinkLabel* helpLabel = nullptr;

  // The parameter window, once "Run NIBAL" has made it.
  GridParameterWindow* parameterWindow() const { return parameters_; }

 public slots:
  void onImportClicked();
  void onRunClicked();
  void onShowDataClicked();
  void onQuitClicked();
  void onHelpClicked();
  void onShowMapClicked();
  // Any keystroke in a grid-size box: the grid must be imported again.
  void onGridSizeChanged();

  // The delimiter dialog's Quit during this window's import.
  void onDelimiterQuit();
  // The data viewer was closed: this window comes back.
  void onDataViewerClosed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildLayout();
  // Every button state this window sets, from one table.
  void applyButtonStates(GridWindowEvent event);
  void refuseImport(QWidget* focus);
  // The file (and delimiter) chosen for "Import Data" with the checked sizes.
  void importChosenFile(const GridDefinition& definition, const shared_ui::ImportChoice& choice);
  void importRaster(const std::string& path);
  // After a complete import: the viewer shows the new grid.
  void importFinished();

  GridState& state_;
  platform::AppContext& context_;
  shared_ui::WindowHub& hub_;
  QPointer<GridParameterWindow> parameters_;
};

}  // namespace sodwright::nibal
