#pragma once
// The indicator window "BANDO 05.1": erodibility EI from the slope lists or
// typed slope data, erosivity Et from the crop lists or the calculator,
// "Run BANDO" for the rate At = EI x Et / 1000 and its class, and the three
// links. "Quit" returns to the chooser and keeps what the window shows.

#include <QPointer>
#include <QWidget>
#include <array>
#include <optional>

#include "indicator/bando_state.h"
#include "indicator/ui/bando_control_states.h"
#include "indicator/ui/FrmEtImp.h"
#include "platform/app_context.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace sodwright::shell {
class LinkLabel;
class WindowHub;
}  // namespace sodwright::shell

namespace sodwright::bando {

class FrmBANDO_Main : public QWidget {
  Q_OBJECT

 public:
  FrmBANDO_Main(BandoState& state, platform::AppContext& context, shell::WindowHub& hub,
                QWidget* parent = nullptr);
  ~FrmBANDO_Main() override;

  QLabel* Label28 = nullptr;  // "BANDO"
  // Erodibility half.
  QLabel* Label29 = nullptr;
  QLabel* Label1 = nullptr;
  QComboBox* CboSlpCl = nullptr;
  shell::LinkLabel* Label2 = nullptr;  // "Surface Form", also the link to landform surface forms
  QComboBox* CboSurfForm = nullptr;
  QLabel* Label13 = nullptr;
  QLineEdit* TxtMSG = nullptr;
  QLabel* Label16 = nullptr;
  QLabel* Label14 = nullptr;
  QLineEdit* TxtCSL = nullptr;
  QLabel* Label17 = nullptr;
  QLabel* Label12 = nullptr;
  QLineEdit* TxtCA = nullptr;
  QLabel* Label18 = nullptr;
  QLabel* Label15 = nullptr;
  QLineEdit* TxtEI = nullptr;
  QLabel* Label23 = nullptr;
  QCheckBox* ChkEIB = nullptr;
  QPushButton* CmdEIB = nullptr;
  // Erosivity half.
  QLabel* Label30 = nullptr;
  QLabel* Label3 = nullptr;
  QComboBox* CboCropType = nullptr;
  QLabel* Label4 = nullptr;
  QComboBox* CboAgrRegion = nullptr;
  QLabel* Label5 = nullptr;
  QComboBox* CboTillSys = nullptr;
  QLabel* Label10 = nullptr;
  QLineEdit* TxtEt = nullptr;
  QLabel* Label24 = nullptr;
  QCheckBox* ChkEtB = nullptr;
  QPushButton* CmdEtB = nullptr;
  QLabel* LblEtNote = nullptr;
  // Formula row and class.
  QLabel* Label7 = nullptr;
  QLabel* Label19 = nullptr;
  QLabel* Label21 = nullptr;
  QLabel* Label11 = nullptr;
  QLabel* Label22 = nullptr;
  QLabel* Label25 = nullptr;
  QLabel* Label26 = nullptr;
  QLabel* Label20 = nullptr;
  QLineEdit* lblAt = nullptr;  // the rate; read-only, so its value is readable to assistive tools
  QLabel* Label6 = nullptr;
  QLabel* Label27 = nullptr;
  QLineEdit* TxtBANDOClass = nullptr;
  QPushButton* CmdRunBANDO = nullptr;
  QPushButton* Command1 = nullptr;     // "Quit"
  shell::LinkLabel* Label8 = nullptr;  // "Help!"
  shell::LinkLabel* Label9 = nullptr;  // the indicator-series link
  // Connectors, Line1 .. Line19 at index 1 .. 19, and the frames.
  std::array<QFrame*, 20> Line{};
  std::array<QFrame*, 4> Shape{};  // Shape1 .. Shape3 at index 1 .. 3

  // The calculator, once the erosivity GO has made it.
  FrmEtImp* calculator() const { return FrmEtImp_; }

 public slots:
  void ChkEIB_Click();
  void ChkEtB_Click();
  void CmdEIB_Click();
  void CmdEtB_Click();
  void CboSlpCl_Click(int position);
  void CboSurfForm_Click(int position);
  void CboCropType_Click(int position);
  void CboAgrRegion_Click(int position);
  void CboTillSys_Click(int position);
  void CmdRunBANDO_Click();
  void Command1_Click();
  void Label2_Click();
  void Label8_Click();
  void Label9_Click();
  // The calculator's hand-back: OK with its total, or Cancel.
  void FrmEtImp_OK(const QString& totalText);
  void FrmEtImp_Cancel();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // Layout of the controls (FrmBANDO_Main_layout.cpp).
  void buildLayout();
  void fillLists();
  void setTabOrders();

  // Control groups of the window.
  QList<QWidget*> descriptorGroup() const;
  QList<QWidget*> slopeDataGroup() const;
  QList<QWidget*> eiResultGroup() const;
  QList<QWidget*> cropGroup() const;
  QList<QWidget*> etResultGroup() const;
  QList<QWidget*> descriptorConnectors() const;
  QList<QWidget*> slopeDataConnectors() const;
  QList<QWidget*> cropConnectors() const;
  static void setShown(const QList<QWidget*>& controls, bool shown);

  // Every enabled state this window sets, from one table.
  void applyControlStates(MainWindowEvent event);
  void emptyResultBoxes();
  void emptySlopeDataBoxes();
  void pickInList(BandoList list, QComboBox* box, QCheckBox* check, int position);
  FrmEtImp& calculatorWindow();

  BandoState& state_;
  platform::AppContext& context_;
  shell::WindowHub& hub_;
  QPointer<FrmEtImp> FrmEtImp_;
};

}  // namespace sodwright::bando
