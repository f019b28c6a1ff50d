// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A KOLV chart as a figure that explains itself: title, legend (which colour
// is the first and which the last sequence shown, and the lighter end-zone
// shades), value and distance labels in columns as wide as their texts, axis
// captions with units, and the series replayed from the chart's own drawing
// operations. The exporters save it; the four charts make one figure too.

#include <array>
#include <string>
#include <vector>

#include "kolv/charts/chart_geometry.h"
#include "platform/drawing_surface.h"
#include "platform/figure.h"

namespace sodwright::kolv {

struct ChartKeyEntry {
  platform::Rgb colour;
  std::string text;      // for the legend, "Seq 10 (last)"
  std::string sequence;  // for the read-out, "10"
};

struct ChartKey {
  std::string title;  // "Elevation", "Soil Loss Rate", ...
  std::string valueUnit;
  std::string distanceUnit = "m";
  double interval = 1;  // distance between two points
  std::vector<ChartKeyEntry> entries;
  std::string note;  // what the lighter shades mean, where the chart has them
};

std::string chartTitle(ChartKind kind);
ChartKey chartKey(ChartKind kind, const KolvState& state);
// The legend entry of a series colour, or null.
const ChartKeyEntry* entryOf(const ChartKey& key, platform::Rgb colour);

struct ChartFigureOptions {
  double width = 640;
  double height = 400;
  double fontSize = 13;
};

// `ops` are the chart's drawing operations as the screen replays them and
// `endZones` the bands it shades behind them. A point beyond the top or the
// bottom of the coordinate window is drawn as a marker on that edge.
platform::Figure chartFigure(const ChartKey& key, const platform::DrawOps& ops,
                             const std::vector<ShadedBand>& endZones = {},
                             const platform::TextWidth& textWidth = platform::estimatedTextWidth,
                             const ChartFigureOptions& options = {});

struct ChartPart {
  ChartKey key;
  platform::DrawOps ops;
  std::vector<ShadedBand> endZones;
};

// The four charts in their two-by-two block under one heading.
platform::Figure fourChartsFigure(
    const std::array<ChartPart, 4>& charts, const std::string& heading,
    const platform::TextWidth& textWidth = platform::estimatedTextWidth,
    const ChartFigureOptions& options = {1280, 860, 13});

// The four charts of the state's comparison, drawn afresh.
std::array<ChartPart, 4> currentCharts(const KolvState& state);
std::string chartsHeading(const KolvState& state);

}  // namespace sodwright::kolv
