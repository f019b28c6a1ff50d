// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's progress feedback around a long step: the busy mouse pointer
// and the "Be Patient" note window.

namespace sodwright::platform {

class BusyIndicator {
 public:
  virtual ~BusyIndicator() = default;
  virtual void setBusyPointer(bool busy) = 0;
  virtual void showNote() = 0;   // creates it if needed, or brings it to the front
  virtual void hideNote() = 0;   // hidden, stays loaded
  virtual void closeNote() = 0;  // unloaded if loaded
};

// Sets the busy pointer and shows the note for the lifetime of the guard, and
// restores both on every way out, failures included.
class BusyScope {
 public:
  explicit BusyScope(BusyIndicator& indicator, bool withNote = true)
      : indicator_(indicator), withNote_(withNote) {
    indicator_.setBusyPointer(true);
    if (withNote_) indicator_.showNote();
  }
  ~BusyScope() {
    if (withNote_) indicator_.hideNote();
    indicator_.setBusyPointer(false);
  }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  BusyIndicator& indicator_;
  bool withNote_;
};

}  // namespace sodwright::platform
