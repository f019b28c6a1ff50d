// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The NIBAL map as a figure: one cell per node coloured by the chosen layer,
// a legend bar with values and unit, a north arrow, a scale bar from the node
// spacings and, optionally, a hillshade of the elevation under a translucent
// value layer. The screen window and the figure exporters replay the same
// operations; the frame tells which node lies under a point of the figure.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "nibal/grid_state.h"
#include "platform/figure.h"

namespace sodwright::nibal {

enum class MapLayer {
  SoilLossSum,
  SoilLossRow,
  SoilLossCol,
  DGradCol,
  DCurvCol,
  DGradRow,
  DCurvRow,
  Elevation
};

inline constexpr std::array<MapLayer, 8> kMapLayers = {
    MapLayer::SoilLossSum, MapLayer::SoilLossRow, MapLayer::SoilLossCol, MapLayer::DGradCol,
    MapLayer::DCurvCol,    MapLayer::DGradRow,    MapLayer::DCurvRow,    MapLayer::Elevation};

// The grid's own name ("SoilLossSum", ..., "Elevation").
std::string_view layerName(MapLayer layer);
std::optional<MapLayer> layerFromName(std::string_view name);
// What the layer measures and in which unit, for the legend.
std::string_view layerCaption(MapLayer layer);
std::string_view layerUnit(MapLayer layer);

// The value of a node (rows and columns from 1); 0 where the grid is missing.
double layerValue(const GridState& state, MapLayer layer, int row, int column);
// Whether the layer's grid holds every node of the imported grid.
bool layerAvailable(const GridState& state, MapLayer layer);

// Diverging (centred at zero, symmetric limits) for the result layers,
// sequential for the elevation.
struct ColourScale {
  bool diverging = true;
  double low = -1;
  double high = 1;
  // The diverging scale's limit: a typed one, or by default the given
  // percentile of the magnitudes, so that a few outliers do not wash out
  // the map; values beyond it take the end colours.
  enum class Limit { Typed, Percentile, Largest } limit = Limit::Largest;
  double largest = 0;  // the largest magnitude of the layer
  platform::Rgba colourOf(double value) const;
  // Whether some values lie beyond the ends.
  bool clips() const { return diverging && largest > high; }
};

// The percentile of the magnitudes that sets the default limit.
inline constexpr int kLimitPercentile = 98;

// The two hues of the diverging scale, for its ends: loss (positive) is
// brown, gain (negative) blue-green; both tell apart for red-green blindness.
inline constexpr platform::Rgba kLossHue{140, 81, 10};
inline constexpr platform::Rgba kGainHue{1, 102, 94};

// A map whose cells are means of square blocks of a larger grid (see
// map_blocks.h): the grid's size and the cells along a block's side.
struct MapBlocks {
  int size = 1;
  int gridRows = 0;
  int gridColumns = 0;
};

struct MapOptions {
  MapLayer layer = MapLayer::SoilLossSum;
  // Set for a map of block means: the cells are drawn as one image, blank
  // where a block has no mean (NaN); the legend says how many grid cells a
  // pixel stands for; the corner captions and the scale bar are the grid's.
  std::optional<MapBlocks> blocks;
  std::optional<double> limit;  // typed limit of the diverging scale; the percentile when empty
  bool hillshade = false;
  double width = 760;
  double height = 560;
  double fontSize = 13;
};

// Where the cells stand in the figure, with north up and east to the right.
struct MapFrame {
  double left = 0, top = 0;
  double cellWidth = 1, cellHeight = 1;
  int rows = 0, columns = 0;
  bool flipRows = false;     // row R at the top (northings grow with the row)
  bool flipColumns = false;  // column C at the left (eastings fall with the column)

  // The node under a figure point, or nothing outside the cells.
  std::optional<std::pair<int, int>> nodeAt(double x, double y) const;
  // The centre of a node's cell.
  std::pair<double, double> cellCentre(int row, int column) const;
};

struct MapFigure {
  platform::Figure figure;
  MapFrame frame;
  ColourScale scale;
  // The legend as words, for the accessibility tree and the status line.
  std::string legendText;
};

ColourScale scaleFor(const GridState& state, MapLayer layer, std::optional<double> limit);

MapFigure buildMap(const GridState& state, const MapOptions& options,
                   const platform::TextWidth& textWidth = platform::estimatedTextWidth);

// Row, column, easting, northing, elevation and the layer's value of a node.
std::string nodeReadout(const GridState& state, MapLayer layer, int row, int column);

// A short number for legends and read-outs: up to four significant digits.
std::string shortNumber(double value);

}  // namespace sodwright::nibal
