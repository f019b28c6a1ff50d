// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The start-up window "Welcome!": three pictures, the version label, a
// title and a credits label inside a frame, and its close timer (1500 ms). The window
// has no buttons; when the timer elapses it emits timerElapsed() and the hub
// shows the chooser and closes this window.

#include <QTimer>
#include <QWidget>

class QLabel;

namespace sodwright::shared_ui {

class StartupWindow : public QWidget {
  Q_OBJECT

 public:
  explicit StartupWindow(QWidget* parent = nullptr);

  QTimer* closeTimer = nullptr;
  QLabel* versionLabel = nullptr;
  QLabel* titleLabel = nullptr;
  QLabel* creditsLabel = nullptr;

 signals:
  void timerElapsed();
  // The user closed the window before the timer elapsed.
  void closedBeforeTimer();

 protected:
  void closeEvent(QCloseEvent* event) override;
};

}  // namespace sodwright::shared_ui
