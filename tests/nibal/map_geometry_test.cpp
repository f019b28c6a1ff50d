// SPDX-License-Identifier: GPL-3.0-or-later
// The NIBAL map as drawing operations: the colour scale and its legend, the
// place of every node with north up, and the read-out of a node.
#include "nibal/map_geometry.h"

#include <gtest/gtest.h>

#include "grid_map_support.h"

namespace sodwright::nibal {
namespace {

using testing::runBump;

TEST(MapScale, LegendLimitsAreTheLargestMagnitudeOrTheTypedLimit) {
  const GridState s = runBump();
  ASSERT_DOUBLE_EQ(s.results.SoilLossSum(3, 2), -3000.0);
  ASSERT_DOUBLE_EQ(s.results.SoilLossSum(2, 2), 1800.0);

  const MapFigure map = buildMap(s, {});
  EXPECT_TRUE(map.scale.diverging);
  EXPECT_DOUBLE_EQ(map.scale.low, -3000.0);
  EXPECT_DOUBLE_EQ(map.scale.high, 3000.0);
  EXPECT_EQ(map.legendText,
            "Legend: SoilLossSum in kg/m2, from -3000 gain to 3000 loss, centred at 0");
  // The ends of the scale are the two hues; zero is neither.
  EXPECT_EQ(map.scale.colourOf(3000), kLossHue);
  EXPECT_EQ(map.scale.colourOf(-3000), kGainHue);
  const platform::Rgba zero = map.scale.colourOf(0);
  EXPECT_GT(zero.g, 200);
  EXPECT_GT(zero.b, 200);

  MapOptions typed;
  typed.limit = 500;
  const ColourScale limited = buildMap(s, typed).scale;
  EXPECT_DOUBLE_EQ(limited.high, 500.0);
  EXPECT_EQ(limited.colourOf(1800), kLossHue);  // beyond the limit: the end colour

  typed.layer = MapLayer::Elevation;
  const MapFigure elevation = buildMap(s, typed);
  EXPECT_FALSE(elevation.scale.diverging);
  EXPECT_DOUBLE_EQ(elevation.scale.low, 0.0);
  EXPECT_DOUBLE_EQ(elevation.scale.high, 1.0);
}

TEST(MapFrame, NodesStandNorthUpWithCellsShapedBySpacings) {
  GridState s = runBump("2", "1");
  MapFrame f = buildMap(s, {}).frame;
  EXPECT_DOUBLE_EQ(f.cellWidth, 2 * f.cellHeight);  // 2 m between columns, 1 m between rows
  for (int r = 1; r <= 4; ++r)
    for (int c = 1; c <= 4; ++c) {
      const auto [x, y] = f.cellCentre(r, c);
      EXPECT_EQ(f.nodeAt(x, y), (std::pair{r, c}));
    }
  EXPECT_FALSE(f.nodeAt(f.left - 1, f.top + 1));
  // Text northings give no direction: row 1 at the top. Northings growing
  // with the row put the last row at the top.
  EXPECT_LT(f.cellCentre(1, 1).second, f.cellCentre(4, 1).second);
  for (int r = 1; r <= 4; ++r)
    for (int c = 1; c <= 4; ++c) s.GridNorthing(r, c) = 100.0 + r;
  f = buildMap(s, {}).frame;
  EXPECT_GT(f.cellCentre(1, 1).second, f.cellCentre(4, 1).second);
  const auto [x, y] = f.cellCentre(4, 3);
  EXPECT_EQ(f.nodeAt(x, y), (std::pair{4, 3}));
}

// Every layer shows its own grid: each grid is given values no other grid
// holds, so a layer that read a neighbour's grid would show them.
TEST(MapLayers, EachLayerReadsItsOwnGrid) {
  GridState s = testing::makeGrid(4, 4, [](int r, int c) { return 700.0 + 10 * r + c; });
  GridResults& g = s.results;
  g.allocate(4, 4);
  const std::pair<MapLayer, GridArray<double>*> grids[] = {
      {MapLayer::SoilLossSum, &g.SoilLossSum}, {MapLayer::SoilLossRow, &g.SoilLossRow},
      {MapLayer::SoilLossCol, &g.SoilLossCol}, {MapLayer::DGradCol, &g.DGradCol},
      {MapLayer::DCurvCol, &g.DCurvCol},       {MapLayer::DGradRow, &g.DGradRow},
      {MapLayer::DCurvRow, &g.DCurvRow}};
  for (int k = 0; k < 7; ++k)
    for (int r = 1; r <= 4; ++r)
      for (int c = 1; c <= 4; ++c) (*grids[k].second)(r, c) = 100.0 * k + 10 * r + c;
  for (const auto& [layer, grid] : grids)
    for (int r = 1; r <= 4; ++r)
      for (int c = 1; c <= 4; ++c)
        EXPECT_EQ(layerValue(s, layer, r, c), (*grid)(r, c)) << layerName(layer);
  EXPECT_EQ(layerValue(s, MapLayer::Elevation, 3, 2), 732.0);
}

TEST(MapReadout, NamesTheNodeItsPlaceElevationAndValue) {
  const GridState s = runBump();
  EXPECT_EQ(nodeReadout(s, MapLayer::SoilLossSum, 3, 2),
            "Row 3, column 2, easting 1002, northing N3, elevation 0.000 m, SoilLossSum -3000.000");
  EXPECT_EQ(nodeReadout(s, MapLayer::Elevation, 2, 2),
            "Row 2, column 2, easting 1002, northing N2, elevation 1.000 m");
  EXPECT_EQ(nodeReadout(s, MapLayer::SoilLossSum, 5, 1), "");
  EXPECT_EQ(layerFromName("DCurvRow"), MapLayer::DCurvRow);
  EXPECT_FALSE(layerFromName("Nothing"));
}

}  // namespace
}  // namespace sodwright::nibal
