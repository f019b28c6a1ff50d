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
            "Legend: SoilLossSum in kg/m2, from -3000 gain to 3000 loss, centred at 0, colour "
            "limit \u00b13000: the 98th percentile of |value|");
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

// One outlier among a hundred nodes: the default limit is the 98th
// percentile of the magnitudes (nearest rank), not the outlier; a typed
// limit still wins, and a layer of nearly all zeros falls back to the largest.
TEST(MapScale, DefaultLimitIsThePercentileOfTheMagnitudesSaidInTheLegend) {
  GridState s = testing::makeGrid(10, 10, [](int, int) { return 0.0; });
  s.results.allocate(10, 10);
  for (int i = 0; i < 100; ++i)  // 0, -0.1, 0.2, -0.3, ..., 9.8 and 1000
    s.results.SoilLossSum(i / 10 + 1, i % 10 + 1) = i == 99 ? 1000.0 : (i % 2 ? -i : i) / 10.0;
  const MapFigure map = buildMap(s, {});
  EXPECT_DOUBLE_EQ(map.scale.high, 9.7);
  EXPECT_DOUBLE_EQ(map.scale.low, -9.7);
  EXPECT_EQ(map.scale.colourOf(1000), kLossHue);
  EXPECT_NE(map.legendText.find("from \u2264-9.7 gain to \u22659.7 loss"), std::string::npos);
  EXPECT_NE(map.legendText.find("colour limit \u00b19.7: the 98th percentile of |value|; "
                                "largest |value| 1000"),
            std::string::npos)
      << map.legendText;

  MapOptions typed;
  typed.limit = 3;
  const MapFigure given = buildMap(s, typed);
  EXPECT_DOUBLE_EQ(given.scale.high, 3.0);
  EXPECT_NE(given.legendText.find("colour limit \u00b13 as given"), std::string::npos);

  for (int i = 0; i < 100; ++i) s.results.SoilLossSum(i / 10 + 1, i % 10 + 1) = i == 5 ? -4.0 : 0;
  EXPECT_DOUBLE_EQ(buildMap(s, {}).scale.high, 4.0);
}

// Eastings under the map and northings beside it at round values, each tick
// where that coordinate lies: on the centre of the node that has it.
TEST(MapAxes, RoundCoordinatesStandAtTheirNodes) {
  GridState s = testing::makeGrid(
      4, 5, [](int r, int c) { return r + c; }, "10", "10");
  for (int r = 1; r <= 4; ++r)
    for (int c = 1; c <= 5; ++c) {
      s.GridEasting(r, c) = 500000.0 + 10 * c;
      s.GridNorthing(r, c) = 4800000.0 - 10 * r;
    }
  const MapFigure map = buildMap(s, {});
  auto textAt = [&](const std::string& text) -> const platform::FigureOp* {
    for (const platform::FigureOp& op : map.figure.ops)
      if (op.kind == platform::FigureOp::Kind::Text && op.text == text) return &op;
    return nullptr;
  };
  const auto* east = textAt("500020");
  const auto* north = textAt("4799970");
  ASSERT_TRUE(east && north);
  EXPECT_NEAR(east->x, map.frame.cellCentre(1, 2).first, 1e-9);
  EXPECT_NEAR(north->y, map.frame.cellCentre(3, 1).second, 1e-9);
  EXPECT_TRUE(textAt("Easting (m)") && textAt("Northing (m)"));
  EXPECT_FALSE(textAt("row 4"));
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
