// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared_ui/help_page.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace sodwright::shared_ui {

namespace {
QString sourceTreeGuide() {
  return QStringLiteral(SODWRIGHT_SOURCE_DIR) + QStringLiteral("/docs/help/index.html");
}
}  // namespace

std::string helpPagePath() {
  QStringList candidates;
  if (QCoreApplication::instance()) {
    const QDir programDir(QCoreApplication::applicationDirPath());
    candidates << programDir.filePath(QStringLiteral("help/index.html"))
               << programDir.filePath(QStringLiteral("../share/sodwright/help/index.html"));
  }
  candidates << sourceTreeGuide();
  for (const QString& candidate : candidates) {
    const QFileInfo file(candidate);
    if (file.isFile()) return file.canonicalFilePath().toStdString();
  }
  return {};
}

std::string helpPageAddress(std::string_view anchor) {
  std::string path = helpPagePath();
  QUrl url = QUrl::fromLocalFile(path.empty() ? QFileInfo(sourceTreeGuide()).absoluteFilePath()
                                              : QString::fromStdString(path));
  if (!anchor.empty())
    url.setFragment(QString::fromUtf8(anchor.data(), static_cast<qsizetype>(anchor.size())));
  return url.toString(QUrl::FullyEncoded).toStdString();
}

}  // namespace sodwright::shared_ui
