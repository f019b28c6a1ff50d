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

class FrmModelParameter : public QWidget {
  Q_OBJECT

 public:
  FrmModelParameter(GridState& state, platform::AppContext& context, QWidget* parent = nullptr);

  QLineEdit* txtBettaRow = nullptr;
  QLineEdit* txtGammaRow = nullptr;
  QLineEdit* txtBettaCol = nullptr;
  QLineEdit* txtGammaCol = nullptr;
  QPushButton* CmdRunModel = nullptr;  // "Run NIBAL"
  QPushButton* CmdSaveCsv = nullptr;   // "Save CSV", once a run has results
  QPushButton* CmdQuit = nullptr;
  QPushButton* CmdShowMap = nullptr;  // "Show Map", once a run has results
  shared_ui::LinkLabel* Help = nullptr;

 signals:
  // "Quit": this window is hidden and the grid window comes back.
  void quitPressed();
  // A run computed results (whether or not a report was written).
  void resultsReady();

 public slots:
  void CmdRunModel_Click();
  void CmdSaveCsv_Click();
  void CmdQuit_Click();
  void Help_Click();
  void CmdShowMap_Click();

 private:
  void buildLayout();
  // Every button state this window sets, from one table.
  void applyButtonStates(ParameterWindowEvent event);

  GridState& state_;
  platform::AppContext& context_;
};

}  // namespace sodwright::nibal
