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

class FrmModelParameter;

class frmGridInfo : public QWidget {
  Q_OBJECT

 public:
  frmGridInfo(GridState& state, platform::AppContext& context, shared_ui::WindowHub& hub,
              QWidget* parent = nullptr);

  QLineEdit* txtRows = nullptr;
  QLineEdit* txtColumns = nullptr;
  QLineEdit* txtXSpacing = nullptr;  // "Row Spacing"
  QLineEdit* txtYSpacing = nullptr;  // "Column Spacing"
  QPushButton* CmdImport = nullptr;
  QPushButton* CmdRunModel = nullptr;
  QPushButton* CmdShowData = nullptr;
  QPushButton* CmdQuit = nullptr;
  QPushButton* CmdShowMap = nullptr;  // "Show Map", once the grid has results
  shared_ui::LinkLabel* Help = nullptr;

  // The parameter window, once "Run NIBAL" has made it.
  FrmModelParameter* parameterWindow() const { return parameters_; }

 public slots:
  void CmdImport_Click();
  void CmdRunModel_Click();
  void CmdShowData_Click();
  void CmdQuit_Click();
  void Help_Click();
  void CmdShowMap_Click();
  // Any keystroke in a grid box: the grid must be imported again.
  void txtRows_Change() { gridBoxChanged(); }
  void txtColumns_Change() { gridBoxChanged(); }
  void txtXSpacing_Change() { gridBoxChanged(); }
  void txtYSpacing_Change() { gridBoxChanged(); }

  // The delimiter dialog's Quit during this window's import.
  void frmDelimiter_Quit();
  // The data viewer was closed: this window comes back.
  void FrmShowData_Unload();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildLayout();
  // Every button state this window sets, from one table.
  void applyButtonStates(GridWindowEvent event);
  void gridBoxChanged();
  void refuseImport(QWidget* focus);
  // The file (and delimiter) chosen for "Import Data" with the checked sizes.
  void importChosenFile(const GridDefinition& definition, const shared_ui::ImportChoice& choice);
  void importRaster(const std::string& path);
  // After a complete import: the viewer shows the new grid.
  void importFinished();

  GridState& state_;
  platform::AppContext& context_;
  shared_ui::WindowHub& hub_;
  QPointer<FrmModelParameter> parameters_;
};

}  // namespace sodwright::nibal
