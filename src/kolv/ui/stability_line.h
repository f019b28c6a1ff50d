// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The red line in which a KOLV window says that a run's parameters amplify
// surface noise, or that its results did: hidden while there is nothing to say.

#include <optional>
#include <string>

#include <QLabel>

namespace sodwright::kolv {

// A word-wrapped label named `objectName`, hidden until it has a warning.
QLabel* makeStabilityLine(QWidget* parent, const QString& objectName);

// Shows the warning, or hides the line when there is none.
void showStabilityLine(QLabel* line, const std::optional<std::string>& warning);

}  // namespace sodwright::kolv
