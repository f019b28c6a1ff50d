// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a window offers for a figure: save it as PNG (a chosen size and
// resolution), SVG or PDF, copy it, print it. Every way draws the figure's
// operations afresh; nothing is grabbed from the screen.

#include <functional>

#include <QString>

#include "platform/figure.h"

class QPrinter;
class QWidget;

namespace sodwright::platform {

// Asks for the file and, for a PNG, its size and resolution, then saves.
// Gives the name written, or empty when cancelled or failed (a failure is
// told in a message box).
QString saveFigureAs(QWidget* parent, const Figure& figure, const QString& suggestedName);
// Asks for the printer, then prints the figure on one page, as large as fits.
void printFigure(QWidget* parent, const Figure& figure);
void printFigureOn(QPrinter& printer, const Figure& figure);

// A right-click menu on `widget` with "Save figure...", "Copy figure" and
// "Print figure..."; `make` draws the figure when one is asked for.
void addFigureMenu(QWidget* widget, std::function<Figure()> make, const QString& suggestedName);

}  // namespace sodwright::platform
