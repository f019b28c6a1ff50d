#pragma once
// The busy pointer and "Be Patient" note of the desktop program: the pointer
// is the application's override cursor, the note a small modeless window.

#include <QPointer>

#include "platform/busy_indicator.h"
#include "shell/ui/frmNote.h"

namespace sodwright::shell {

class QtBusyIndicator : public platform::BusyIndicator {
 public:
  QtBusyIndicator() = default;
  ~QtBusyIndicator() override;
  QtBusyIndicator(const QtBusyIndicator&) = delete;
  QtBusyIndicator& operator=(const QtBusyIndicator&) = delete;

  void setBusyPointer(bool busy) override;
  void showNote() override;
  void hideNote() override;
  void closeNote() override;

  frmNote* note() const { return note_; }

 private:
  QPointer<frmNote> note_;
  int overrides_ = 0;  // override cursors this object pushed and not yet restored
};

}  // namespace sodwright::shell
