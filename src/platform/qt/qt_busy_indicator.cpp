// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qt_busy_indicator.h"

#include <utility>

#include <QApplication>
#include <QCursor>

namespace sodwright::platform {

QtBusyIndicator::QtBusyIndicator(std::function<QWidget*()> makeNote)
    : makeNote_(std::move(makeNote)) {}

QtBusyIndicator::~QtBusyIndicator() {
  while (overrides_ > 0) setBusyPointer(false);
  delete note_.data();
}

void QtBusyIndicator::setBusyPointer(bool busy) {
  // The pointer is either busy or normal: a second "busy" changes nothing.
  if (busy && overrides_ == 0) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ++overrides_;
  } else if (!busy && overrides_ > 0) {
    QApplication::restoreOverrideCursor();
    --overrides_;
  }
}

void QtBusyIndicator::showNote() {
  if (!note_) {
    note_ = makeNote_();
    note_->setAttribute(Qt::WA_DeleteOnClose);  // closing unloads the note
  }
  note_->show();
  note_->raise();
  // The step that follows blocks the event loop; draw the note first.
  note_->repaint();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtBusyIndicator::hideNote() {
  if (note_) note_->hide();
}

void QtBusyIndicator::closeNote() {
  if (note_) note_->close();
}

}  // namespace sodwright::platform
