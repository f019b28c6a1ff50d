// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/charts/chart_figure.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "base/nice_ticks.h"

namespace sodwright::kolv {
namespace {

using platform::DrawOp;
using platform::Figure;
using platform::Rgba;
using platform::TextAlign;
using namespace chart_colours;

constexpr Rgba kInk{0, 0, 0};
constexpr Rgba kGrey{90, 90, 90};
constexpr int kMostValueTicks = 6;

Rgba rgba(platform::Rgb c) { return {c.r, c.g, c.b, 255}; }

ChartKeyEntry entry(platform::Rgb colour, int seq, const char* role) {
  const std::string n = std::to_string(seq);
  return {colour, "Seq " + n + " (" + role + ")", n};
}

}  // namespace

std::string chartTitle(ChartKind kind) {
  switch (kind) {
    case ChartKind::Elevation:
      return "Elevation";
    case ChartKind::SoilLoss:
      return "Soil Loss Rate";
    case ChartKind::UpLayer:
      return "UpLayer Mass";
    case ChartKind::WholeProfile:
      return "Up+Sub Layer Mass";
  }
  return {};
}

ChartKey chartKey(ChartKind kind, const KolvState& state) {
  const int first = state.params.FirstSeqShown;
  const int last = state.params.LastSeqShown;
  ChartKey key;
  key.title = chartTitle(kind);
  key.interval = state.params.Interval;
  switch (kind) {
    case ChartKind::Elevation:
      key.valueUnit = "m";
      key.entries = {entry(kBlue, first, "first"), entry(kRed, last, "last"),
                     entry(kLightBlue, first, "first, end zone"),
                     entry(kLightRed, last, "last, end zone")};
      key.note = "Lighter shades: end zones";
      break;
    case ChartKind::SoilLoss: {
      key.valueUnit = "kg/m2/seq";
      const std::string range = std::to_string(first) + " to " + std::to_string(last);
      key.entries = {{kBrown, "Soil loss per sequence, Seq " + range, range}};
      break;
    }
    case ChartKind::UpLayer:
    case ChartKind::WholeProfile:
      key.valueUnit = state.data.SubstanceUnit + "/m";
      key.entries = {entry(kBlue, first, "first"), entry(kRed, last, "last")};
      break;
  }
  return key;
}

const ChartKeyEntry* entryOf(const ChartKey& key, platform::Rgb colour) {
  for (const ChartKeyEntry& e : key.entries)
    if (e.colour == colour) return &e;
  return nullptr;
}

Figure chartFigure(const ChartKey& key, const platform::DrawOps& ops,
                   const std::vector<ShadedBand>& endZones, const platform::TextWidth& textWidth,
                   const ChartFigureOptions& o) {
  Figure fig;
  fig.width = o.width;
  fig.height = o.height;
  fig.title = key.title;
  const double fs = o.fontSize;
  fig.rect(0, 0, fig.width, fig.height, {255, 255, 255});
  fig.text(fig.width / 2, fs * 1.1, key.title, fs * 1.2, TextAlign::Centre).bold = true;

  // The legend under the title, entries side by side, wrapped as needed.
  // The shaded end zones have their swatch among the series, as in the window.
  std::vector<ChartKeyEntry> legend = key.entries;
  if (!endZones.empty()) legend.push_back({kEndZoneShade, "Shaded: end zones", {}});
  double x = fs, y = fs * 2.7;
  for (const ChartKeyEntry& e : legend) {
    const double w = fs + 6 + textWidth(e.text, fs * 0.9, false) + fs;
    if (x + w > fig.width - fs && x > fs) x = fs, y += fs * 1.4;
    fig.rect(x, y - fs * 0.4, fs * 0.8, fs * 0.8, rgba(e.colour));
    fig.text(x + fs + 4, y, e.text, fs * 0.9, TextAlign::Left);
    x += w;
  }
  if (!key.note.empty()) {
    y += fs * 1.4;
    fig.text(fs, y, key.note, fs * 0.85, TextAlign::Left, kGrey);
  }

  std::string labels[6];
  const DrawOp* window = nullptr;
  for (const DrawOp& op : ops) {
    if (op.kind == DrawOp::Kind::Window) window = &op;
    // Labels this chart does not know are left out.
    if (op.kind == DrawOp::Kind::Text && op.label >= 0 && op.label < 6) labels[op.label] = op.text;
    if (op.kind == DrawOp::Kind::Clear) window = nullptr;
  }
  // The value axis is ticked at round values of the window's range (the
  // window's own labels stand at the exact largest, middle and smallest).
  const base::NiceTicks ticks =
      window ? base::niceTicks(std::min(window->b, window->d), std::max(window->b, window->d),
                               kMostValueTicks)
             : base::NiceTicks{};
  // The value column is as wide as the widest tick text, so no amount is cut.
  double valueWidth = 0;
  for (double v : ticks.values)
    valueWidth = std::max(valueWidth, textWidth(base::tickText(v, ticks), fs, false));
  const double captionWidth = fs * 1.6;
  const double left = captionWidth + valueWidth + 10;
  const double top = y + fs * 1.2;
  const double right = fig.width - fs * 1.5;
  const double bottom = fig.height - fs * 3.4;
  const std::string valueCaption = "Value (" + key.valueUnit + ")";
  fig.text(fs * 0.9, (top + bottom) / 2, valueCaption, fs * 0.9, TextAlign::Centre, kGrey)
      .vertical = true;
  fig.text((left + right) / 2, fig.height - fs * 0.9,
           "Distance along the transect (" + key.distanceUnit + ")", fs * 0.9, TextAlign::Centre,
           kGrey);
  if (!window || bottom <= top || right <= left) {
    fig.text((left + right) / 2, (top + bottom) / 2, "No chart drawn", fs, TextAlign::Centre,
             kGrey);
    return fig;
  }

  const double spanX = static_cast<double>(window->c) - window->a;
  const double spanY = static_cast<double>(window->d) - window->b;
  auto px = [&](double ux) {
    return left + (spanX != 0 ? (ux - window->a) / spanX : 0.0) * (right - left);
  };
  auto py = [&](double uy) {
    return top + (spanY != 0 ? (uy - window->b) / spanY : 0.0) * (bottom - top);
  };
  for (const ShadedBand& band : endZones) {
    const double from = std::max(left, px(band.from));
    const double to = std::min(right, px(band.to));
    if (to > from) fig.rect(from, top, to - from, bottom - top, rgba(kEndZoneShade));
  }
  int pen = 1;
  bool dashed = false;
  bool started = false;
  for (const DrawOp& op : ops) {
    if (&op == window) started = true;
    if (!started) continue;
    switch (op.kind) {
      case DrawOp::Kind::PenWidth:
        pen = op.penWidth;
        break;
      case DrawOp::Kind::Style:
        dashed = op.style == platform::LineStyle::Dashed;
        break;
      case DrawOp::Kind::Line:
        // Only a thin pen draws dashes, as on the screen.
        fig.line(px(op.a), py(op.b), px(op.c), py(op.d), kInk, pen, dashed && pen == 1);
        break;
      case DrawOp::Kind::Point: {
        // Points beyond either end of the x axis stay off the figure, as the
        // screen's picture area cuts them; a value beyond the top or the
        // bottom is marked on that edge.
        const double s = pen * 1.25;
        if (px(op.a) < left || px(op.a) > right) break;
        if (const ChartEdge edge = edgeBeyond(op.b, window->b, window->d);
            edge != ChartEdge::Inside) {
          std::vector<double> corners;
          for (const PixelPoint& p : edgeMarker(edge, px(op.a), top, bottom, fs * 0.6))
            corners.insert(corners.end(), {p.x, p.y});
          fig.polygon(std::move(corners), rgba(op.colour));
          break;
        }
        fig.rect(px(op.a) - s / 2, py(op.b) - s / 2, s, s, rgba(op.colour));
        break;
      }
      case DrawOp::Kind::Polygon: {
        // Held inside the plot area, as the screen's picture area cuts it.
        std::vector<double> corners;
        for (std::size_t i = 0; i + 1 < op.corners.size(); i += 2)
          corners.insert(corners.end(), {std::clamp(px(op.corners[i]), left, right),
                                         std::clamp(py(op.corners[i + 1]), top, bottom)});
        fig.polygon(std::move(corners), rgba(op.colour));
        break;
      }
      default:
        break;
    }
  }
  for (double v : ticks.values) {
    fig.line(left - 4, py(v), left, py(v), kInk);
    fig.text(left - 6, py(v), base::tickText(v, ticks), fs, TextAlign::Right);
  }
  fig.text(left + (right - left) * 0.5, bottom + fs * 0.9, labels[3], fs, TextAlign::Centre);
  fig.text(left + (right - left) / 1.2 * 1.1, bottom + fs * 0.9, labels[4], fs, TextAlign::Centre);
  return fig;
}

Figure fourChartsFigure(const std::array<ChartPart, 4>& charts, const std::string& heading,
                        const platform::TextWidth& textWidth, const ChartFigureOptions& o) {
  Figure fig;
  fig.width = o.width;
  fig.height = o.height;
  fig.title = heading;
  fig.rect(0, 0, fig.width, fig.height, {255, 255, 255});
  const double head = o.fontSize * 2.4;
  fig.text(fig.width / 2, head / 2, heading, o.fontSize * 1.3, TextAlign::Centre).bold = true;
  const ChartFigureOptions part{fig.width / 2, (fig.height - head) / 2, o.fontSize};
  for (std::size_t i = 0; i < charts.size(); ++i) {
    const Figure one =
        chartFigure(charts[i].key, charts[i].ops, charts[i].endZones, textWidth, part);
    fig.place(one, (i % 2) * part.width, head + (i / 2) * part.height);
  }
  return fig;
}

std::array<ChartPart, 4> currentCharts(const KolvState& state) {
  std::array<ChartPart, 4> out;
  for (std::size_t i = 0; i < kAllCharts.size(); ++i) {
    // Each chart to its own values: a figure has room for no shared scale.
    ChartDrawing drawing = drawChart(kAllCharts[i], state, {.ownScale = true});
    out[i] = {chartKey(kAllCharts[i], state), std::move(drawing.ops), std::move(drawing.endZones)};
  }
  return out;
}

std::string chartsHeading(const KolvState& state) {
  return "KOLV charts, sequence " + std::to_string(state.params.FirstSeqShown) + " (first) and " +
         std::to_string(state.params.LastSeqShown) + " (last)";
}

}  // namespace sodwright::kolv
