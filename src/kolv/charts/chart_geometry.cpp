// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/charts/chart_geometry.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <stdexcept>
#include <type_traits>
#include <utility>

#include "base/number_text.h"
#include "kolv/stability/stability_end_zones.h"

namespace sodwright::kolv {
namespace {

using platform::DrawOp;
using platform::LineStyle;
using platform::Rgb;

using namespace chart_colours;

// A value the chart needs lies outside the arrays (no data yet, or a
// sequence beyond the simulated ones).
struct MissingValue : std::runtime_error {
  MissingValue() : std::runtime_error("chart value outside the arrays") {}
};

double elevAt(const KolvState& s, int node, int seq) {
  if (!s.data.Elev.contains(node, seq)) throw MissingValue();
  return s.data.Elev(node, seq);
}

template <class T>
double valueAt(const NodeArray<T>& array, int node) {
  if (!array.contains(node)) throw MissingValue();
  if constexpr (std::is_same_v<T, std::optional<double>>) {
    return valueOrZero(array(node));
  } else {
    return static_cast<double>(array(node));
  }
}

struct Range {
  double yMin = 0;
  double yMax = 0;
};

// The frame shared by the four charts; the chart supplies its range, its
// series and the masks of its value labels.
class ChartBuilder {
 public:
  ChartBuilder(ChartKind kind, const KolvState& state) : kind_(kind), state_(state) {}

  ChartDrawing build(const std::function<Range()>& findRange, const std::function<void(int)>& plot,
                     const char* yMask, bool substanceUnit) {
    out_.ops.push_back(DrawOp::clearOp());
    try {
      const int n = state_.params.NodeCount;
      const double xMin = 0.0;
      const double xMax = n;
      const double xRange = n;
      if (xRange <= 0) {
        out_.message = std::string(kXRangeMessage);
        return std::move(out_);
      }
      const Range r = findRange();
      const double yRange = r.yMax - r.yMin;
      if (!(yRange > 0) || !std::isfinite(yRange)) {
        out_.message = std::string(rangeMessage(kind_));
        return std::move(out_);
      }
      const double yTop = r.yMax + yRange / 10;
      const double yBottom = r.yMin - yRange / 10;
      const double xLeft = xMin - xRange / 10;
      const double xRight = xMax + xRange / 10;
      const double yMid = r.yMin + yRange / 2;
      const double tickEnd = r.yMin - yRange / 30;

      push(DrawOp::window(f(xLeft), f(yTop), f(xRight), f(yBottom)));
      push(DrawOp::pen(2));
      push(DrawOp::lineStyle(LineStyle::Solid));
      line(xLeft, r.yMin, xRight, r.yMin);
      line(0, yBottom, 0, yTop);
      push(DrawOp::pen(1));
      push(DrawOp::lineStyle(LineStyle::Dashed));
      line(0, r.yMax, xRight, r.yMax);
      line(0, yMid, xRight, yMid);
      line(xRange / 2, r.yMin, xRange / 2, tickEnd);
      line(xMax, r.yMin, xMax, tickEnd);
      if (substanceUnit)
        push(DrawOp::labelText(ChartLabel::ValueUnit, state_.data.SubstanceUnit + "/m"));
      push(DrawOp::pen(2));
      plot(plotStep(n));

      const double interval = state_.params.Interval;
      push(DrawOp::labelText(ChartLabel::MaxValue, base::formatMask(r.yMax, yMask)));
      push(DrawOp::labelText(ChartLabel::MidValue, base::formatMask(yMid, yMask)));
      push(DrawOp::labelText(ChartLabel::MinValue, base::formatMask(r.yMin, yMask)));
      push(DrawOp::labelText(ChartLabel::MidDistance,
                             base::formatMask(xRange / 2 * interval, "###0.0")));
      push(DrawOp::labelText(ChartLabel::MaxDistance, base::formatMask(n * interval, "###0.0")));
      out_.complete = true;
    } catch (const MissingValue&) {
      out_.message = std::string(failureMessage(kind_));
    }
    return std::move(out_);
  }

  void point(int i, double y, Rgb colour) {
    push(DrawOp::point(static_cast<float>(i), f(y), colour));
  }
  void polygon(std::vector<float> corners, Rgb colour) {
    push(DrawOp::polygon(std::move(corners), colour));
  }

 private:
  static float f(double v) { return static_cast<float>(v); }
  void push(DrawOp op) { out_.ops.push_back(std::move(op)); }
  void line(double x1, double y1, double x2, double y2) {
    push(DrawOp::line(f(x1), f(y1), f(x2), f(y2)));
  }

