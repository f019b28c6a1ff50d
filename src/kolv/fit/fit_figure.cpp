// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/fit/fit_figure.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "base/number_text.h"

namespace sodwright::kolv {

namespace {

using platform::Rgba;
using platform::TextAlign;

constexpr Rgba kAxis{60, 60, 60, 255};
constexpr Rgba kGrid{225, 225, 225, 255};
constexpr Rgba kObserved{30, 90, 200, 255};
constexpr Rgba kSimulated{200, 40, 40, 255};
constexpr Rgba kEndZone{235, 235, 235, 255};

// Tick marks at 1, 2 or 5 times a power of ten, about `count` of them.
std::vector<double> ticks(double low, double high, int count) {
  const double span = high - low;
  if (!(span > 0.0)) return {low};
  const double raw = span / count;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  double step = power;
  for (double m : {1.0, 2.0, 5.0, 10.0})
    if (raw <= m * power) {
      step = m * power;
      break;
    }
  std::vector<double> out;
  for (double t = std::ceil(low / step) * step; t <= high + 1e-9 * span; t += step)
    out.push_back(std::abs(t) < 1e-12 * span ? 0.0 : t);
  return out;
}

struct Panel {
  double left, top, width, height;
  double xLow, xHigh, yLow, yHigh;
  double x(double v) const { return left + (v - xLow) / (xHigh - xLow) * width; }
  double y(double v) const { return top + height - (v - yLow) / (yHigh - yLow) * height; }
};

void axes(platform::Figure& f, const Panel& p, const std::string& yCaption, bool xLabels,
          const platform::TextWidth&) {
  for (double t : ticks(p.yLow, p.yHigh, 5)) {
    f.line(p.left, p.y(t), p.left + p.width, p.y(t), kGrid);
    f.text(p.left - 6, p.y(t), base::generalText(t, 6), 11, TextAlign::Right, kAxis);
  }
  for (double t : ticks(p.xLow, p.xHigh, 8)) {
    f.line(p.x(t), p.top + p.height, p.x(t), p.top + p.height + 4, kAxis);
    if (xLabels)
      f.text(p.x(t), p.top + p.height + 14, base::generalText(t, 6), 11, TextAlign::Centre, kAxis);
  }
  f.line(p.left, p.top, p.left, p.top + p.height, kAxis);
  f.line(p.left, p.top + p.height, p.left + p.width, p.top + p.height, kAxis);
  platform::FigureOp& caption =
      f.text(p.left - 70, p.top + p.height / 2, yCaption, 12, TextAlign::Centre, kAxis);
  caption.vertical = true;
}

void shadeEndZones(platform::Figure& f, const Panel& p, const FitResult& result, double half) {
  for (const FitResidual& r : result.residuals)
    if (r.endZone)
      f.rect(p.x(r.distance - half), p.top, p.x(r.distance + half) - p.x(r.distance - half),
             p.height, kEndZone);
}

std::pair<double, double> padded(double low, double high) {
  if (!(high > low)) return {low - 1.0, high + 1.0};
  const double pad = 0.05 * (high - low);
  return {low - pad, high + pad};
}

}  // namespace

platform::Figure fitFigure(const FitResult& result, const FitReportContext& context,
                           const platform::TextWidth& textWidth, double width, double height) {
  platform::Figure f;
  f.width = width;
  f.height = height;
  f.title = "KOLV fit: observed and simulated " + std::string(fitColumnName(context.column));
  f.rect(0, 0, width, height, {255, 255, 255, 255});
  f.text(width / 2, 22, f.title, 16, TextAlign::Centre).bold = true;
  if (result.residuals.empty()) {
    f.text(width / 2, height / 2, "No run at the fitted values went through.", 13,
           TextAlign::Centre);
    return f;
  }
  const std::string unit(fitColumnUnit(context.column, context.substanceUnit));
  double xHigh = 0, lo = INFINITY, hi = -INFINITY, rMax = 0;
  for (const FitResidual& r : result.residuals) {
    xHigh = std::max(xHigh, r.distance);
    lo = std::min({lo, r.observed, r.simulated});
    hi = std::max({hi, r.observed, r.simulated});
    if (!r.endZone) rMax = std::max(rMax, std::abs(r.observed - r.simulated));
  }
  const double half = result.residuals.size() > 1 ? result.residuals[1].distance / 2 : 0.5;
  const double left = 100, plotWidth = width - left - 30;
  const auto [yLow, yHigh] = padded(lo, hi);
  const Panel top{left, 60, plotWidth, (height - 160) * 0.62, 0, xHigh, yLow, yHigh};
  const double r = rMax > 0 ? rMax * 1.1 : 1.0;
  const Panel bottom{
      left, top.top + top.height + 30, plotWidth, (height - 160) * 0.38 - 10, 0, xHigh, -r, r};

  shadeEndZones(f, top, result, half);
  shadeEndZones(f, bottom, result, half);
  axes(f, top, std::string(fitColumnName(context.column)) + " (" + unit + ")", false, textWidth);
  axes(f, bottom, "residual (" + unit + ")", true, textWidth);
  f.line(bottom.left, bottom.y(0), bottom.left + bottom.width, bottom.y(0), kAxis, 1, true);
  f.text(left + plotWidth / 2, bottom.top + bottom.height + 34, "distance (m)", 12,
         TextAlign::Centre, kAxis);

  // Observed points first, the fitted line over them: at the scale of a
  // whole hillslope the two lie on one another.
  for (const FitResidual& p : result.residuals) {
    f.rect(top.x(p.distance) - 2, top.y(p.observed) - 2, 4, 4, kObserved);
    const double residual = p.observed - p.simulated;
    f.line(bottom.x(p.distance), bottom.y(0), bottom.x(p.distance),
           bottom.y(std::clamp(residual, -r, r)), p.endZone ? Rgba{170, 170, 170, 255} : kObserved);
  }
  for (std::size_t i = 1; i < result.residuals.size(); ++i) {
    const FitResidual& a = result.residuals[i - 1];
    const FitResidual& b = result.residuals[i];
    f.line(top.x(a.distance), top.y(a.simulated), top.x(b.distance), top.y(b.simulated), kSimulated,
           1.5);
  }
  // The legend above the plot, laid out by the texts' widths.
  const double ly = 46;
  const std::string observedText = "observed, sequence " + std::to_string(context.observedSequence);
  const std::string simulatedText = "simulated (fitted)";
  const std::string zoneText = "end zones (not compared)";
  double lx = left;
  f.rect(lx, ly - 5, 10, 10, kObserved);
  f.text(lx + 16, ly, observedText, 12);
  lx += 16 + textWidth(observedText, 12, false) + 24;
  f.line(lx, ly, lx + 22, ly, kSimulated, 2);
  f.text(lx + 28, ly, simulatedText, 12);
  lx += 28 + textWidth(simulatedText, 12, false) + 24;
  f.rect(lx, ly - 5, 10, 10, kEndZone);
  f.text(lx + 16, ly, zoneText, 12, TextAlign::Left, kAxis);
  std::string values;
  for (const FittedParameter& p : result.parameters)
    values += std::string(values.empty() ? "" : ", ") +
              std::string(fitParameterLabel(p.parameter)) + " " + base::generalText(p.value, 4);
  f.text(width / 2, height - 14,
         values + "; RMSE " + base::generalText(result.rmse, 3) + " " + unit, 12, TextAlign::Centre,
         kAxis);
  return f;
}

}  // namespace sodwright::kolv
