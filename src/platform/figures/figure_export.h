// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Figures out of the program: PNG at a chosen size and resolution, SVG, PDF
// and the clipboard, each drawn from the figure's operations.

#include <optional>

#include <QImage>
#include <QSize>
#include <QString>

#include "base/result.h"
#include "platform/figure.h"

namespace sodwright::platform {

enum class FigureFormat { Png, Svg, Pdf };

struct FigureExportOptions {
  QSize pixels;  // PNG size; empty: the figure's own size times dpi / 96
  int dpi = 96;  // written into the PNG, and the PDF's resolution
};

// The format a file name asks for by its extension (.png, .svg, .pdf, any
// case), or none.
std::optional<FigureFormat> figureFormatOf(const QString& path);

QImage figureImage(const Figure& figure, const FigureExportOptions& options = {});
// Each figure is drawn whole in memory and then written in one go, so that
// a failure leaves no part of a figure. A failure names the file and the
// reason, "<path>: <reason>" (the writer's when drawing failed, the file
// writer's with the system's reason otherwise); the caller puts its own words
// before it.
base::Result<> savePng(const Figure& figure, const QString& path,
                       const FigureExportOptions& options = {});
base::Result<> saveSvg(const Figure& figure, const QString& path);
base::Result<> savePdf(const Figure& figure, const QString& path,
                       const FigureExportOptions& options = {});
// By the file name's extension (.png, .svg or .pdf).
base::Result<> saveFigure(const Figure& figure, const QString& path,
                          const FigureExportOptions& options = {});
// The figure as an image on the clipboard; needs a running QGuiApplication.
void copyFigure(const Figure& figure);

}  // namespace sodwright::platform
