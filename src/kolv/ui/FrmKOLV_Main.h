#pragma once
// The KOLV main window "KOLV 05.1": the four charts in a two-by-two block,
// the sampling depth and sequence boxes with Redraw in a column to their
// right, the menus whose states tell the user what can be done next, and
// TimerShowData, which closes the data viewer once, 2000 ms after an import
// or a run.
//
// The program's main makes it with
//   FrmKOLV_Main(sodwright::kolv::KolvState&, sodwright::platform::AppContext&,
//                sodwright::shared_ui::WindowHub&, QWidget* parent = nullptr)
// as the KOLV factory of the hub; the hub shows the chooser again once the
// window has closed.

#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <array>
#include <string>

#include "platform/app_context.h"
#include "kolv/charts/chart_geometry.h"
#include "kolv/state/kolv_state.h"
#include "kolv/ui/ChartPanel.h"
#include "kolv/ui/kolv_main_menus.h"
#include "kolv/ui/kolv_menu_states.h"

class QFrame;

namespace sodwright::shared_ui {
class WindowHub;
}

namespace sodwright::kolv {

class FrmKOLVParameter;
class KolvImportCommand;

class FrmKOLV_Main : public QMainWindow, public KolvMainMenus {
  Q_OBJECT

 public:
  FrmKOLV_Main(KolvState& state, platform::AppContext& context, shared_ui::WindowHub& hub,
               QWidget* parent = nullptr);
  ~FrmKOLV_Main() override;

  // The four chart areas and their picture panels.
  ChartPanel* panel(ChartKind kind) const { return panels_[static_cast<std::size_t>(kind)]; }
  ChartCanvas* ChtElev = nullptr;
  ChartCanvas* ChtSoilLoss = nullptr;
  ChartCanvas* ChtUpL = nullptr;
  ChartCanvas* ChtWhPr = nullptr;
  // Line1 .. Line8, the placeholder axes (n = 1..8).
  QFrame* line(int n) const;

  QLineEdit* TxtULD = nullptr;
  QLineEdit* TxtSLD = nullptr;
  QLineEdit* TxtFSeq = nullptr;
  QLineEdit* TxtLSeq = nullptr;
  QPushButton* CmdRedraw = nullptr;
  QTimer* TimerShowData = nullptr;
  // In the status bar: says when the results are unstable.
  QLabel* LblStability = nullptr;

  // The parameter window while it is open.
  FrmKOLVParameter* parameterWindow() const { return parameter_; }

  // What "Run KOLV" of the parameter window does here after its run: the
  // shown sequences and depths into the boxes, the placeholder lines hidden,
  // the four charts drawn, Redraw off, the focus in TxtLSeq and the output,
  // chart and data items on.
  void showRunResults();

  // After a run or comparison that failed (its message shown): the charts
  // cleared back to their placeholder axes and the output, chart and Redraw
  // items off, so that nothing suggests results that are not there.
  void showRunFailure();

 public slots:
  void MnuImportFileItem_Click();
  void MnuLastSeqSubItem_Click();
  void MnuResultSubItem_Click();
  void MnuResultCsvSubItem_Click();
  void MnuExitItem_Click();
  void MnuShowDataItem_Click();
  void MnuEditItem_Click() {}  // the item has no action
  void MnuParameterItem_Click();
  void MnuRunModelItem_Click();
  void MnuChtElevItem_Click() { drawSingleChart(ChartKind::Elevation); }
  void MnuChtSoillossItem_Click() { drawSingleChart(ChartKind::SoilLoss); }
  void MnuChtUpLItem_Click() { drawSingleChart(ChartKind::UpLayer); }
  void MnuChtWhPritem_Click() { drawSingleChart(ChartKind::WholeProfile); }
  void MnuHelpItem_Click();
  void MnuCopyrightItem_Click();

  void CmdRedraw_Click();
  void TimerShowData_Timer();

  void TxtFSeq_Change() { sequenceBoxChanged(); }
  void TxtLSeq_Change() { sequenceBoxChanged(); }
  void TxtULD_Change() { depthBoxChanged(); }
  void TxtSLD_Change() { depthBoxChanged(); }
  void TxtFSeq_LostFocus();
  void TxtLSeq_LostFocus();
  void TxtULD_LostFocus();
  void TxtSLD_LostFocus();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildLayout();
  void connectHandlers();
  void applyMenuStates(KolvEvent event);
  void showImportedPair();
  void sequenceBoxChanged();
  void depthBoxChanged();
  void setPlaceholderLinesVisible(bool visible);
  void drawCharts();
  void drawChart(ChartKind kind);
  void drawSingleChart(ChartKind kind);
  void afterComparison();
  void writeOutput(bool compareReport);
  void showMessage(const std::string& text);

  KolvState& state_;
  platform::AppContext& context_;
  shared_ui::WindowHub& hub_;
  std::array<ChartPanel*, 4> panels_{};
  QPointer<FrmKOLVParameter> parameter_;
  KolvImportCommand* import_ = nullptr;
};

}  // namespace sodwright::kolv
