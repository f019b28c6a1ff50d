// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/study/ensemble_charts.h"

#include <cmath>
#include <utility>

#include "base/number_text.h"

namespace sodwright::kolv {

namespace {

using namespace chart_colours;

std::size_t medianIndex(const EnsembleResult& r) {
  std::size_t best = 0;
  for (std::size_t k = 1; k < r.percentiles.size(); ++k)
    if (std::fabs(r.percentiles[k] - 50) < std::fabs(r.percentiles[best] - 50)) best = k;
  return best;
}

EnsembleQuantity quantityOf(ChartKind kind) {
  switch (kind) {
    case ChartKind::Elevation:
      return kDeltaElev;
    case ChartKind::SoilLoss:
      return kSoilLoss;
    case ChartKind::UpLayer:
      return kUpMass;
    case ChartKind::WholeProfile:
      return kTotalMass;
  }
  return kSoilLoss;
}

}  // namespace

std::string ensembleBandText(const EnsembleResult& r) {
  const std::string members = std::to_string(r.kept) + " members";
  if (r.percentiles.empty()) return members;
  return base::generalText(r.percentiles.front()) + "-" + base::generalText(r.percentiles.back()) +
         " % of " + members;
}

double ensembleMedianPercentile(const EnsembleResult& r) {
  return r.percentiles.empty() ? 50 : r.percentiles[medianIndex(r)];
}

ChartBand ensembleBand(const EnsembleResult& r, ChartKind kind) {
  const auto& band = r.band[quantityOf(kind)];
  ChartBand out;
  if (band.empty()) return out;
  out.lower = band.front();
  out.upper = band.back();
  out.median = band[medianIndex(r)];
  out.run = r.deterministic[quantityOf(kind)];
  if (r.summary.endZonesLeftOut) {
    out.scaleFirst = r.summary.first;
    out.scaleLast = r.summary.last;
  }
  if (kind == ChartKind::Elevation) {
    // The elevation change on the first sequence's elevation, which every
    // member shares.
    const int first = r.studyRun.params.StartSeq;
    for (auto* series : {&out.lower, &out.upper, &out.median, &out.run})
      for (std::size_t i = 0; i < series->size(); ++i)
        (*series)[i] += r.studyRun.data.Elev(static_cast<int>(i), first);
  }
  return out;
}

ChartKey ensembleChartKey(const EnsembleResult& r, ChartKind kind) {
  ChartKey key = chartKey(kind, r.studyRun);
  const std::string last = std::to_string(r.studyRun.params.LastSeq);
  key.entries = {{kBandShade, ensembleBandText(r), last},
                 {kRed, "Median (" + base::generalText(ensembleMedianPercentile(r)) + " %)", last},
                 {kBlue, "Study run", last}};
  key.note = "Seq " + last + ": band of the ensemble";
  return key;
}

ChartDrawing ensembleChartDrawing(const EnsembleResult& r, ChartKind kind) {
  ChartDrawing drawing = drawBandChart(kind, r.studyRun, ensembleBand(r, kind));
  if (drawing.complete) drawing.endZones = endZoneBands(r.studyRun, r.studyRun.params.LastSeq);
  return drawing;
}

std::array<ChartPart, 4> ensembleCharts(const EnsembleResult& r) {
  std::array<ChartPart, 4> out;
  for (std::size_t i = 0; i < kAllCharts.size(); ++i) {
    ChartDrawing drawing = ensembleChartDrawing(r, kAllCharts[i]);
    out[i] = {ensembleChartKey(r, kAllCharts[i]), std::move(drawing.ops),
              std::move(drawing.endZones)};
  }
  return out;
}

std::string ensembleChartsHeading(const EnsembleResult& r) {
  return "KOLV ensemble, sequence " + std::to_string(r.studyRun.params.LastSeq) + ": " +
         ensembleBandText(r) + " around the median";
}

}  // namespace sodwright::kolv
