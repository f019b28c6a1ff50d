#include "platform/qt/qt_file_dialog_service.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>

namespace sodwright::platform {

namespace {

QStringList patternsOf(const QString& patternText) {
  QStringList patterns;
  for (const QString& raw : patternText.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    const QString pattern = raw.trimmed();
    if (pattern.isEmpty()) continue;
    for (const QString& variant : {pattern, pattern.toUpper(), pattern.toLower()})
      if (!patterns.contains(variant)) patterns.append(variant);
  }
  return patterns;
}

// The description without the pattern list it may carry in parentheses.
QString plainDescription(const QString& description) {
  const qsizetype open = description.indexOf(QLatin1Char('('));
  return (open >= 0 ? description.left(open) : description).trimmed();
}

}  // namespace

QStringList qtNameFilters(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype k = 0; k + 1 < parts.size(); k += 2) {
    const QStringList patterns = patternsOf(parts[k + 1]);
    if (patterns.isEmpty()) continue;
    QString name = plainDescription(parts[k]);
    if (name.isEmpty()) name = QStringLiteral("Files");
    filters.append(name + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')'));
  }
  return filters;
}

std::string QtFileDialogService::askOpenFileName(const std::string& filter) {
  const QString name = QFileDialog::getOpenFileName(QApplication::activeWindow(), QStringLiteral("Open"),
                                                    lastDirectory_, qtNameFilters(filter).join(QStringLiteral(";;")));
  if (name.isEmpty()) return {};
  lastDirectory_ = QFileInfo(name).absolutePath();
  return name.toStdString();
}

std::string QtFileDialogService::askSaveFileName(const std::string& filter) {
  // The writer overwrites a chosen file without asking.
  const QString name = QFileDialog::getSaveFileName(
      QApplication::activeWindow(), QStringLiteral("Save As"), lastDirectory_,
      qtNameFilters(filter).join(QStringLiteral(";;")), nullptr, QFileDialog::DontConfirmOverwrite);
  if (name.isEmpty()) return {};
  lastDirectory_ = QFileInfo(name).absolutePath();
  return name.toStdString();
}

}  // namespace sodwright::platform
