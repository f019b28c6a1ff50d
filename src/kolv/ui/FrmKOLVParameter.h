#pragma once
// The parameter window "KOLV Parameters": every parameter of the set in a
// box, each editable box checked when it loses the focus, the tillage
// direction list, and the order edit, "OK", "Run KOLV" (or "Quit"). "Run
// KOLV" runs the model, shows the data viewer for two seconds, closes this
// window and has the main window draw the charts.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <map>
#include <string_view>

#include "platform/app_context.h"
#include "kolv/state/kolv_state.h"
#include "kolv/parameter_checks.h"
#include "shared_ui/link_label.h"

namespace sodwright::shared_ui {
class WindowHub;
}

namespace sodwright::kolv {

class FrmKOLVParameter : public QWidget {
  Q_OBJECT

 public:
  // A window of its own, owned by the main window.
  // `mainWindow` owns this window and answers its signals.
  FrmKOLVParameter(KolvState& state, platform::AppContext& context, shared_ui::WindowHub& hub,
                   QWidget* mainWindow);

  QComboBox* CboTDirect = nullptr;
  // Shown only; a click says so.
  QLineEdit* TxtSeqNo = nullptr;
  QLineEdit* TxtDistrDis = nullptr;
  QLineEdit* TxtInterval = nullptr;
  QLineEdit* TxtBD1 = nullptr;
  QLineEdit* TxtBD2 = nullptr;
  QLineEdit* TxtBD3 = nullptr;
  // Edited, each with its check.
  QLineEdit* TxtSeq = nullptr;
  QLineEdit* TxtNodes = nullptr;
  QLineEdit* TxtLateralCol = nullptr;
  QLineEdit* TxtSGWtF = nullptr;
  QLineEdit* TxtSGWtB = nullptr;
  QLineEdit* TxtSCScl = nullptr;
  QLineEdit* TxtDRate1 = nullptr;
  QLineEdit* TxtDRate2 = nullptr;
  QLineEdit* TxtTillD = nullptr;
  QLineEdit* TxtUpLrD = nullptr;
  QLineEdit* TxtSubLrD = nullptr;
  QLineEdit* TxtAlpha = nullptr;
  QLineEdit* TxtBetta = nullptr;
  QLineEdit* TxtGamma = nullptr;
  QLineEdit* TxtInputFrq = nullptr;
  QLineEdit* TxtInputAmt = nullptr;

  QPushButton* CmdParaOK = nullptr;
  QPushButton* CmdRunKOLV = nullptr;
  QPushButton* CmdQuit = nullptr;
  shared_ui::LinkLabel* helpLink = nullptr;  // "Help!"
  // Above the buttons: says when the parameters amplify surface noise.
  QLabel* LblStability = nullptr;

 signals:
  // "OK": the parameters are accepted and a run may start.
  void parametersAccepted();
  // "Quit": this window has closed; the main window comes back.
  void quitPressed();
  // "Run KOLV" ran and compared the sequences; this window has closed and
  // the data viewer shows the result.
  void runFinished();
  // "Run KOLV" failed with values that are not finite (its message shown);
  // this window stays open.
  void runFailed();

 public slots:
  void CmdParaOK_Click();
  void CmdRunKOLV_Click();
  void CmdQuit_Click();
  void helpLink_Click();
  void CboTDirect_Click(int index);
  void CboTDirect_KeyPress();
  void ReadOnlyBox_Click();
  // Any editable box changed: "OK" on, "Quit" off.
  void EditableBox_Change();

  void TxtSeq_LostFocus() { checkBox(TxtSeq); }
  void TxtNodes_LostFocus() { checkBox(TxtNodes); }
  void TxtLateralCol_LostFocus() { checkBox(TxtLateralCol); }
  void TxtSGWtF_LostFocus() { checkBox(TxtSGWtF); }
  void TxtSGWtB_LostFocus() { checkBox(TxtSGWtB); }
  void TxtSCScl_LostFocus() { checkBox(TxtSCScl); }
  void TxtDRate1_LostFocus() { checkBox(TxtDRate1); }
  void TxtDRate2_LostFocus() { checkBox(TxtDRate2); }
  void TxtTillD_LostFocus() { checkBox(TxtTillD); }
  void TxtUpLrD_LostFocus() { checkBox(TxtUpLrD); }
  void TxtSubLrD_LostFocus() { checkBox(TxtSubLrD); }
  void TxtAlpha_LostFocus() { checkBox(TxtAlpha); }
  void TxtBetta_LostFocus() { checkBox(TxtBetta); }
  void TxtGamma_LostFocus() { checkBox(TxtGamma); }
  void TxtInputFrq_LostFocus() { checkBox(TxtInputFrq); }
  void TxtInputAmt_LostFocus() { checkBox(TxtInputAmt); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  using Check = CheckResult (*)(KolvState&, std::string_view);
  void buildLayout();
  void load();
  void checkBox(QLineEdit* box);
  void updateStabilityLine();

  KolvState& state_;
  platform::AppContext& context_;
  shared_ui::WindowHub& hub_;
  std::map<QLineEdit*, Check> checks_;
};

}  // namespace sodwright::kolv
