// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/ui/kolv_help.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>
#include <QUrl>

namespace sodwright::kolv {

std::string kolvHelpAddress(const char* section) {
  // The guide ships beside the program when installed, or in the source tree
  // of a program run from its build.
  const QString appDir = QCoreApplication::applicationDirPath();
  const QStringList candidates = {appDir + QStringLiteral("/../share/sodwright/help/index.html"),
                                  appDir + QStringLiteral("/help/index.html"),
                                  QStringLiteral(SODWRIGHT_HELP_DIR "/index.html")};
  QString path = candidates.back();
  for (const QString& candidate : candidates) {
    if (QFileInfo::exists(candidate)) {
      path = QFileInfo(candidate).canonicalFilePath();
      break;
    }
  }
  QUrl url = QUrl::fromLocalFile(path);
  url.setFragment(QString::fromLatin1(section));
  return url.toString().toStdString();
}

}  // namespace sodwright::kolv
