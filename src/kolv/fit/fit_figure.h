// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The figure of a fit: observed and simulated profiles along the transect,
// the residuals below on the same distances, the end zones shaded. The
// exporters and the window replay it like the other figures.

#include "kolv/fit/fit_report.h"
#include "platform/figure.h"

namespace sodwright::kolv {

platform::Figure fitFigure(const FitResult& result, const FitReportContext& context,
                           const platform::TextWidth& textWidth = platform::estimatedTextWidth,
                           double width = 900, double height = 640);

}  // namespace sodwright::kolv
