// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qt_message_service.h"

#include <QApplication>
#include <QMessageBox>

namespace sodwright::platform {

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon, MessageButtons buttons) {
  switch (icon) {
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Warning:
      return QMessageBox::Warning;
    case MessageIcon::Critical:
      return QMessageBox::Critical;
    case MessageIcon::None:
      break;
  }
  return buttons == MessageButtons::OkCancel ? QMessageBox::Question : QMessageBox::NoIcon;
}

}  // namespace

MessageAnswer QtMessageService::show(const std::string& text, const std::string& title,
                                     MessageButtons buttons, MessageIcon icon,
                                     const std::string& detail) {
  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(QString::fromStdString(title));
  box.setText(QString::fromStdString(text));
  if (!detail.empty()) box.setInformativeText(QString::fromStdString(detail));
  box.setIcon(boxIcon(icon, buttons));
  if (buttons == MessageButtons::OkCancel) {
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
  } else {
    box.setStandardButtons(QMessageBox::Ok);
  }
  box.setDefaultButton(QMessageBox::Ok);
  // A busy pointer set around a long step must not hide the pointer from the box.
  const bool overridden = QApplication::overrideCursor() != nullptr;
  if (overridden) QApplication::setOverrideCursor(Qt::ArrowCursor);
  const int answer = box.exec();
  if (overridden) QApplication::restoreOverrideCursor();
  return answer == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

}  // namespace sodwright::platform
