#pragma once
// The start-up window "Welcome!": three pictures, the version label, a
// title and a credits label inside a frame, and Timer1 (1500 ms). The window
// has no buttons; when Timer1 elapses it emits Timer1_Timer() and the hub
// shows the chooser and closes this window.

#include <QTimer>
#include <QWidget>

class QLabel;

namespace sodwright::shell {

class FrmSplash : public QWidget {
  Q_OBJECT

 public:
  explicit FrmSplash(QWidget* parent = nullptr);

  QTimer* Timer1 = nullptr;
  QLabel* LblVersion = nullptr;
  QLabel* LblTitle = nullptr;
  QLabel* LblCredits = nullptr;

 signals:
  void Timer1_Timer();
  // The user closed the window before Timer1 elapsed.
  void closedBeforeTimer();

 protected:
  void closeEvent(QCloseEvent* event) override;
};

}  // namespace sodwright::shell
