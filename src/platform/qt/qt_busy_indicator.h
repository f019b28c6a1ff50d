// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The busy pointer and "Be Patient" note of the desktop program: the pointer
// is the application's override cursor, the note a small modeless window
// that the program hands in as a factory and this indicator loads on demand.

#include <functional>

#include <QPointer>
#include <QWidget>

#include "platform/busy_indicator.h"

namespace sodwright::platform {

class QtBusyIndicator : public BusyIndicator {
 public:
  // `makeNote` makes the note window each time it is loaded.
  explicit QtBusyIndicator(std::function<QWidget*()> makeNote);
  ~QtBusyIndicator() override;
  QtBusyIndicator(const QtBusyIndicator&) = delete;
  QtBusyIndicator& operator=(const QtBusyIndicator&) = delete;

  void setBusyPointer(bool busy) override;
  void showNote() override;
  void hideNote() override;
  void closeNote() override;

  QWidget* note() const { return note_; }

 private:
  std::function<QWidget*()> makeNote_;
  QPointer<QWidget> note_;
  int overrides_ = 0;  // override cursors this object pushed and not yet restored
};

}  // namespace sodwright::platform
