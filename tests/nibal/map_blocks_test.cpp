// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/map_blocks.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include <gtest/gtest.h>

using namespace sodwright::nibal;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kNoData = -9999.0;

// The mean of each block taken straight from the whole grid.
std::vector<double> directMeans(const std::vector<double>& grid, int rows, int columns, int b) {
  std::vector<double> means;
  for (int top = 0; top < rows; top += b)
    for (int left = 0; left < columns; left += b) {
      double sum = 0;
      int count = 0;
      for (int r = top; r < std::min(top + b, rows); ++r)
        for (int c = left; c < std::min(left + b, columns); ++c) {
          const double v = grid[static_cast<std::size_t>(r) * columns + c];
          if (std::isnan(v) || v == kNoData) continue;
          sum += v;
          ++count;
        }
      means.push_back(count > 0 ? sum / count : kNaN);
    }
  return means;
}

bool sameBits(const std::vector<double>& a, const std::vector<double>& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

}  // namespace

TEST(BlockMeans, KnownBlocksWithUnevenEdgesAndNoData) {
  // 1 2 3
  // 4 5 6     blocks of 2: (1+2+4+5)/4, (3+6)/2, (7+8)/2, 9
  // 7 8 9
  const std::vector<double> grid = {1, 2, 3, 4, 5, 6, 7, 8, 9};
  BlockMeanReducer reducer(3, 3, 2);
  reducer.addRows(grid.data(), 3);
  EXPECT_TRUE(reducer.complete());
  const BlockMeans means = reducer.finish();
  EXPECT_EQ(means.rows, 2);
  EXPECT_EQ(means.columns, 2);
  EXPECT_EQ(means.values, (std::vector<double>{3, 4.5, 7.5, 9}));

  // No-data cells leave the mean; a block of no-data only has none.
  const std::vector<double> holes = {1, kNaN, kNoData, 4, 5, kNoData, 7, 8, kNoData};
  BlockMeanReducer withHoles(3, 3, 2, kNoData);
  for (int r = 0; r < 3; ++r) withHoles.addRow(holes.data() + 3 * r);
  const BlockMeans holed = withHoles.finish();
  EXPECT_EQ(holed.at(0, 0), (1 + 4 + 5) / 3.0);
  EXPECT_TRUE(std::isnan(holed.at(0, 1)));
  EXPECT_EQ(holed.at(1, 0), 7.5);
  EXPECT_TRUE(std::isnan(holed.at(1, 1)));

  // Rows never fed are no-data.
  BlockMeanReducer cut(5, 2, 2);
  cut.addRow(grid.data());
  EXPECT_FALSE(cut.complete());
  const BlockMeans partial = cut.finish();
  EXPECT_EQ(partial.values[0], 1.5);
  EXPECT_TRUE(std::isnan(partial.values[1]) && std::isnan(partial.values[2]));
}

// Random grids fed one row, or strips of 1 to 5 rows, at a time (as doubles
// and as floats) give the direct means to the last bit.
TEST(BlockMeans, StreamedEqualsDirectBitForBit) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> value(-1e3, 1e3);
  std::uniform_int_distribution<int> strip(1, 5);
  for (const auto& [rows, columns, b] : {std::tuple{7, 5, 3},
                                         {10, 10, 4},
                                         {1, 13, 5},
                                         {6, 6, 2},
                                         {9, 4, 1},
                                         {4, 3, 8},
                                         {23, 17, 6}}) {
    std::vector<double> grid(static_cast<std::size_t>(rows) * columns);
    for (double& v : grid) {
      const int kind = static_cast<int>(random() % 10);
      v = kind == 0 ? kNaN : kind == 1 ? kNoData : value(random);
    }
    const std::vector<double> expected = directMeans(grid, rows, columns, b);

    BlockMeanReducer byStrips(rows, columns, b, kNoData);
    for (int r = 0; r < rows;) {
      const int n = std::min(strip(random), rows - r);
      byStrips.addRows(grid.data() + static_cast<std::size_t>(r) * columns, n);
      r += n;
    }
    EXPECT_TRUE(sameBits(byStrips.finish().values, expected)) << rows << "x" << columns << "/" << b;

    std::vector<float> singles(grid.begin(), grid.end());
    const std::vector<double> widened(singles.begin(), singles.end());
    BlockMeanReducer byRows(rows, columns, b, kNoData);
    for (int r = 0; r < rows; ++r)
      byRows.addRow(singles.data() + static_cast<std::size_t>(r) * columns);
    EXPECT_TRUE(sameBits(byRows.finish().values, directMeans(widened, rows, columns, b)));
  }
}

