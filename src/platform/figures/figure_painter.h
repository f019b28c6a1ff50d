// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Paints a figure's operations with QPainter into a target rectangle, and
// measures texts with the font the painter will use.

#include <QFont>
#include <QRectF>

#include "platform/figure.h"

class QPainter;

namespace sodwright::platform {

// The font of a figure text of the given pixel height.
QFont figureFont(double size, bool bold);
// Text widths measured with figureFont; needs a running QGuiApplication.
double qtTextWidth(std::string_view text, double size, bool bold);

// Scales the figure to `target` (keeping no aspect: callers choose a target
// of the figure's shape) and draws every operation in order.
void paintFigure(QPainter& painter, const Figure& figure, const QRectF& target);

}  // namespace sodwright::platform
