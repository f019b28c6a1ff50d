// SPDX-License-Identifier: GPL-3.0-or-later
// Layer names, values and the colour scales of the NIBAL map.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "base/number_text.h"
#include "nibal/map_geometry.h"
#include "nibal/soil_loss_text.h"

namespace sodwright::nibal {
namespace {

using platform::Rgba;

// Five stops of a brown to blue-green diverging scale and of a purple to
// yellow sequential scale, both readable with the common colour-vision
// deficiencies and in grey print.
constexpr std::array<Rgba, 5> kDiverging = {Rgba{1, 102, 94}, Rgba{90, 180, 172},
                                            Rgba{245, 245, 245}, Rgba{216, 179, 101},
                                            Rgba{140, 81, 10}};
constexpr std::array<Rgba, 5> kSequential = {Rgba{68, 1, 84}, Rgba{59, 82, 139}, Rgba{33, 145, 140},
                                             Rgba{94, 201, 98}, Rgba{253, 231, 37}};

Rgba along(const std::array<Rgba, 5>& stops, double t) {
  if (!std::isfinite(t)) t = 0.5;
  t = std::clamp(t, 0.0, 1.0) * (stops.size() - 1);
  const std::size_t i = std::min<std::size_t>(static_cast<std::size_t>(t), stops.size() - 2);
  const double f = t - static_cast<double>(i);
  auto mix = [f](std::uint8_t a, std::uint8_t b) {
    return static_cast<std::uint8_t>(std::lround(a + (static_cast<double>(b) - a) * f));
  };
  const Rgba& a = stops[i];
  const Rgba& b = stops[i + 1];
  return {mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b), 255};
}

const GridArray<double>* gridOf(const GridState& s, MapLayer layer) {
  switch (layer) {
    case MapLayer::SoilLossSum:
      return &s.results.SoilLossSum;
    case MapLayer::SoilLossRow:
      return &s.results.SoilLossRow;
    case MapLayer::SoilLossCol:
      return &s.results.SoilLossCol;
    case MapLayer::DGradCol:
      return &s.results.DGradCol;
    case MapLayer::DCurvCol:
      return &s.results.DCurvCol;
    case MapLayer::DGradRow:
      return &s.results.DGradRow;
    case MapLayer::DCurvRow:
      return &s.results.DCurvRow;
    case MapLayer::Elevation:
      return &s.GridElevation;
  }
  return nullptr;
}

}  // namespace

std::string_view layerName(MapLayer layer) {
  switch (layer) {
    case MapLayer::SoilLossSum:
      return "SoilLossSum";
    case MapLayer::SoilLossRow:
      return "SoilLossRow";
    case MapLayer::SoilLossCol:
      return "SoilLossCol";
    case MapLayer::DGradCol:
      return "DGradCol";
    case MapLayer::DCurvCol:
      return "DCurvCol";
    case MapLayer::DGradRow:
      return "DGradRow";
    case MapLayer::DCurvRow:
      return "DCurvRow";
    case MapLayer::Elevation:
      return "Elevation";
  }
  return {};
}

std::optional<MapLayer> layerFromName(std::string_view name) {
  for (MapLayer layer : kMapLayers)
    if (layerName(layer) == name) return layer;
  return std::nullopt;
}

std::string_view layerCaption(MapLayer layer) {
  switch (layer) {
    case MapLayer::SoilLossSum:
      return "Soil loss, row and column tillage";
    case MapLayer::SoilLossRow:
      return "Soil loss, row direction tillage";
    case MapLayer::SoilLossCol:
      return "Soil loss, column direction tillage";
    case MapLayer::DGradCol:
      return "Delta slope gradient along the column";
    case MapLayer::DCurvCol:
      return "Delta slope curvature along the column";
    case MapLayer::DGradRow:
      return "Delta slope gradient along the row";
    case MapLayer::DCurvRow:
      return "Delta slope curvature along the row";
    case MapLayer::Elevation:
      return "Elevation";
  }
  return {};
}

std::string_view layerUnit(MapLayer layer) {
  switch (layer) {
    case MapLayer::SoilLossSum:
    case MapLayer::SoilLossRow:
    case MapLayer::SoilLossCol:
      return kSoilLossUnit;
    case MapLayer::DGradCol:
    case MapLayer::DGradRow:
      return "%";
    case MapLayer::DCurvCol:
    case MapLayer::DCurvRow:
      return "%/m";
    case MapLayer::Elevation:
      return "m";
  }
  return {};
}

bool layerAvailable(const GridState& state, MapLayer layer) {
  const GridArray<double>* grid = gridOf(state, layer);
  return state.hasGrid() && grid->rows() >= state.GridElevation.rows() &&
         grid->columns() >= state.GridElevation.columns();
}

double layerValue(const GridState& state, MapLayer layer, int row, int column) {
  const GridArray<double>* grid = gridOf(state, layer);
  if (row < 1 || column < 1 || row > grid->rows() || column > grid->columns()) return 0.0;
  return (*grid)(row, column);
}

Rgba ColourScale::colourOf(double value) const {
  const double span = high - low;
  const double t = span > 0 ? (value - low) / span : 0.5;
  return along(diverging ? kDiverging : kSequential, t);
}

ColourScale scaleFor(const GridState& state, MapLayer layer, std::optional<double> limit) {
  const int rows = state.GridElevation.rows();
  const int columns = state.GridElevation.columns();
  double low = 0, high = 0;
  bool first = true;
  std::vector<double> magnitudes;
  for (int r = 1; r <= rows; ++r)
    for (int c = 1; c <= columns; ++c) {
      const double v = layerValue(state, layer, r, c);
      if (!std::isfinite(v)) continue;
      low = first ? v : std::min(low, v);
      high = first ? v : std::max(high, v);
      magnitudes.push_back(std::fabs(v));
      first = false;
    }
  ColourScale scale;
  if (layer == MapLayer::Elevation) {
    scale.diverging = false;
    scale.low = low;
    scale.high = high > low ? high : low + 1;
    return scale;
  }
  double m = 0;
  if (!magnitudes.empty()) {
    scale.largest = *std::max_element(magnitudes.begin(), magnitudes.end());
    // Nearest rank: the smallest magnitude that at least the percentile's
    // share of the values do not exceed.
    const auto rank = static_cast<std::size_t>(
        std::ceil(static_cast<double>(magnitudes.size()) * kLimitPercentile / 100.0));
    const auto at =
        magnitudes.begin() + static_cast<std::ptrdiff_t>(std::max<std::size_t>(rank, 1) - 1);
    std::nth_element(magnitudes.begin(), at, magnitudes.end());
    m = *at;
    scale.limit = ColourScale::Limit::Percentile;
  }
  if (!(m > 0)) {
    m = scale.largest;  // most values zero: the percentile says nothing
    scale.limit = ColourScale::Limit::Largest;
  }
  if (limit && *limit > 0) {
    m = *limit;
    scale.limit = ColourScale::Limit::Typed;
  }
  scale.low = m > 0 ? -m : -1;
  scale.high = m > 0 ? m : 1;
  return scale;
}

std::string shortNumber(double value) {
  if (value == 0) return "0";
  return std::fabs(value) >= 1e5 ? base::nearestFixedText(value, 0) : base::generalText(value, 4);
}

}  // namespace sodwright::nibal
