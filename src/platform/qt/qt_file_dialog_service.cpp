// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qt_file_dialog_service.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>

namespace sodwright::platform {

namespace {

// "*.TXT" -> "*.[tT][xX][tT]": Qt's and the desktop's dialogs both match
// bracket classes, so the pattern takes any mix of case.
QString caselessPattern(const QString& pattern) {
  QString out;
  for (const QChar ch : pattern) {
    if (ch.isLetter() && ch.toLower() != ch.toUpper()) {
      out += QLatin1Char('[') + ch.toLower() + ch.toUpper() + QLatin1Char(']');
    } else {
      out += ch;
    }
  }
  return out;
}

QStringList patternsOf(const QString& patternText) {
  QStringList patterns;
  for (const QString& raw : patternText.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    const QString pattern = raw.trimmed();
    if (!pattern.isEmpty()) patterns.append(caselessPattern(pattern));
  }
  return patterns;
}

}  // namespace

QStringList qtNameFilters(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype k = 0; k + 1 < parts.size(); k += 2) {
    const QStringList patterns = patternsOf(parts[k + 1]);
    if (patterns.isEmpty()) continue;
    // The dialogs hide the bracket patterns and show the description as given.
    QString name = parts[k].trimmed();
    if (name.isEmpty()) name = QStringLiteral("Files");
    filters.append(name + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                   QLatin1Char(')'));
  }
  return filters;
}

std::string QtFileDialogService::askOpenFileName(const std::string& filter) {
  const QString name =
      QFileDialog::getOpenFileName(QApplication::activeWindow(), QStringLiteral("Open"),
                                   lastDirectory_, qtNameFilters(filter).join(QStringLiteral(";;")),
                                   nullptr, QFileDialog::HideNameFilterDetails);
  if (name.isEmpty()) return {};
  lastDirectory_ = QFileInfo(name).absolutePath();
  return name.toStdString();
}

std::string QtFileDialogService::askSaveFileName(const std::string& filter) {
  // The writer overwrites a chosen file without asking.
  const QString name = QFileDialog::getSaveFileName(
      QApplication::activeWindow(), QStringLiteral("Save As"), lastDirectory_,
      qtNameFilters(filter).join(QStringLiteral(";;")), nullptr,
      QFileDialog::DontConfirmOverwrite | QFileDialog::HideNameFilterDetails);
  if (name.isEmpty()) return {};
  lastDirectory_ = QFileInfo(name).absolutePath();
  return name.toStdString();
}

}  // namespace sodwright::platform
