// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The four KOLV charts as drawings: coordinate window, axes, dashed guide
// lines, coloured series and the label texts, computed from the state into a
// list of drawing operations that a screen surface replays and tests read.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kolv/state/kolv_state.h"
#include "platform/drawing_surface.h"

namespace sodwright::kolv {

enum class ChartKind { Elevation, SoilLoss, UpLayer, WholeProfile };

// The labels a chart sets beside its surface (the surface's label numbers).
enum ChartLabel : platform::LabelId {
  MaxValue,
  MidValue,
  MinValue,
  MidDistance,
  MaxDistance,
  ValueUnit
};

// The drawing order after a run or a redraw.
inline constexpr std::array<ChartKind, 4> kAllCharts = {
    ChartKind::Elevation, ChartKind::SoilLoss, ChartKind::UpLayer, ChartKind::WholeProfile};

// The series colours: the first sequence shown in blue, the last in red,
// lighter shades of both in the end zones, the soil loss in brown.
namespace chart_colours {
inline constexpr platform::Rgb kLightBlue{0, 150, 255};
inline constexpr platform::Rgb kLightRed{255, 150, 0};
inline constexpr platform::Rgb kBlue{0, 0, 255};
inline constexpr platform::Rgb kRed{255, 0, 0};
inline constexpr platform::Rgb kBrown{200, 100, 0};
// The grey of the end-zone bands behind the series.
inline constexpr platform::Rgb kEndZoneShade{225, 225, 225};
// The band of an ensemble, behind its median (red) and the study's own run (blue).
inline constexpr platform::Rgb kBandShade{255, 200, 185};
}  // namespace chart_colours

// Where a plotted value lies against the vertical range of its coordinate
// window. A point beyond the top or the bottom is not left off the chart:
// the window and the figures both draw it as a marker on that edge.
enum class ChartEdge { Inside, Above, Below };
ChartEdge edgeBeyond(float y, float windowTop, float windowBottom);

// A position in pixels of a drawn chart, y growing downwards.
struct PixelPoint {
  double x = 0;
  double y = 0;
};

// The marker of a point beyond an edge: a triangle of width `size` centred on
// the point's x, its tip on the edge (topPixel or bottomPixel) pointing out
// of the chart, its base inside. Empty for a point inside.
std::vector<PixelPoint> edgeMarker(ChartEdge edge, double x, double topPixel, double bottomPixel,
                                   double size);

inline constexpr std::string_view kXRangeMessage =
    "X Range is wrong, please check your import data.";

// The message when the values of a chart span no range.
std::string_view rangeMessage(ChartKind kind);
// The message when a chart cannot be drawn from the data it needs; the chart
// stays as far as drawn.
std::string_view failureMessage(ChartKind kind);

// A stretch of the x axis (point indices) to shade behind the series.
struct ShadedBand {
  float from = 0;
  float to = 0;
};

struct ChartDrawing {
  platform::DrawOps ops;               // always starts with a clear
  std::optional<std::string> message;  // range or failure message, to show once
  bool complete = false;               // axes, series and labels all drawn
  std::vector<ShadedBand> endZones;    // the end zones of the compared sequences (drawChart only)
};

// How the charts are scaled: as always (the value ranges of the layout), or
// to the points outside the end zones of the compared sequences, whose
// constructed values can otherwise set the scale.
struct ChartOptions {
  bool interiorScale = false;
  // The two substance charts each to their own values (the up amounts alone,
  // the sums alone), instead of the one range of the layout that fits both:
  // the up layer's mass is then not squeezed under the larger sums.
  bool ownScale = false;
};

// Every k-th point index is plotted: k = Int(N / 300), and every point when
// the transect has fewer than 300 points (a step of 0 would never advance).
int plotStep(int nodeCount);

// The elevation of the first and the last sequence along the transect.
ChartDrawing drawElevationChart(const KolvState& state, Int16 first, Int16 last,
                                ChartOptions options = {});
// The soil loss per sequence.
ChartDrawing drawSoilLossChart(const KolvState& state, ChartOptions options = {});
// The substance amount in the up sampling layer, first and last sequence.
ChartDrawing drawUpperLayerChart(const KolvState& state, ChartOptions options = {});
// The amount in the up and sub sampling layers together.
ChartDrawing drawWholeProfileChart(const KolvState& state, ChartOptions options = {});

// The spread of many runs on one chart, per point 0 .. N-1 in the chart's
// own quantity (for the elevation chart the elevation of the last sequence).
struct ChartBand {
  std::vector<double> lower, median, upper;  // the outer percentiles and the median
  std::vector<double> run;                   // the study's own run
  // The points the scale is taken over (first .. last); -1: the chart's own
  // (points 10 .. N-10, the soil loss 2L .. N-2L).
  int scaleFirst = -1, scaleLast = -1;
};

// The band as one filled area from lower to upper over every point, the
// study's run over it and the median on top, both plotted at every plotted
// point; scaled over the band's points from the lowest lower and run to the
// highest upper and run. `state` is the study's own run, for the frame,
// units and labels.
ChartDrawing drawBandChart(ChartKind kind, const KolvState& state, const ChartBand& band);

// The end zones of a comparison whose later sequence is `lastCompared`,
// as bands of point positions; none when the zones are empty.
std::vector<ShadedBand> endZoneBands(const KolvState& state, int lastCompared);

// One chart; the elevation chart over FirstSeqShown and LastSeqShown. The
// drawing names the end zones of the compared pair for shading.
ChartDrawing drawChart(ChartKind kind, const KolvState& state, ChartOptions options = {});

}  // namespace sodwright::kolv
