#include "platform/qt/qt_message_service.h"

#include <QApplication>
#include <QMessageBox>

namespace sodwright::platform {

MessageAnswer QtMessageService::show(const std::string& text, const std::string& title,
                                     MessageButtons buttons) {
  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(QString::fromStdString(title));
  box.setText(QString::fromStdString(text));
  box.setIcon(buttons == MessageButtons::OkCancel ? QMessageBox::Question : QMessageBox::NoIcon);
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
