// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The parameter window "KOLV Parameters": every parameter of the set in a
// box, each editable box checked when it loses the focus, the tillage
// direction list, and the order edit, "OK", "Run KOLV" (or "Quit"). "Run
// KOLV" runs the model, shows the data viewer for two seconds, closes this
// window and has the main window draw the charts.

#include <map>
#include <string_view>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "kolv/parameter_checks.h"
#include "kolv/state/kolv_state.h"
#include "platform/app_context.h"
#include "shared_ui/link_label.h"

namespace sodwright::shared_ui {
class WindowHub;
}

namespace sodwright::kolv {

class KolvParameterWindow : public QWidget {
  Q_OBJECT

 public:
  // A window of its own, owned by the main window.
  // `mainWindow` owns this window and answers its signals.
  KolvParameterWindow(KolvState& state, platform::AppContext& context, shared_ui::WindowHub& hub,
                      QWidget* mainWindow);

  QComboBox* tillageDirectionList = nullptr;
  // Shown only; a click says so.
  QLineEdit* startingSequenceBox = nullptr;
  QLineEdit* distributionDistanceBox = nullptr;
  QLineEdit* pointIntervalBox = nullptr;
  QLineEdit* bulkDensity1Box = nullptr;
  QLineEdit* bulkDensity2Box = nullptr;
  QLineEdit* bulkDensity3Box = nullptr;
  // Edited, each with its check.
  QLineEdit* sequenceCountBox = nullptr;
  QLineEdit* nodeCountBox = nullptr;
  QLineEdit* lateralColumnsBox = nullptr;
  QLineEdit* sgWeightFrontBox = nullptr;
  QLineEdit* sgWeightBackBox = nullptr;
  QLineEdit* scScaleBox = nullptr;
  QLineEdit* decayRate1Box = nullptr;
  QLineEdit* decayRate2Box = nullptr;
  QLineEdit* tillageDepthBox = nullptr;
  QLineEdit* upLayerDepthBox = nullptr;
  QLineEdit* subLayerDepthBox = nullptr;
  QLineEdit* alphaBox = nullptr;
  QLineEdit* betaBox = nullptr;
  QLineEdit* gammaBox = nullptr;
  QLineEdit* inputFrequencyBox = nullptr;
  QLineEdit* inputAmountBox = nullptr;

  QPushButton* okButton = nullptr;
  QPushButton* runKolvButton = nullptr;
  QPushButton* quitButton = nullptr;
  shared_ui::LinkLabel* helpLinkLabel = nullptr;  // "Help!"
  // Above the buttons: says when the parameters amplify surface noise.
  QLabel* stabilityLabel = nullptr;

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
  void onOkClicked();
  void onRunKolvClicked();
  void onQuitClicked();
  void onHelpLinkClicked();
  void onTillageDirectionActivated(int index);
  void onTillageDirectionKeyTyped();
  void onReadOnlyBoxClicked();
  // Any editable box changed: "OK" on, "Quit" off.
  void onEditableBoxChanged();

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
