#include "grid/ui/help_address.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>
#include <QUrl>

namespace sodwright::nibal {

namespace {

// The guide ships beside the program (installed) or in the source tree (a build).
QString guidePath() {
  const QString appDir = QCoreApplication::applicationDirPath();
  const QStringList candidates = {appDir + QStringLiteral("/../share/sodwright/help/index.html"),
                                  appDir + QStringLiteral("/help/index.html"),
                                  QStringLiteral(SODWRIGHT_HELP_DIR "/index.html")};
  for (const QString& candidate : candidates)
    if (QFileInfo::exists(candidate)) return QFileInfo(candidate).canonicalFilePath();
  return candidates.back();
}

}  // namespace

std::string helpAddress(HelpTopic topic) {
  QUrl url = QUrl::fromLocalFile(guidePath());
  switch (topic) {
    case HelpTopic::Nibal:
      url.setFragment(QStringLiteral("nibal"));
      break;
  }
  return url.toString().toStdString();
}

}  // namespace sodwright::nibal
