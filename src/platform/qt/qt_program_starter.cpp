// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qt_program_starter.h"

#include <QDesktopServices>
#include <QFileInfo>

namespace sodwright::platform {

QUrl urlForFile(const std::string& path) {
  return QUrl::fromLocalFile(QFileInfo(QString::fromStdString(path)).absoluteFilePath());
}

QUrl urlForAddress(const std::string& address) {
  const QString text = QString::fromStdString(address);
  const QUrl url(text, QUrl::StrictMode);
  if (url.isValid() && !url.scheme().isEmpty() && url.scheme().size() > 1) return url;
  return urlForFile(address);
}

// QDesktopServices hands the URL over and returns; it answers false when the
// desktop has no program for it, which the caller tells the user.
bool QtProgramStarter::openTextFile(const std::string& path) {
  return QDesktopServices::openUrl(urlForFile(path));
}

bool QtProgramStarter::openWebAddress(const std::string& address) {
  return QDesktopServices::openUrl(urlForAddress(address));
}

}  // namespace sodwright::platform
