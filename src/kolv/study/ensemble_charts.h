// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An ensemble on the four KOLV charts: the band between the outer asked
// percentiles around the median (the asked percentile nearest to 50), with
// the study's own run, the end zones of the last sequence shaded, and a
// legend that says which percentiles of how many members the band spans.
// The scales are taken over the nodes the ensemble's summary covers. The
// batch figure and the main window draw these.

#include <array>
#include <string>

#include "kolv/charts/chart_figure.h"
#include "kolv/charts/chart_geometry.h"
#include "kolv/study/ensemble_run.h"

namespace sodwright::kolv {

// "5-95 % of 1000 members"
std::string ensembleBandText(const EnsembleResult& result);
// The percentile drawn as the median.
double ensembleMedianPercentile(const EnsembleResult& result);

ChartBand ensembleBand(const EnsembleResult& result, ChartKind kind);
ChartKey ensembleChartKey(const EnsembleResult& result, ChartKind kind);
// One chart of the ensemble, naming the end zones to shade.
ChartDrawing ensembleChartDrawing(const EnsembleResult& result, ChartKind kind);
std::array<ChartPart, 4> ensembleCharts(const EnsembleResult& result);
std::string ensembleChartsHeading(const EnsembleResult& result);

}  // namespace sodwright::kolv
