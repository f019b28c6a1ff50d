// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/ui/stability_line.h"

namespace sodwright::kolv {

QLabel* makeStabilityLine(QWidget* parent, const QString& objectName) {
  auto* line = new QLabel(parent);
  line->setObjectName(objectName);
  line->setWordWrap(true);
  line->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
  // Read out by screen readers with the text it carries.
  line->setAccessibleName(QStringLiteral("Stability warning"));
  line->setVisible(false);
  return line;
}

void showStabilityLine(QLabel* line, const std::optional<std::string>& warning) {
  line->setText(warning ? QString::fromStdString(*warning) : QString());
  line->setAccessibleDescription(line->text());
  line->setVisible(warning.has_value());
}

}  // namespace sodwright::kolv