  ChartKind kind_;
  const KolvState& state_;
  ChartDrawing out_;
};

// Plots every k-th index of first..last.
template <class Fn>
void forEvery(int first, int last, int k, Fn fn) {
  for (int i = first; i <= last; i += k) fn(i);
}

// The points a scale is taken over: lo .. hi as the layout has them, or with
// the interior scale the points outside the end zones of the shown pair
// (when any are left).
struct Span {
  int lo;
  int hi;
};
Span scaleSpan(const KolvState& s, ChartOptions options, int lo, int hi) {
  if (!options.interiorScale) return {lo, hi};
  const TranslocationParameters& p = s.params;
  const int margin = endZoneMargin(std::max(p.FirstSeqShown, p.LastSeqShown), p.LastSeq);
  const Span interior{margin, p.NodeCount - 1 - margin};
  return interior.lo <= interior.hi ? interior : Span{lo, hi};
}

// Range of the two substance charts: the smallest up amount and the largest
// sum of up and sub amount over points 10 .. N-10, last sequence then first.
Range substanceRange(const KolvState& s, ChartOptions options) {
  const ComparisonResults& c = s.results;
  const Span span = scaleSpan(s, options, 10, s.params.NodeCount - 10);
  const int lo = span.lo, hi = span.hi;
  Range r{valueAt(c.UpMassLast, lo), valueAt(c.UpMassLast, lo) + valueAt(c.SubMassLast, lo)};
  for (int i = lo; i <= hi; ++i) {
    r.yMin = std::min(r.yMin, valueAt(c.UpMassLast, i));
    r.yMax = std::max(r.yMax, valueAt(c.UpMassLast, i) + valueAt(c.SubMassLast, i));
  }
  for (int i = lo; i <= hi; ++i) {
    r.yMin = std::min(r.yMin, valueAt(c.UpMassFirst, i));
    r.yMax = std::max(r.yMax, valueAt(c.UpMassFirst, i) + valueAt(c.SubMassFirst, i));
  }
  return r;
}

// Range of one substance chart alone over the same points: `amount` is the
// up amount, or the sum of up and sub amount, of node i in the last (true)
// or the first sequence.
template <class Amount>
Range ownSubstanceRange(const KolvState& s, ChartOptions options, Amount amount) {
  const Span span = scaleSpan(s, options, 10, s.params.NodeCount - 10);
  Range r{amount(span.lo, true), amount(span.lo, true)};
  for (bool last : {true, false})
    for (int i = span.lo; i <= span.hi; ++i) {
      r.yMin = std::min(r.yMin, amount(i, last));
      r.yMax = std::max(r.yMax, amount(i, last));
    }
  return r;
}

}  // namespace

std::string_view rangeMessage(ChartKind kind) {
  switch (kind) {
    case ChartKind::Elevation:
      return "Elevation Range is wrong, please check your import data.";
    case ChartKind::SoilLoss:
      return "Soil loss Range is wrong, please check your import data.";
    case ChartKind::UpLayer:
      return "Up-layer mass Range is wrong, please check your import data.";
    case ChartKind::WholeProfile:
      return "Profile mass Range is wrong, please check your import data.";
  }
  return {};
}

std::string_view failureMessage(ChartKind kind) {
  switch (kind) {
    case ChartKind::Elevation:
      return "Draw Elevation failed. Program will skip this step.";
    case ChartKind::SoilLoss:
      return "Draw Soil Loss Rate failed. Program will skip this step.";
    case ChartKind::UpLayer:
      return "Draw Up Layer Mass failed. Program will skip this step.";
    case ChartKind::WholeProfile:
      return "Draw Up+Sub Layer Mass failed. Program will skip this step.";
  }
  return {};
}

int plotStep(int nodeCount) { return std::max(1, nodeCount / 300); }

ChartEdge edgeBeyond(float y, float windowTop, float windowBottom) {
  const float high = std::max(windowTop, windowBottom);
  const float low = std::min(windowTop, windowBottom);
  // A window whose top is the larger value has y growing upwards.
  const bool upwards = windowTop >= windowBottom;
  if (y > high) return upwards ? ChartEdge::Above : ChartEdge::Below;
  if (y < low) return upwards ? ChartEdge::Below : ChartEdge::Above;
  return ChartEdge::Inside;
}

std::vector<PixelPoint> edgeMarker(ChartEdge edge, double x, double topPixel, double bottomPixel,
                                   double size) {
  if (edge == ChartEdge::Inside) return {};
  const double half = size / 2;
  const double depth = size * 0.8;
  if (edge == ChartEdge::Above)
    return {{x, topPixel}, {x - half, topPixel + depth}, {x + half, topPixel + depth}};
  return {{x, bottomPixel}, {x + half, bottomPixel - depth}, {x - half, bottomPixel - depth}};
}

ChartDrawing drawElevationChart(const KolvState& state, Int16 first, Int16 last,
                                ChartOptions options) {
  ChartBuilder b(ChartKind::Elevation, state);
  const int n = state.params.NodeCount;
  const int d = state.params.DistrNodes;
  const int f = first;
  const int l = last;
  auto range = [&] {
    Range r{elevAt(state, 0, f), elevAt(state, 0, f)};
    for (int i = 10; i <= n - 10; ++i) {
      r.yMin = std::min(r.yMin, elevAt(state, i, f));
      r.yMax = std::max(r.yMax, elevAt(state, i, f));
    }
    return r;
  };
  // Both sequences over the points outside their end zones.
  auto interiorRange = [&] {
    const Span span = scaleSpan(state, options, 10, n - 10);
    Range r{elevAt(state, span.lo, f), elevAt(state, span.lo, f)};
    for (int seq : {f, l}) {
      for (int i = span.lo; i <= span.hi; ++i) {
        r.yMin = std::min(r.yMin, elevAt(state, i, seq));
        r.yMax = std::max(r.yMax, elevAt(state, i, seq));
      }
    }
    return r;
  };
  // The end zones (lighter shades) grow by two points per sequence number.
  auto plot = [&](int k) {
    forEvery(-2 * d, 2 * f - 1, k, [&](int i) { b.point(i, elevAt(state, i, f), kLightBlue); });
    forEvery(-2 * d, 2 * l - 1, k, [&](int i) { b.point(i, elevAt(state, i, l), kLightRed); });
    forEvery(2 * f, n - 2 * f, k, [&](int i) { b.point(i, elevAt(state, i, f), kBlue); });
    forEvery(2 * l, n - 2 * l, k, [&](int i) { b.point(i, elevAt(state, i, l), kRed); });
    forEvery(n - 2 * f + 1, n + 2 * d, k,
             [&](int i) { b.point(i, elevAt(state, i, f), kLightBlue); });
    forEvery(n - 2 * l + 1, n + 2 * d, k,
             [&](int i) { b.point(i, elevAt(state, i, l), kLightRed); });
  };
  if (options.interiorScale) return b.build(interiorRange, plot, "###0.0", false);
  return b.build(range, plot, "###0.0", false);
}

ChartDrawing drawSoilLossChart(const KolvState& state, ChartOptions options) {
  ChartBuilder b(ChartKind::SoilLoss, state);
  const int n = state.params.NodeCount;
  const int l = state.params.LastSeqShown;
  const auto& loss = state.results.SoilLoss;
  auto range = [&] {
    const Span span = scaleSpan(state, options, 2 * l, n - 2 * l);
    Range r{valueAt(loss, span.lo), valueAt(loss, span.lo)};
    for (int i = span.lo; i <= span.hi; ++i) {
      r.yMin = std::min(r.yMin, valueAt(loss, i));
      r.yMax = std::max(r.yMax, valueAt(loss, i));
    }
    return r;
  };
  auto plot = [&](int k) {
    forEvery(0, n - 1, k, [&](int i) { b.point(i, valueAt(loss, i), kBrown); });
  };
  return b.build(range, plot, "##0.0", false);
}

ChartDrawing drawUpperLayerChart(const KolvState& state, ChartOptions options) {
  ChartBuilder b(ChartKind::UpLayer, state);
  const ComparisonResults& c = state.results;
  auto plot = [&](int k) {
    forEvery(0, state.params.NodeCount - 1, k, [&](int i) {
      b.point(i, valueAt(c.UpMassFirst, i), kBlue);
      b.point(i, valueAt(c.UpMassLast, i), kRed);
    });
  };
  auto up = [&](int i, bool last) { return valueAt(last ? c.UpMassLast : c.UpMassFirst, i); };
  if (options.ownScale)
    return b.build([&] { return ownSubstanceRange(state, options, up); }, plot, "##0.00", true);
  return b.build([&] { return substanceRange(state, options); }, plot, "##0.00", true);
}

ChartDrawing drawWholeProfileChart(const KolvState& state, ChartOptions options) {
  ChartBuilder b(ChartKind::WholeProfile, state);
  const ComparisonResults& c = state.results;
  auto plot = [&](int k) {
    forEvery(0, state.params.NodeCount - 1, k, [&](int i) {
      b.point(i, valueAt(c.UpMassFirst, i) + valueAt(c.SubMassFirst, i), kBlue);
      b.point(i, valueAt(c.UpMassLast, i) + valueAt(c.SubMassLast, i), kRed);
    });
  };
  auto sum = [&](int i, bool last) {
    return last ? valueAt(c.UpMassLast, i) + valueAt(c.SubMassLast, i)
                : valueAt(c.UpMassFirst, i) + valueAt(c.SubMassFirst, i);
  };
  if (options.ownScale)
    return b.build([&] { return ownSubstanceRange(state, options, sum); }, plot, "##0.00", true);
  return b.build([&] { return substanceRange(state, options); }, plot, "##0.00", true);
}

ChartDrawing drawBandChart(ChartKind kind, const KolvState& state, const ChartBand& band) {
  ChartBuilder b(kind, state);
  const int n = state.params.NodeCount;
  const auto at = [&](const std::vector<double>& values, int i) {
    if (i < 0 || static_cast<std::size_t>(i) >= values.size()) throw MissingValue();
    return values[static_cast<std::size_t>(i)];
  };
  int lo = 10, hi = n - 10;
  if (kind == ChartKind::SoilLoss) {
    lo = 2 * state.params.LastSeqShown;
    hi = n - 2 * state.params.LastSeqShown;
  }
  if (band.scaleFirst >= 0) {
    lo = band.scaleFirst;
    hi = band.scaleLast;
  }
  lo = std::max(lo, 0);
  hi = std::min(hi, n - 1);
  if (lo > hi) {
    lo = 0;
    hi = n - 1;
  }
  auto range = [&] {
    Range r{at(band.lower, lo), at(band.upper, lo)};
    for (int i = lo; i <= hi; ++i) {
      r.yMin = std::min({r.yMin, at(band.lower, i), at(band.run, i)});
      r.yMax = std::max({r.yMax, at(band.upper, i), at(band.run, i)});
    }
    return r;
  };
  auto plot = [&](int k) {
    // The band's outline runs along the upper curve and back along the lower
    // one through every point, whatever the plotting step.
    std::vector<float> corners;
    corners.reserve(4 * static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
      corners.insert(corners.end(), {static_cast<float>(i), static_cast<float>(at(band.upper, i))});
    for (int i = n - 1; i >= 0; --i)
      corners.insert(corners.end(), {static_cast<float>(i), static_cast<float>(at(band.lower, i))});
    b.polygon(std::move(corners), kBandShade);
    forEvery(0, n - 1, k, [&](int i) { b.point(i, at(band.run, i), kBlue); });
    forEvery(0, n - 1, k, [&](int i) { b.point(i, at(band.median, i), kRed); });
  };
  switch (kind) {
    case ChartKind::Elevation:
      return b.build(range, plot, "###0.0", false);
    case ChartKind::SoilLoss:
      return b.build(range, plot, "##0.0", false);
    case ChartKind::UpLayer:
    case ChartKind::WholeProfile:
      break;
  }
  return b.build(range, plot, "##0.00", true);
}

namespace {

ChartDrawing drawOne(ChartKind kind, const KolvState& state, ChartOptions options) {
  switch (kind) {
    case ChartKind::Elevation:
      return drawElevationChart(state, state.params.FirstSeqShown, state.params.LastSeqShown,
                                options);
    case ChartKind::SoilLoss:
      return drawSoilLossChart(state, options);
    case ChartKind::UpLayer:
      return drawUpperLayerChart(state, options);
    case ChartKind::WholeProfile:
      return drawWholeProfileChart(state, options);
  }
  return {};
}

}  // namespace

std::vector<ShadedBand> endZoneBands(const KolvState& state, int lastCompared) {
  const TranslocationParameters& p = state.params;
  const int margin = endZoneMargin(lastCompared, p.LastSeq);
  if (margin <= 0) return {};
  // Point i covers i - 0.5 .. i + 0.5; the bands reach past the window.
  const float n = static_cast<float>(p.NodeCount);
  return {{-1e9f, static_cast<float>(margin) - 0.5f},
          {n - static_cast<float>(margin) - 0.5f, 1e9f}};
}

ChartDrawing drawChart(ChartKind kind, const KolvState& state, ChartOptions options) {
  ChartDrawing drawing = drawOne(kind, state, options);
  const TranslocationParameters& p = state.params;
  if (drawing.complete)
    drawing.endZones = endZoneBands(state, std::max(p.FirstSeqShown, p.LastSeqShown));
  return drawing;
}

}  // namespace sodwright::kolv
