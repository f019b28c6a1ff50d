// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The NIBAL parameter window "NIBAL Parameters": Betta and Gamma for tillage
// along the rows and along the columns, "Run NIBAL" (computation, then the
// report through the save dialog) and "Quit" back to the grid window.

#include <QWidget>

#include "nibal/grid_state.h"
#include "nibal/ui/grid_button_states.h"
#include "platform/app_context.h"

class QLineEdit;
class QPushButton;

namespace sodwright::shared_ui {
class LinkLabel;
}  // namespace sodwright::shared_ui

namespace sodwright::nibal {

class GridParameterWindow : public QWidget {
  Q_OBJECT

 public:
  GridParameterWindow(GridState& state, platform::AppContext& context, QWidget* parent = nullptr);

  QLineEdit* bettaRowBox = nullptr;
  QLineEdit* gammaRowBox = nullptr;
  QLineEdit* bettaColumnBox = nullptr;
  QLineEdit* gammaColumnBox = nullptr;
  QPushButton* runButton = nullptr;      // "Run NIBAL"
  QPushButton* saveCsvButton = nullptr;  // "Save CSV", once a run has results
  QPushButton* quitButton = nullptr;
  QPushButton* showMapButton = nullptr;  // "Show Map", once a run has results
  shared_ui::LinkLabel* helpLabel = nullptr;

 signals:
  // "Quit": this window is hidden and the grid window comes back.
  void quitPressed();
  // A run computed results (whether or not a report was written).
  void resultsReady();

 public slots:
  void onRunClicked();
  void onSaveCsvClicked();
  void onQuitClicked();
  void onHelpClicked();
  void onShowMapClicked();

 private:
  void buildLayout();
  // Every button state this window sets, from one table.
  void applyButtonStates(ParameterWindowEvent event);

  GridState& state_;
  platform::AppContext& context_;
};

}  // namespace sodwright::nibal
