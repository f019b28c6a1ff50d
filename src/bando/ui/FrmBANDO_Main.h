#pragma once
// The indicator window "BANDO 05.1": erodibility EI from the slope lists or
// typed slope data, erosivity Et from the crop lists or the calculator,
// "Run BANDO" for the rate At = EI x Et / 1000 and its class, and the three
// links. "Quit" returns to the chooser and keeps what the window shows.

#include <QPointer>
#include <QWidget>
#include <array>
#include <optional>

#include "bando/bando_state.h"
#include "bando/ui/bando_control_states.h"
#include "bando/ui/FrmEtImp.h"
#include "platform/app_context.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace sodwright::shared_ui {
class LinkLabel;
class WindowHub;
}  // namespace sodwright::shared_ui

namespace sodwright::bando {

class FrmBANDO_Main : public QWidget {
  Q_OBJECT

 public:
  FrmBANDO_Main(BandoState& state, platform::AppContext& context, shared_ui::WindowHub& hub,
                QWidget* parent = nullptr);
  ~FrmBANDO_Main() override;

  QLabel* titleLabel = nullptr;  // "BANDO"
  // Erodibility half.
  QLabel* erodibilityHeading = nullptr;
  QLabel* slopeClassLabel = nullptr;
  QComboBox* CboSlpCl = nullptr;
  shared_ui::LinkLabel* surfaceFormLink =
      nullptr;  // "Surface Form", also the link to landform surface forms
  QComboBox* CboSurfForm = nullptr;
  QLabel* slopeGradientLabel = nullptr;
  QLineEdit* TxtMSG = nullptr;
  QLabel* slopeGradientUnit = nullptr;
  QLabel* slopeLengthLabel = nullptr;
  QLineEdit* TxtCSL = nullptr;
  QLabel* slopeLengthUnit = nullptr;
  QLabel* convexAreaLabel = nullptr;
  QLineEdit* TxtCA = nullptr;
  QLabel* convexAreaUnit = nullptr;
  QLabel* eiLabel = nullptr;
  QLineEdit* TxtEI = nullptr;
  QLabel* eiUnit = nullptr;
  QCheckBox* ChkEIB = nullptr;
  QPushButton* CmdEIB = nullptr;
  // Erosivity half.
  QLabel* erosivityHeading = nullptr;
  QLabel* cropTypeLabel = nullptr;
  QComboBox* CboCropType = nullptr;
  QLabel* regionLabel = nullptr;
  QComboBox* CboAgrRegion = nullptr;
  QLabel* tillageSystemLabel = nullptr;
  QComboBox* CboTillSys = nullptr;
  QLabel* etLabel = nullptr;
  QLineEdit* TxtEt = nullptr;
  QLabel* etUnit = nullptr;
  QCheckBox* ChkEtB = nullptr;
  QPushButton* CmdEtB = nullptr;
  QLabel* LblEtNote = nullptr;
  // Formula row and class.
  QLabel* formulaAt = nullptr;
  QLabel* formulaEquals = nullptr;
  QLabel* formulaEi = nullptr;
  QLabel* formulaTimes = nullptr;
  QLabel* formulaEt = nullptr;
  QLabel* formulaDivide = nullptr;
  QLabel* formulaThousand = nullptr;
  QLabel* formulaResultEquals = nullptr;
  QLineEdit* lblAt = nullptr;  // the rate; read-only, so its value is readable to assistive tools
  QLabel* atUnit = nullptr;
  QLabel* classLabel = nullptr;
  QLineEdit* TxtBANDOClass = nullptr;
  QPushButton* CmdRunBANDO = nullptr;
  QPushButton* quitButton = nullptr;                // "Quit"
  shared_ui::LinkLabel* helpLink = nullptr;             // "Help!"
  shared_ui::LinkLabel* indicatorSeriesLink = nullptr;  // the indicator-series link
  // Connectors, Line1 .. Line19 at index 1 .. 19, and the frames.
  std::array<QFrame*, 20> connectors{};
  std::array<QFrame*, 4> frames{};  // Shape1 .. Shape3 at index 1 .. 3

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
  void quitButton_Click();
  void surfaceFormLink_Click();
  void helpLink_Click();
  void indicatorSeriesLink_Click();
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
  shared_ui::WindowHub& hub_;
  QPointer<FrmEtImp> FrmEtImp_;
};

}  // namespace sodwright::bando
