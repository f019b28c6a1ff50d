// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The indicator window "BANDO 05.1": erodibility EI from the slope lists or
// typed slope data, erosivity Et from the crop lists or the calculator,
// "Run BANDO" for the rate At = EI x Et / 1000 and its class, and the three
// links. "Quit" returns to the chooser and keeps what the window shows.

#include <array>
#include <optional>

#include <QPointer>
#include <QWidget>

#include "bando/bando_state.h"
#include "bando/ui/bando_control_states.h"
#include "bando/ui/erosivity_calculator.h"
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

class IndicatorWindow : public QWidget {
  Q_OBJECT

 public:
  IndicatorWindow(BandoState& state, platform::AppContext& context, shared_ui::WindowHub& hub,
                  QWidget* parent = nullptr);
  ~IndicatorWindow() override;

  QLabel* titleLabel = nullptr;  // "BANDO"
  // Erodibility half.
  QLabel* erodibilityHeading = nullptr;
  QLabel* slopeClassLabel = nullptr;
  QComboBox* slopeClassList = nullptr;
  shared_ui::LinkLabel* surfaceFormLink =
      nullptr;  // "Surface Form", also the link to landform surface forms
  QComboBox* surfaceFormList = nullptr;
  QLabel* slopeGradientLabel = nullptr;
  QLineEdit* maxSlopeGradientBox = nullptr;
  QLabel* slopeGradientUnit = nullptr;
  QLabel* slopeLengthLabel = nullptr;
  QLineEdit* convexSlopeLengthBox = nullptr;
  QLabel* slopeLengthUnit = nullptr;
  QLabel* convexAreaLabel = nullptr;
  QLineEdit* convexAreaBox = nullptr;
  QLabel* convexAreaUnit = nullptr;
  QLabel* eiLabel = nullptr;
  QLineEdit* erodibilityBox = nullptr;
  QLabel* eiUnit = nullptr;
  QCheckBox* slopeDataCheck = nullptr;
  QPushButton* erodibilityGoButton = nullptr;
  // Erosivity half.
  QLabel* erosivityHeading = nullptr;
  QLabel* cropTypeLabel = nullptr;
  QComboBox* cropTypeList = nullptr;
  QLabel* regionLabel = nullptr;
  QComboBox* regionList = nullptr;
  QLabel* tillageSystemLabel = nullptr;
  QComboBox* tillageSystemList = nullptr;
  QLabel* etLabel = nullptr;
  QLineEdit* erosivityBox = nullptr;
  QLabel* etUnit = nullptr;
  QCheckBox* tillageDataCheck = nullptr;
  QPushButton* erosivityGoButton = nullptr;
  QLabel* erosivityNoteLabel = nullptr;
  // Formula row and class.
  QLabel* formulaAt = nullptr;
  QLabel* formulaEquals = nullptr;
  QLabel* formulaEi = nullptr;
  QLabel* formulaTimes = nullptr;
  QLabel* formulaEt = nullptr;
  QLabel* formulaDivide = nullptr;
  QLabel* formulaThousand = nullptr;
  QLabel* formulaResultEquals = nullptr;
  QLineEdit* rateBox = nullptr;  // the rate; read-only, so its value is readable to assistive tools
  QLabel* atUnit = nullptr;
  QLabel* classLabel = nullptr;
  QLineEdit* classBox = nullptr;
  QPushButton* runButton = nullptr;
  QPushButton* quitButton = nullptr;                    // "Quit"
  shared_ui::LinkLabel* helpLink = nullptr;             // "Help!"
  shared_ui::LinkLabel* indicatorSeriesLink = nullptr;  // the indicator-series link
  // Connectors, Line1 .. Line19 at index 1 .. 19, and the frames.
  std::array<QFrame*, 20> connectors{};
  std::array<QFrame*, 4> frames{};  // Shape1 .. Shape3 at index 1 .. 3

  // The calculator, once the erosivity GO has made it.
  ErosivityCalculator* calculator() const { return calculator_; }

 public slots:
  void onSlopeDataToggled();
  void onTillageDataToggled();
  void onErodibilityGoClicked();
  void onErosivityGoClicked();
  void onSlopeClassActivated(int position);
  void onSurfaceFormActivated(int position);
  void onCropTypeActivated(int position);
  void onRegionActivated(int position);
  void onTillageSystemActivated(int position);
  void onRunClicked();
  void onQuitClicked();
  void onSurfaceFormLinkClicked();
  void onHelpLinkClicked();
  void onIndicatorSeriesLinkClicked();
  // The calculator's hand-back: OK with its total, or Cancel.
  void onCalculatorTotalChosen(const QString& totalText);
  void onCalculatorCancelled();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // Layout of the controls (indicator_window_layout.cpp).
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
  ErosivityCalculator& calculatorWindow();

  BandoState& state_;
  platform::AppContext& context_;
  shared_ui::WindowHub& hub_;
  QPointer<ErosivityCalculator> calculator_;
};

}  // namespace sodwright::bando
