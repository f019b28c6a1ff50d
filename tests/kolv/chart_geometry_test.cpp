// SPDX-License-Identifier: GPL-3.0-or-later
// The four charts as recorded drawing operations: frame, series, labels,
// range messages, failures, and the point step.
#include "kolv/charts/chart_geometry.h"

#include <functional>

#include <gtest/gtest.h>

#include "fakes/recording_drawing_surface.h"
#include "kolv/charts/chart_figure.h"

namespace sodwright::kolv {
namespace {

using platform::DrawOp;
using platform::DrawOps;
using platform::LineStyle;
using platform::Rgb;
using Kind = DrawOp::Kind;

// A state of n points as an import leaves it, with arrays sized the same way.
KolvState makeState(int n, int distrNodes, float interval, Int16 first, Int16 last) {
  KolvState s;
  s.params.NodeCount = static_cast<Int16>(n);
  s.params.DataPointCount = static_cast<Int16>(n);
  s.params.DistrNodes = static_cast<Int16>(distrNodes);
  s.params.Interval = interval;
  s.params.FirstSeqShown = first;
  s.params.LastSeqShown = last;
  const int lo = -3 * distrNodes - 10;
  const int hi = 3 * distrNodes + n + 10;
  s.data.Elev.allocate(lo, hi, 0, 51);
  for (auto* a : {&s.results.UpMassFirst, &s.results.SubMassFirst, &s.results.UpMassLast,
                  &s.results.SubMassLast})
    a->allocate(lo, hi);
  s.results.SoilLoss.allocate(lo, hi);
  s.data.SubstanceUnit = "mg";
  return s;
}

std::vector<DrawOp> opsOf(const DrawOps& ops, Kind kind) {
  std::vector<DrawOp> out;
  for (const DrawOp& op : ops)
    if (op.kind == kind) out.push_back(op);
  return out;
}

std::size_t indexOf(const DrawOps& ops, const std::function<bool(const DrawOp&)>& pred) {
  for (std::size_t i = 0; i < ops.size(); ++i)
    if (pred(ops[i])) return i;
  return ops.size();
}

TEST(ChartStep, EveryPointBelow300ThenEveryKth) {
  EXPECT_EQ(plotStep(1), 1);
  EXPECT_EQ(plotStep(299), 1);
  EXPECT_EQ(plotStep(599), 1);
  EXPECT_EQ(plotStep(600), 2);
  EXPECT_EQ(plotStep(899), 2);
  EXPECT_EQ(plotStep(900), 3);
}

TEST(ElevationChart, FrameSeriesAndLabelsOfASmallRun) {
  KolvState s = makeState(20, 1, 0.5f, 0, 1);
  for (int i = -13; i <= 33; ++i) {
    s.data.Elev(i, 0) = 10.0 - 0.1 * i;
    s.data.Elev(i, 1) = 10.0 - 0.1 * i + 0.01;
  }
  const ChartDrawing d = drawElevationChart(s, 0, 1);
  ASSERT_FALSE(d.message.has_value());
  ASSERT_TRUE(d.complete);
  const DrawOps& ops = d.ops;
  ASSERT_GE(ops.size(), 12u);
  EXPECT_EQ(ops[0].kind, Kind::Clear);
  // yMin/yMax from point 0 and points 10..10 of the first sequence: 9 and 10.
  ASSERT_EQ(ops[1].kind, Kind::Window);
  EXPECT_FLOAT_EQ(ops[1].a, -2.0f);
  EXPECT_FLOAT_EQ(ops[1].b, 10.1f);
  EXPECT_FLOAT_EQ(ops[1].c, 22.0f);
  EXPECT_FLOAT_EQ(ops[1].d, 8.9f);
  EXPECT_EQ(ops[2].penWidth, 2);
  EXPECT_EQ(ops[3].style, LineStyle::Solid);
  // The x axis at yMin and the y axis at x = 0.
  EXPECT_FLOAT_EQ(ops[4].a, -2.0f);
  EXPECT_FLOAT_EQ(ops[4].b, 9.0f);
  EXPECT_FLOAT_EQ(ops[5].a, 0.0f);
  EXPECT_FLOAT_EQ(ops[5].d, 10.1f);
  EXPECT_EQ(ops[6].penWidth, 1);
  EXPECT_EQ(ops[7].style, LineStyle::Dashed);
  EXPECT_FLOAT_EQ(ops[8].b, 10.0f);   // guide at yMax
  EXPECT_FLOAT_EQ(ops[9].b, 9.5f);    // guide at the middle
  EXPECT_FLOAT_EQ(ops[10].a, 10.0f);  // tick at N/2 ...
  EXPECT_FLOAT_EQ(ops[10].d, 9.0f - 1.0f / 30);
  EXPECT_FLOAT_EQ(ops[11].a, 20.0f);  // ... and at N
  EXPECT_EQ(opsOf(ops, Kind::Line).size(), 6u);

  // Six runs: F ends -2..-1 and 21..22, L ends -2..1 and 19..22, F middle 0..20, L middle 2..18.
  const auto points = opsOf(ops, Kind::Point);
  ASSERT_EQ(points.size(), 2u + 4u + 21u + 17u + 2u + 4u);
  EXPECT_FLOAT_EQ(points[0].a, -2.0f);
  EXPECT_EQ(points[0].colour, (Rgb{0, 150, 255}));
  EXPECT_EQ(points[2].colour, (Rgb{255, 150, 0}));
  EXPECT_EQ(points[6].colour, (Rgb{0, 0, 255}));
  EXPECT_FLOAT_EQ(points[6].b, 10.0f);
  EXPECT_EQ(points[27].colour, (Rgb{255, 0, 0}));
  EXPECT_FLOAT_EQ(points[27].a, 2.0f);
  EXPECT_FLOAT_EQ(points.back().a, 22.0f);

  platform::RecordingDrawingSurface surface;
  platform::replay(ops, surface);
  EXPECT_EQ(surface.ops.size(), ops.size());
  EXPECT_EQ(surface.labels[ChartLabel::MaxValue], "10.0");
  EXPECT_EQ(surface.labels[ChartLabel::MidValue], "9.5");
  EXPECT_EQ(surface.labels[ChartLabel::MinValue], "9.0");
  EXPECT_EQ(surface.labels[ChartLabel::MidDistance], "5.0");
  EXPECT_EQ(surface.labels[ChartLabel::MaxDistance], "10.0");
  EXPECT_EQ(surface.labels.count(ChartLabel::ValueUnit), 0u);
}

TEST(ChartRange, FlatFirstSequenceGivesTheElevationMessageAndKeepsLabels) {
  KolvState s = makeState(30, 1, 1.0f, 0, 1);
  for (int i = -13; i <= 43; ++i) {
    s.data.Elev(i, 0) = 5.0;
    s.data.Elev(i, 1) = 5.0 + 0.01 * i;  // the last sequence differs
  }
  platform::RecordingDrawingSurface surface;
  surface.setLabel(ChartLabel::MaxValue, "old");
  const ChartDrawing d = drawElevationChart(s, 0, 1);
  ASSERT_TRUE(d.message.has_value());
  EXPECT_EQ(*d.message, "Elevation Range is wrong, please check your import data.");
  platform::replay(d.ops, surface);
  ASSERT_EQ(d.ops.size(), 1u);
  EXPECT_EQ(d.ops[0].kind, Kind::Clear);
  EXPECT_EQ(surface.labels[ChartLabel::MaxValue], "old");
}

TEST(ChartRange, NoPointsGiveTheXRangeMessageForEveryChart) {
  KolvState s = makeState(0, 1, 1.0f, 0, 1);
  for (ChartKind kind : kAllCharts) {
    const ChartDrawing d = drawChart(kind, s);
    ASSERT_TRUE(d.message.has_value());
    EXPECT_EQ(*d.message, "X Range is wrong, please check your import data.");
    EXPECT_EQ(d.ops.size(), 1u);
  }
}

TEST(ChartRange, NoSoilMovementAndNoSubstanceGiveTheirMessages) {
  KolvState s = makeState(40, 1, 1.0f, 0, 1);
  for (int i = 0; i < 40; ++i) s.results.SoilLoss(i) = i < 2 || i > 38 ? 3.0f : 0.25f;
  EXPECT_EQ(drawSoilLossChart(s).message.value_or(""),
            "Soil loss Range is wrong, please check your import data.");
  EXPECT_EQ(drawUpperLayerChart(s).message.value_or(""),
            "Up-layer mass Range is wrong, please check your import data.");
  EXPECT_EQ(drawWholeProfileChart(s).message.value_or(""),
            "Profile mass Range is wrong, please check your import data.");
}

TEST(SubstanceCharts, UnitBeforeSeriesAndInterleavedFirstLast) {
  KolvState s = makeState(25, 1, 2.0f, 0, 3);
  for (int i = 0; i < 25; ++i) {
    s.results.UpMassFirst(i) = 1.0;
    s.results.SubMassFirst(i) = 0.5;
    s.results.UpMassLast(i) = 1.0 + 0.02 * i;
    s.results.SubMassLast(i) = std::nullopt;  // empty counts as 0
  }
  const ChartDrawing up = drawUpperLayerChart(s);
  ASSERT_TRUE(up.complete);
  // Range over 10..15: yMin 1.0 (up, first), yMax 1.5 (up + sub, first).
  EXPECT_FLOAT_EQ(up.ops[1].b, 1.55f);
  const auto unitAt = indexOf(up.ops, [](const DrawOp& op) {
    return op.kind == Kind::Text && op.label == ChartLabel::ValueUnit;
  });
  const auto firstPoint = indexOf(up.ops, [](const DrawOp& op) { return op.kind == Kind::Point; });
  ASSERT_LT(unitAt, up.ops.size());
  EXPECT_EQ(up.ops[unitAt].text, "mg/m");
  EXPECT_LT(indexOf(up.ops,
                    [](const DrawOp& op) {
                      return op.kind == Kind::Style && op.style == LineStyle::Dashed;
                    }),
            unitAt);
  EXPECT_LT(unitAt, firstPoint);
  const auto points = opsOf(up.ops, Kind::Point);
  ASSERT_EQ(points.size(), 50u);
  EXPECT_EQ(points[0].colour, (Rgb{0, 0, 255}));
  EXPECT_EQ(points[1].colour, (Rgb{255, 0, 0}));
  EXPECT_FLOAT_EQ(points[3].b, 1.02f);
  platform::RecordingDrawingSurface surface;
  platform::replay(up.ops, surface);
  EXPECT_EQ(surface.labels[ChartLabel::MaxValue], "1.50");
  EXPECT_EQ(surface.labels[ChartLabel::MidValue], "1.25");
  EXPECT_EQ(surface.labels[ChartLabel::MaxDistance], "50.0");

  const auto whole = opsOf(drawWholeProfileChart(s).ops, Kind::Point);
  ASSERT_EQ(whole.size(), 50u);
  EXPECT_FLOAT_EQ(whole[0].b, 1.5f);  // up + sub of the first sequence
  EXPECT_FLOAT_EQ(whole[1].b, 1.0f);
}

TEST(SubstanceCharts, OwnScaleFitsEachChartToItsOwnAmountsOfBothSequences) {
  KolvState s = makeState(25, 1, 2.0f, 0, 3);
  for (int i = 0; i < 25; ++i) {
    s.results.UpMassFirst(i) = 1.0;
    s.results.SubMassFirst(i) = 0.5;
    s.results.UpMassLast(i) = 1.0 + 0.02 * i;
    s.results.SubMassLast(i) = 0.0;
  }
  auto labels = [](const ChartDrawing& drawing) {
    platform::RecordingDrawingSurface surface;
    platform::replay(drawing.ops, surface);
    return surface.labels[ChartLabel::MaxValue] + " " + surface.labels[ChartLabel::MinValue];
  };
  // Over points 10 .. 15 the up amounts run 1.00 (first) .. 1.30 (last) and
  // the sums 1.20 (last) .. 1.50 (first); the layout's shared range is 1.00 .. 1.50.
  EXPECT_EQ(labels(drawUpperLayerChart(s, {.ownScale = true})), "1.30 1.00");
  EXPECT_EQ(labels(drawWholeProfileChart(s, {.ownScale = true})), "1.50 1.20");
  EXPECT_EQ(labels(drawUpperLayerChart(s)), "1.50 1.00");
  EXPECT_EQ(labels(drawWholeProfileChart(s)), "1.50 1.00");
}

TEST(SoilLossChart, LongTransectsPlotEveryKthPointAndLabelTheDistance) {
  for (int n : {600, 900, 1000}) {
    KolvState s = makeState(n, 1, 0.5f, 0, 1);
    for (int i = 0; i < n; ++i) s.results.SoilLoss(i) = static_cast<float>(i % 7);
    const ChartDrawing d = drawSoilLossChart(s);
    ASSERT_TRUE(d.complete) << n;
    const auto points = opsOf(d.ops, Kind::Point);
    const int k = n / 300;
    ASSERT_EQ(points.size(), static_cast<std::size_t>((n - 1) / k + 1)) << n;
    EXPECT_FLOAT_EQ(points[1].a, static_cast<float>(k));
    EXPECT_EQ(points[0].colour, (Rgb{200, 100, 0}));
    if (n == 1000) {
      platform::RecordingDrawingSurface surface;
      platform::replay(d.ops, surface);
      EXPECT_EQ(surface.labels[ChartLabel::MidDistance], "250.0");
      EXPECT_EQ(surface.labels[ChartLabel::MaxDistance], "500.0");
      EXPECT_EQ(surface.labels[ChartLabel::MaxValue], "6.0");
    }
  }
}

TEST(ChartFailure, MissingValuesAreReportedAndTheDrawingStopsWhereItFailed) {
  // A last sequence whose end zone reaches past the arrays.
  KolvState s = makeState(20, 1, 1.0f, 0, 30);
  for (int i = -13; i <= 33; ++i) s.data.Elev(i, 0) = 1.0 + 0.1 * i;
  const ChartDrawing d = drawElevationChart(s, 0, 30);
  ASSERT_TRUE(d.message.has_value());
  EXPECT_EQ(*d.message, "Draw Elevation failed. Program will skip this step.");
  EXPECT_FALSE(d.complete);
  EXPECT_EQ(opsOf(d.ops, Kind::Window).size(), 1u);
  EXPECT_TRUE(opsOf(d.ops, Kind::Text).empty());

  // Nothing imported: every chart reports its failure by itself.
  KolvState empty;
  empty.params.NodeCount = 5;
  EXPECT_EQ(drawChart(ChartKind::SoilLoss, empty).message.value_or(""),
            "Draw Soil Loss Rate failed. Program will skip this step.");
  EXPECT_EQ(drawChart(ChartKind::UpLayer, empty).message.value_or(""),
            "Draw Up Layer Mass failed. Program will skip this step.");
  EXPECT_EQ(drawChart(ChartKind::WholeProfile, empty).message.value_or(""),
            "Draw Up+Sub Layer Mass failed. Program will skip this step.");
}

TEST(ChartEdges, AValueBeyondTheRangeIsMarkedOnTheEdgeItLiesBeyond) {
  // y upwards (top 10, bottom 0) and downwards (top 0, bottom 10).
  EXPECT_EQ(edgeBeyond(10.5f, 10, 0), ChartEdge::Above);
  EXPECT_EQ(edgeBeyond(-0.5f, 10, 0), ChartEdge::Below);
  EXPECT_EQ(edgeBeyond(10.0f, 10, 0), ChartEdge::Inside);
  EXPECT_EQ(edgeBeyond(10.5f, 0, 10), ChartEdge::Below);
  EXPECT_TRUE(edgeMarker(ChartEdge::Inside, 50, 0, 99, 7).empty());
  // The tip touches the edge, the base lies inside the chart, centred on x.
  const std::vector<PixelPoint> above = edgeMarker(ChartEdge::Above, 50, 0, 99, 10);
  ASSERT_EQ(above.size(), 3u);
  EXPECT_EQ(above[0].x, 50);
  EXPECT_EQ(above[0].y, 0);
  EXPECT_EQ(above[1].y, 8);
  EXPECT_EQ(above[2].x - above[1].x, 10);
  const std::vector<PixelPoint> below = edgeMarker(ChartEdge::Below, 50, 0, 99, 10);
  EXPECT_EQ(below[0].y, 99);
  EXPECT_EQ(below[1].y, 91);
}

TEST(ChartFigure, OffRangePointsAreEdgeMarkersAndEndZonesAreShaded) {
  const platform::DrawOps ops = {DrawOp::clearOp(),
                                 DrawOp::window(-1, 10, 11, 0),
                                 DrawOp::pen(2),
                                 DrawOp::point(5, 5, {0, 0, 255}),
                                 DrawOp::point(6, 24, {255, 0, 0}),
                                 DrawOp::point(7, -3, {0, 150, 0}),
                                 DrawOp::polygon({2, 5, 4, 50, 4, 5}, {1, 2, 3})};
  const ChartKey key = chartKey(ChartKind::SoilLoss, makeState(10, 1, 1.0f, 0, 1));
  const platform::Figure fig = chartFigure(key, ops, {{-1e9f, 1.5f}});
  std::vector<platform::FigureOp> markers;
  platform::FigureOp area;
  int shades = 0;
  bool insidePoint = false;
  for (const platform::FigureOp& op : fig.ops) {
    if (op.kind == platform::FigureOp::Kind::Polygon && op.colour == platform::Rgba{1, 2, 3, 255})
      area = op;
    else if (op.kind == platform::FigureOp::Kind::Polygon)
      markers.push_back(op);
    if (op.kind == platform::FigureOp::Kind::Rect &&
        op.colour == platform::Rgba{225, 225, 225, 255})
      ++shades;  // the legend's swatch and the band
    if (op.kind == platform::FigureOp::Kind::Rect && op.colour == platform::Rgba{0, 0, 255, 255})
      insidePoint = true;
  }
  EXPECT_TRUE(insidePoint);
  EXPECT_EQ(shades, 2);
  ASSERT_EQ(markers.size(), 2u);
  // The red one above points up from the top edge, the green one below down
  // from the bottom edge: the tip is the first corner.
  EXPECT_EQ(markers[0].colour, (platform::Rgba{255, 0, 0, 255}));
  EXPECT_LT(markers[0].corners[1], markers[0].corners[3]);
  EXPECT_GT(markers[1].corners[1], markers[1].corners[3]);
  EXPECT_LT(markers[0].corners[1], markers[1].corners[1]);
  // A filled area beyond the top is cut at the top edge, where the marker's tip is.
  ASSERT_EQ(area.corners.size(), 6u);
  EXPECT_EQ(area.corners[3], markers[0].corners[1]);
  EXPECT_LT(area.corners[3], area.corners[1]);
}

TEST(BandChart, OneFilledAreaBetweenTheOuterPercentilesMedianOnTopScaledToTheBand) {
  const int n = 40;
  KolvState s = makeState(n, 2, 1.0f, 0, 1);
  ChartBand band;
  for (int i = 0; i < n; ++i) {
    band.lower.push_back(10 + i);
    band.median.push_back(12 + i);
    band.upper.push_back(15 + i);
    band.run.push_back(11 + i);
  }
  const ChartDrawing d = drawBandChart(ChartKind::UpLayer, s, band);
  ASSERT_TRUE(d.complete);
  // The area runs along the upper curve and back along the lower one, through every point.
  const auto areas = opsOf(d.ops, Kind::Polygon);
  ASSERT_EQ(areas.size(), 1u);
  EXPECT_EQ(areas[0].colour, chart_colours::kBandShade);
  std::vector<float> outline;
  for (int i = 0; i < n; ++i) outline.insert(outline.end(), {float(i), float(band.upper[i])});
  for (int i = n - 1; i >= 0; --i) outline.insert(outline.end(), {float(i), float(band.lower[i])});
  EXPECT_EQ(areas[0].corners, outline);
  std::vector<int> medians;
  for (const DrawOp& op : opsOf(d.ops, Kind::Point)) {
    EXPECT_NE(op.colour, chart_colours::kBandShade);
    if (op.colour == chart_colours::kRed) {
      EXPECT_EQ(op.b, static_cast<float>(band.median[static_cast<int>(op.a)]));
      medians.push_back(static_cast<int>(op.a));
    }
  }
  EXPECT_EQ(medians.size(), static_cast<std::size_t>(n));
  // The median is drawn last, over the area and the study's run.
  EXPECT_EQ(opsOf(d.ops, Kind::Point).back().colour, chart_colours::kRed);
  const auto labelled = [](const ChartDrawing& drawing, ChartLabel label) {
    for (const DrawOp& op : opsOf(drawing.ops, Kind::Text))
      if (op.label == label) return op.text;
    return std::string();
  };
  // Scaled over points 10 .. N-10: from the lowest lower to the highest upper.
  EXPECT_EQ(labelled(d, ChartLabel::MaxValue), "45.00");
  EXPECT_EQ(labelled(d, ChartLabel::MinValue), "20.00");
  // Over the points it is given, both ends included and nothing beyond.
  band.scaleFirst = 5;
  band.scaleLast = 30;
  band.lower[4] = -100;
  band.upper[31] = 100;
  const ChartDrawing given = drawBandChart(ChartKind::UpLayer, s, band);
  EXPECT_EQ(labelled(given, ChartLabel::MinValue), "15.00");
  EXPECT_EQ(labelled(given, ChartLabel::MaxValue), "45.00");
  // A band shorter than the transect cannot be drawn.
  band.upper.pop_back();
  EXPECT_FALSE(drawBandChart(ChartKind::UpLayer, s, band).complete);
}

}  // namespace
}  // namespace sodwright::kolv