TEST(BlockMeans, BlockSideFitsTheFigure) {
  EXPECT_EQ(blockSizeToFit(30, 40, 600, 800), 1);
  EXPECT_EQ(blockSizeToFit(4000, 4000, 600, 800), 7);
  EXPECT_EQ(blockSizeToFit(601, 10, 600, 800), 2);
  EXPECT_EQ(blockSizeToFit(10, 40001, 600, 800), 51);
}

// The map of block means: one image, a blank pixel for a block without a
// mean, eastings from the block centres on the axis, the block in the
// legend; the elevation grid, which is shaded under the map, holds the
// elevations' means when they are given.
TEST(BlockMeans, MapDrawsBlocksAsOneImageAndSaysTheBlock) {
  std::vector<double> grid(7 * 5, 2.0);
  for (int c = 0; c < 3; ++c) grid[static_cast<std::size_t>(6) * 5 + c] = kNaN;
  grid[0] = -4.0;
  BlockMeanReducer reducer(7, 5, 3);
  reducer.addRows(grid.data(), 7);
  const BlockMeans means = reducer.finish();
  GridInfo info;
  info.RowSpacing = "5";
  info.ColumnSpacing = "5";
  std::vector<double> heights(7 * 5, 30.0);
  BlockMeanReducer elevation(7, 5, 3);
  elevation.addRows(heights.data(), 7);
  const BlockMeans elevationMeans = elevation.finish();
  const GridState state = blockMapState(means, MapLayer::SoilLossRow, info, 100.0, 120.0, 500.0,
                                        470.0, &elevationMeans);
  EXPECT_EQ(state.GridElevation(1, 1), 30.0);
  EXPECT_EQ(state.results.SoilLossRow(1, 1), (-4.0 + 8 * 2.0) / 9);
  MapOptions options;
  options.layer = MapLayer::SoilLossRow;
  options.blocks = MapBlocks{means.blockSize, means.gridRows, means.gridColumns};
  const MapFigure map = buildMap(state, options);

  EXPECT_NE(map.legendText.find("each pixel: mean of 3 \u00d7 3 cells"), std::string::npos);
  int images = 0;
  bool eastTick = false, eastCaption = false;
  for (const sodwright::platform::FigureOp& op : map.figure.ops) {
    // The first block's centre lies at easting 105, a block 15 m across.
    const double perMetre = map.frame.cellWidth / 15;
    eastTick =
        eastTick || (op.text == "110" &&
                     std::abs(op.x - (map.frame.cellCentre(1, 1).first + 5 * perMetre)) < 1e-9);
    eastCaption = eastCaption || op.text == "Easting (m)";
    if (op.kind != sodwright::platform::FigureOp::Kind::Image || op.imageColumns != 2) continue;
    ++images;
    ASSERT_EQ(op.pixels.size(), 6u);  // 3 x 2 blocks, north (row 1) at the top
    EXPECT_EQ(op.pixels[0], map.scale.colourOf((-4.0 + 8 * 2.0) / 9));
    EXPECT_EQ(op.pixels[5], map.scale.colourOf(2.0));
    EXPECT_EQ(op.pixels[4].a, 0);  // the last row's first block: no-data only
  }
  EXPECT_EQ(images, 1);
  EXPECT_TRUE(eastTick && eastCaption);
}
