// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/map_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "base/nice_ticks.h"
#include "base/number_text.h"

namespace sodwright::nibal {
namespace {

using platform::Figure;
using platform::Rgba;
using platform::TextAlign;

constexpr Rgba kInk{0, 0, 0};
constexpr Rgba kGrey{90, 90, 90};

std::optional<double> numberOf(const GridCoordinate& value) {
  if (const double* d = std::get_if<double>(&value)) return *d;
  return base::parseStrictNumber(std::get<std::string>(value));
}

std::string coordinateText(const GridCoordinate& value) {
  if (const double* d = std::get_if<double>(&value)) return base::generalText(*d);
  return std::get<std::string>(value);
}

// A length of 1, 2 or 5 times a power of ten, no longer than `most`.
double roundLength(double most) {
  if (!(most > 0)) return 0;
  const double power = std::pow(10.0, std::floor(std::log10(most)));
  for (double step : {5.0, 2.0, 1.0})
    if (step * power <= most) return step * power;
  return power;
}

// Light from the north-west, 45 degrees above the horizon, on the surface
// seen with north up: grey levels from 0 (away from the light) to 255.
std::vector<Rgba> hillshade(const GridState& s, const MapFrame& f, double dx, double dy) {
  const GridArray<double>& z = s.GridElevation;
  std::vector<Rgba> pixels;
  pixels.reserve(static_cast<std::size_t>(f.rows) * f.columns);
  auto at = [&](int r, int c) { return z(std::clamp(r, 1, f.rows), std::clamp(c, 1, f.columns)); };
  // A neighbour without a value (a block of no-data) stands in with the
  // node's own, which leaves that side flat.
  auto near = [&](int r, int c, double own) {
    const double v = at(r, c);
    return std::isnan(v) ? own : v;
  };
  const double lx = -0.5, ly = 0.5, lz = std::sqrt(0.5);
  for (int i = 0; i < f.rows; ++i)
    for (int j = 0; j < f.columns; ++j) {
      const int r = f.flipRows ? f.rows - i : i + 1;
      const int c = f.flipColumns ? f.columns - j : j + 1;
      // Slopes along the grid indices, then turned to east and north.
      const int c0 = std::max(1, c - 1), c1 = std::min(f.columns, c + 1);
      const int r0 = std::max(1, r - 1), r1 = std::min(f.rows, r + 1);
      const double own = at(r, c);
      if (std::isnan(own)) {
        pixels.push_back({255, 255, 255, 0});
        continue;
      }
      const double dzdc = c1 > c0 ? (near(r, c1, own) - near(r, c0, own)) / ((c1 - c0) * dx) : 0.0;
      const double dzdr = r1 > r0 ? (near(r1, c, own) - near(r0, c, own)) / ((r1 - r0) * dy) : 0.0;
      // Relief exaggerated four times: fields are gentle next to their size.
      const double gx = 4 * (f.flipColumns ? -dzdc : dzdc);
      const double gy = 4 * (f.flipRows ? dzdr : -dzdr);
      const double n = std::sqrt(gx * gx + gy * gy + 1.0);
      const double shade = std::max(0.0, (-gx * lx - gy * ly + lz) / n);
      const auto grey = static_cast<std::uint8_t>(std::lround(60 + 195 * shade));
      pixels.push_back({grey, grey, grey, 255});
    }
  return pixels;
}

// A coordinate axis along one side of the map: the coordinate at a figure
// position from the centres of the first and the last cell drawn on that
// side, or from the spacing when there is one cell or the two are equal.
struct CoordinateAxis {
  double firstPixel = 0, firstValue = 0;
  double valuePerPixel = 1;
  double valueAt(double pixel) const { return firstValue + (pixel - firstPixel) * valuePerPixel; }
  double pixelOf(double value) const { return firstPixel + (value - firstValue) / valuePerPixel; }
};

std::optional<CoordinateAxis> coordinateAxis(std::optional<double> first,
                                             std::optional<double> last, double firstPixel,
                                             double lastPixel, double spacingPerPixel) {
  if (!first || !last || !std::isfinite(*first) || !std::isfinite(*last)) return std::nullopt;
  CoordinateAxis axis{firstPixel, *first, spacingPerPixel};
  if (lastPixel != firstPixel && *last != *first)
    axis.valuePerPixel = (*last - *first) / (lastPixel - firstPixel);
  return axis;
}

constexpr double kTickLength = 4;

}  // namespace

std::optional<std::pair<int, int>> MapFrame::nodeAt(double x, double y) const {
  const double i = std::floor((y - top) / cellHeight);
  const double j = std::floor((x - left) / cellWidth);
  if (i < 0 || j < 0 || i >= rows || j >= columns) return std::nullopt;
  const int ii = static_cast<int>(i);
  const int jj = static_cast<int>(j);
  return std::pair{flipRows ? rows - ii : ii + 1, flipColumns ? columns - jj : jj + 1};
}

std::pair<double, double> MapFrame::cellCentre(int row, int column) const {
  const int i = flipRows ? rows - row : row - 1;
  const int j = flipColumns ? columns - column : column - 1;
  return {left + (j + 0.5) * cellWidth, top + (i + 0.5) * cellHeight};
}

MapFigure buildMap(const GridState& s, const MapOptions& o, const platform::TextWidth& textWidth) {
  MapFigure out;
  Figure& fig = out.figure;
  fig.width = o.width;
  fig.height = o.height;
  const double fs = o.fontSize;
  fig.title = "NIBAL map: " + std::string(layerName(o.layer));
  fig.rect(0, 0, fig.width, fig.height, {255, 255, 255});
  fig.text(fig.width / 2, fs * 1.2, fig.title, fs * 1.25, TextAlign::Centre).bold = true;

  MapFrame& f = out.frame;
  f.rows = s.GridElevation.rows();
  f.columns = s.GridElevation.columns();
  if (f.rows < 1 || f.columns < 1) return out;
  // North up: row 1 is drawn at the top unless the northings grow with the
  // row; east to the right likewise.
  const auto n1 = numberOf(s.GridNorthing(1, 1)), nR = numberOf(s.GridNorthing(f.rows, 1));
  const auto e1 = numberOf(s.GridEasting(1, 1)), eC = numberOf(s.GridEasting(1, f.columns));
  f.flipRows = n1 && nR && *nR > *n1;
  f.flipColumns = e1 && eC && *eC < *e1;

  const ColourScale scale = scaleFor(s, o.layer, o.limit);
  out.scale = scale;
  // The ends of a scale that clips stand for themselves and all beyond.
  const std::string topText = (scale.clips() ? "\u2265" : "") + shortNumber(scale.high);
  const std::string midText = shortNumber(scale.diverging ? 0.0 : (scale.low + scale.high) / 2);
  const std::string lowText = (scale.clips() ? "\u2264" : "") + shortNumber(scale.low);
  std::string limitNote;
  if (scale.diverging && scale.limit == ColourScale::Limit::Percentile)
    limitNote = "colour limit \u00b1" + shortNumber(scale.high) + ": the " +
                std::to_string(kLimitPercentile) + "th percentile of |value|";
  else if (scale.diverging && scale.limit == ColourScale::Limit::Typed)
    limitNote = "colour limit \u00b1" + shortNumber(scale.high) + " as given";
  if (!limitNote.empty() && scale.clips())
    limitNote += "; largest |value| " + shortNumber(scale.largest);
  const std::string unit(layerUnit(o.layer));
  const bool loss = o.layer == MapLayer::SoilLossSum || o.layer == MapLayer::SoilLossRow ||
                    o.layer == MapLayer::SoilLossCol;
  const std::string topWord = loss ? " loss" : "", lowWord = loss ? " gain" : "";

  // The legend column on the right is as wide as its widest text.
  double labelWidth =
      std::max(textWidth("N", fs * 1.2, true), textWidth(unit, fs * 0.85, false) - 26);
  for (const std::string& t : {topText + topWord, midText, lowText + lowWord})
    labelWidth = std::max(labelWidth, textWidth(t, fs, false));
  const double barWidth = 18;
  const double legendWidth = barWidth + 8 + labelWidth + fs;
  const double margin = fs * 1.5;
  const int lastRow = o.blocks ? o.blocks->gridRows : f.rows;
  const int lastColumn = o.blocks ? o.blocks->gridColumns : f.columns;
  // The axes carry eastings and northings where the grid's coordinates are
  // numbers, else the row and column numbers at the corners.
  const auto northTop = numberOf(s.GridNorthing(f.flipRows ? f.rows : 1, 1));
  const auto northLow = numberOf(s.GridNorthing(f.flipRows ? 1 : f.rows, 1));
  const auto eastLeft = numberOf(s.GridEasting(1, f.flipColumns ? f.columns : 1));
  const auto eastRight = numberOf(s.GridEasting(1, f.flipColumns ? 1 : f.columns));
  const bool coordinates = northTop && northLow && eastLeft && eastRight &&
                           std::isfinite(*northTop) && std::isfinite(*northLow) &&
                           std::isfinite(*eastLeft) && std::isfinite(*eastRight);
  // Room left of the map for the widest side caption.
  double sideText = textWidth("row " + std::to_string(lastRow), fs * 0.85, false);
  if (coordinates) {
    const base::NiceTicks guess =
        base::niceTicks(std::min(*northTop, *northLow), std::max(*northTop, *northLow), 5);
    const double widest = std::fabs(*northTop) > std::fabs(*northLow) ? *northTop : *northLow;
    sideText = textWidth(base::tickText(widest, guess), fs * 0.85, false) + kTickLength;
  }
  const double areaLeft = std::max(margin * 2.5, sideText + 4 + fs * 1.6);
  const double areaTop = fs * 4.2;
  const double areaRight = fig.width - legendWidth - margin;
  const double areaBottom = fig.height - fs * 5.2;

  // Cells as wide and high as the spacings say, as large as fits.
  // A block is as wide as its cells; the last block across or down may hold
  // fewer cells and is drawn whole.
  const int block = o.blocks ? std::max(o.blocks->size, 1) : 1;
  const double dx = base::parseLeadingNumber(s.info.RowSpacing);
  const double dy = base::parseLeadingNumber(s.info.ColumnSpacing);
  const double cellDx = (dx > 0 ? dx : 1) * block, cellDy = (dy > 0 ? dy : 1) * block;
  const double groundW = f.columns * cellDx, groundH = f.rows * cellDy;
  const double perUnit =
      std::max(1e-9, std::min((areaRight - areaLeft) / groundW, (areaBottom - areaTop) / groundH));
  f.cellWidth = cellDx * perUnit;
  f.cellHeight = cellDy * perUnit;
  f.left = areaLeft + ((areaRight - areaLeft) - groundW * perUnit) / 2;
  f.top = areaTop;
  const double mapW = groundW * perUnit, mapH = groundH * perUnit;

  const std::string blockNote = block > 1 ? "each pixel: mean of " + std::to_string(block) +
                                                " \u00d7 " + std::to_string(block) + " cells"
                                          : "";
  fig.text(fig.width / 2, fs * 2.7,
           std::string(layerCaption(o.layer)) + " (" + unit + (loss ? "; + loss, - gain" : "") +
               ")" + (blockNote.empty() ? "" : "; " + blockNote),
           fs, TextAlign::Centre, kGrey);
  if (o.hillshade)
    fig.image(f.left, f.top, mapW, mapH, f.columns,
              hillshade(s, f, dx > 0 ? dx : 1, dy > 0 ? dy : 1));
  const std::uint8_t alpha = o.hillshade ? 150 : 255;
  if (o.blocks) {
    std::vector<Rgba> pixels;
    pixels.reserve(static_cast<std::size_t>(f.rows) * f.columns);
    for (int i = 0; i < f.rows; ++i)
      for (int j = 0; j < f.columns; ++j) {
        const int r = f.flipRows ? f.rows - i : i + 1;
        const int c = f.flipColumns ? f.columns - j : j + 1;
        const double value = layerValue(s, o.layer, r, c);
        Rgba colour = std::isnan(value) ? Rgba{255, 255, 255, 0} : scale.colourOf(value);
        if (colour.a != 0) colour.a = alpha;
        pixels.push_back(colour);
      }
    fig.image(f.left, f.top, groundW * perUnit, groundH * perUnit, f.columns, std::move(pixels));
  }
  for (int r = 1; r <= f.rows && !o.blocks; ++r)
    for (int c = 1; c <= f.columns; ++c) {
      Rgba colour = scale.colourOf(layerValue(s, o.layer, r, c));
      colour.a = alpha;
      const auto [x, y] = f.cellCentre(r, c);
      fig.rect(x - f.cellWidth / 2, y - f.cellHeight / 2, f.cellWidth, f.cellHeight, colour);
    }
  const double right = f.left + mapW, bottom = f.top + mapH;
  fig.line(f.left, f.top, right, f.top, kInk);
  fig.line(right, f.top, right, bottom, kInk);
  fig.line(right, bottom, f.left, bottom, kInk);
  fig.line(f.left, bottom, f.left, f.top, kInk);

  if (coordinates) {
    // Round eastings under the map and northings left of it; north is up.
    const double spacingX = cellDx / f.cellWidth, spacingY = cellDy / f.cellHeight;  // m a pixel
    // A last block of fewer cells is drawn whole, so block centres are not
    // evenly spaced: a block map goes by the spacing from its first block.
    const auto east = coordinateAxis(eastLeft, o.blocks ? eastLeft : eastRight,
                                     f.left + f.cellWidth / 2, right - f.cellWidth / 2, spacingX);
    const auto north =
        coordinateAxis(northTop, o.blocks ? northTop : northLow, f.top + f.cellHeight / 2,
                       bottom - f.cellHeight / 2, -spacingY);
    const int acrossMost = std::clamp(static_cast<int>(mapW / (fs * 7)), 2, 8);
    const int downMost = std::clamp(static_cast<int>(mapH / (fs * 3)), 2, 8);
    const auto [westmost, eastmost] = std::minmax({east->valueAt(f.left), east->valueAt(right)});
    const base::NiceTicks eastTicks = base::niceTicks(westmost, eastmost, acrossMost);
    for (double v : eastTicks.values) {
      const double x = east->pixelOf(v);
      fig.line(x, bottom, x, bottom + kTickLength, kInk);
      fig.text(x, bottom + fs * 0.9, base::tickText(v, eastTicks), fs * 0.85, TextAlign::Centre,
               kGrey);
    }
    const auto [southmost, northmost] =
        std::minmax({north->valueAt(bottom), north->valueAt(f.top)});
    const base::NiceTicks northTicks = base::niceTicks(southmost, northmost, downMost);
    for (double v : northTicks.values) {
      const double y = north->pixelOf(v);
      fig.line(f.left - kTickLength, y, f.left, y, kInk);
      fig.text(f.left - kTickLength - 2, y, base::tickText(v, northTicks), fs * 0.85,
               TextAlign::Right, kGrey);
    }
    fig.text((f.left + right) / 2, bottom + fs * 2.0, "Easting (m)", fs * 0.85, TextAlign::Centre,
             kGrey);
    fig.text(f.left - sideText - 4 - fs * 0.7, (f.top + bottom) / 2, "Northing (m)", fs * 0.85,
             TextAlign::Centre, kGrey)
        .vertical = true;
  } else {
    // The node numbers at the corners.
    const int topRow = f.flipRows ? lastRow : 1, lowRow = f.flipRows ? 1 : lastRow;
    const int leftCol = f.flipColumns ? lastColumn : 1, rightCol = f.flipColumns ? 1 : lastColumn;
    fig.text(f.left - 4, f.top + fs / 2, "row " + std::to_string(topRow), fs * 0.85,
             TextAlign::Right, kGrey);
    fig.text(f.left - 4, bottom - fs / 2, "row " + std::to_string(lowRow), fs * 0.85,
             TextAlign::Right, kGrey);
    fig.text(f.left, bottom + fs * 0.9, "column " + std::to_string(leftCol), fs * 0.85,
             TextAlign::Left, kGrey);
    fig.text(right, bottom + fs * 0.9, "column " + std::to_string(rightCol), fs * 0.85,
             TextAlign::Right, kGrey);
    fig.text(f.left - fs * 1.6, (f.top + bottom) / 2, "Rows (north to south)", fs * 0.85,
             TextAlign::Centre, kGrey)
        .vertical = true;
  }

  // Scale bar under the map: a round length of at most a third of its width.
  const double length = roundLength(groundW / 3);
  if (length > 0) {
    const double y = bottom + fs * 3.2, x0 = f.left, x1 = f.left + length * perUnit;
    fig.line(x0, y, x1, y, kInk, 2);
    fig.line(x0, y - 4, x0, y + 4, kInk);
    fig.line(x1, y - 4, x1, y + 4, kInk);
    fig.text(x1 + 6, y, shortNumber(length) + " m", fs * 0.9, TextAlign::Left);
  }
  fig.text(
      right, bottom + fs * 3.2,
      "node spacing " + s.info.RowSpacing + " m (row) x " + s.info.ColumnSpacing + " m (column)",
      fs * 0.85, TextAlign::Right, kGrey);

  if (!limitNote.empty())
    fig.text(f.left, bottom + fs * 4.4, limitNote, fs * 0.85, TextAlign::Left, kGrey);

  // North arrow over the legend.
  const double lx = fig.width - legendWidth - margin / 2;
  const double ax = lx + barWidth / 2;
  fig.text(ax, f.top + fs * 0.6, "N", fs * 1.2, TextAlign::Centre).bold = true;
  fig.line(ax, f.top + fs * 1.5, ax, f.top + fs * 4.2, kInk, 2);
  fig.line(ax, f.top + fs * 1.5, ax - 5, f.top + fs * 2.4, kInk, 2);
  fig.line(ax, f.top + fs * 1.5, ax + 5, f.top + fs * 2.4, kInk, 2);

  // Legend bar, top is the high end.
  const double barTop = f.top + fs * 6, barBottom = std::max(barTop + 60, bottom - fs);
  std::vector<Rgba> ramp;
  constexpr int kSteps = 64;
  for (int i = 0; i < kSteps; ++i)
    ramp.push_back(scale.colourOf(scale.high - (scale.high - scale.low) * (i + 0.5) / kSteps));
  fig.text(lx, barTop - fs, unit, fs * 0.85, TextAlign::Left, kGrey);
  fig.image(lx, barTop, barWidth, barBottom - barTop, 1, std::move(ramp));
  fig.line(lx, barTop, lx + barWidth, barTop, kInk);
  fig.line(lx, barBottom, lx + barWidth, barBottom, kInk);
  fig.line(lx, barTop, lx, barBottom, kInk);
  fig.line(lx + barWidth, barTop, lx + barWidth, barBottom, kInk);
  const double tx = lx + barWidth + 6;
  fig.text(tx, barTop, topText + topWord, fs, TextAlign::Left);
  fig.text(tx, (barTop + barBottom) / 2, midText, fs, TextAlign::Left);
  fig.text(tx, barBottom, lowText + lowWord, fs, TextAlign::Left);

  out.legendText =
      "Legend: " + std::string(layerName(o.layer)) + " in " + unit + ", from " + lowText + lowWord +
      " to " + topText + topWord + (scale.diverging ? ", centred at 0" : "") +
      (limitNote.empty() ? "" : ", " + limitNote) + (blockNote.empty() ? "" : ", " + blockNote);
  return out;
}

std::string nodeReadout(const GridState& s, MapLayer layer, int row, int column) {
  if (row < 1 || column < 1 || row > s.GridElevation.rows() || column > s.GridElevation.columns())
    return {};
  std::string text = "Row " + std::to_string(row) + ", column " + std::to_string(column) +
                     ", easting " + coordinateText(s.GridEasting(row, column)) + ", northing " +
                     coordinateText(s.GridNorthing(row, column)) + ", elevation " +
                     base::formatMask(s.GridElevation(row, column), "###0.000") + " m";
  if (layer != MapLayer::Elevation)
    text += ", " + std::string(layerName(layer)) + " " +
            base::formatMask(layerValue(s, layer, row, column), "##0.000");
  return text;
}

}  // namespace sodwright::nibal
