// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/large_grid.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "grid_test_support.h"
#include "nibal/grid_model.h"

namespace sodwright::nibal {
namespace {

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The node-by-node path against the whole-grid walk, bit for bit, on grids of
// every shape from a single node to thin strips and a square, with rough
// random terrain, uneven spacings and coefficients that are not round.
TEST(LargeGrid, NodeByNodeMatchesTheWholeGridWalkBitForBit) {
  std::mt19937_64 random(20261208);
  std::uniform_real_distribution<double> height(-50.0, 450.0);
  const int shapes[][2] = {{1, 1}, {1, 6}, {6, 1}, {2, 2}, {3, 7}, {4, 4}, {9, 5}, {17, 23}};
  for (const auto& shape : shapes) {
    const int rows = shape[0];
    const int columns = shape[1];
    std::vector<double> z(static_cast<std::size_t>(rows) * columns);
    for (double& v : z) v = height(random);
    GridState state = testing::makeGrid(
        rows, columns,
        [&](int r, int c) { return z[static_cast<std::size_t>((r - 1) * columns + c - 1)]; }, "0.7",
        "1.3");
    state.info.BettaRow = 3.3;
    state.info.GammaRow = 6.7;
    state.info.BettaCol = 5.9;
    state.info.GammaCol = 12.1;
    clearGridResults(state);
    computeColumnDirection(state);
    computeRowDirection(state);
    computeSoilLossSum(state);

    const ElevationView view{z.data(), rows, columns, 0.7, 1.3};
    const GridCoefficients k{3.3, 6.7, 5.9, 12.1};
    std::vector<NodeResults> line(static_cast<std::size_t>(columns));
    const GridResults& want = state.results;
    for (int r = 0; r < rows; ++r) {
      computeRow(view, k, r, line.data());
      for (int c = 0; c < columns; ++c) {
        const NodeResults& got = line[static_cast<std::size_t>(c)];
        const NodeResults one = computeNode(view, k, r, c);
        EXPECT_EQ(std::memcmp(&got, &one, sizeof got), 0);
        SCOPED_TRACE(::testing::Message()
                     << rows << "x" << columns << " node " << r + 1 << "," << c + 1);
        EXPECT_TRUE(sameBits(got.dGradCol, want.DGradCol(r + 1, c + 1)));
        EXPECT_TRUE(sameBits(got.dCurvCol, want.DCurvCol(r + 1, c + 1)));
        EXPECT_TRUE(sameBits(got.dGradRow, want.DGradRow(r + 1, c + 1)));
        EXPECT_TRUE(sameBits(got.dCurvRow, want.DCurvRow(r + 1, c + 1)));
        EXPECT_TRUE(sameBits(got.soilLossCol, want.SoilLossCol(r + 1, c + 1)));
        EXPECT_TRUE(sameBits(got.soilLossRow, want.SoilLossRow(r + 1, c + 1)));
        EXPECT_TRUE(sameBits(got.soilLossSum, want.SoilLossSum(r + 1, c + 1)));
      }
    }
  }
}

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
const GridCoefficients kRough{3.3, 6.7, 5.9, 12.1};

// The whole-grid walk of an R x C grid (row-major z), as the window runs it.
GridResults wholeGridWalk(const std::vector<double>& z, int rows, int columns) {
  GridState state = testing::makeGrid(
      rows, columns,
      [&](int r, int c) { return z[static_cast<std::size_t>((r - 1) * columns + c - 1)]; }, "0.7",
      "1.3");
  state.info.BettaRow = kRough.bettaRow;
  state.info.GammaRow = kRough.gammaRow;
  state.info.BettaCol = kRough.bettaCol;
  state.info.GammaCol = kRough.gammaCol;
  clearGridResults(state);
  computeColumnDirection(state);
  computeRowDirection(state);
  computeSoilLossSum(state);
  return state.results;
}

void expectSameBits(const NodeResults& got, const GridResults& want, int r, int c) {
  EXPECT_TRUE(sameBits(got.dGradCol, want.DGradCol(r, c)));
  EXPECT_TRUE(sameBits(got.dCurvCol, want.DCurvCol(r, c)));
  EXPECT_TRUE(sameBits(got.dGradRow, want.DGradRow(r, c)));
  EXPECT_TRUE(sameBits(got.dCurvRow, want.DCurvRow(r, c)));
  EXPECT_TRUE(sameBits(got.soilLossCol, want.SoilLossCol(r, c)));
  EXPECT_TRUE(sameBits(got.soilLossRow, want.SoilLossRow(r, c)));
  EXPECT_TRUE(sameBits(got.soilLossSum, want.SoilLossSum(r, c)));
}

// A strip of rows and a run of columns copied out of the model with two
// cells around them (fewer at the model's edge), as a streamed read holds it:
// nothing beyond the copy can be read.
struct HeldBlock {
  std::vector<double> cells;
  ElevationBlock block;
};
HeldBlock holdAround(const std::vector<double>& z, int rows, int columns, int r0, int r1, int c0,
                     int c1) {
  const int top = std::max(0, r0 - 2);
  const int bottom = std::min(rows, r1 + 2);
  const int left = std::max(0, c0 - 2);
  const int right = std::min(columns, c1 + 2);
  HeldBlock held;
  for (int r = top; r < bottom; ++r)
    for (int c = left; c < right; ++c)
      held.cells.push_back(z[static_cast<std::size_t>(r) * columns + c]);
  held.block = {held.cells.data(), right - left, top, bottom - top, left, right - left, 0.7, 1.3};
  return held;
}

// Strips of 1 to 5 rows (the last one ending on the model's last row, often
// shorter) and windows of columns, each computed from its own copy with two
// cells around it, give the whole-grid walk bit for bit.
TEST(LargeGrid, StripsAndWindowsMatchTheWholeGridWalkBitForBit) {
  std::mt19937_64 random(20261209);
  std::uniform_real_distribution<double> height(-50.0, 450.0);
  const int shapes[][2] = {{1, 1}, {1, 6}, {6, 1}, {2, 2}, {4, 4}, {9, 5}, {17, 23}};
  for (const auto& shape : shapes) {
    const int rows = shape[0];
    const int columns = shape[1];
    std::vector<double> z(static_cast<std::size_t>(rows) * columns);
    for (double& v : z) v = height(random);
    const GridResults want = wholeGridWalk(z, rows, columns);
    for (int strip = 1; strip <= 5; ++strip)
      for (int r0 = 0; r0 < rows; r0 += strip) {
        const int r1 = std::min(rows, r0 + strip);
        const int c0 = std::uniform_int_distribution<int>(0, columns - 1)(random);
        const int c1 = std::uniform_int_distribution<int>(c0 + 1, columns)(random);
        for (const auto& [from, to] : {std::pair{0, columns}, std::pair{c0, c1}}) {
          const HeldBlock held = holdAround(z, rows, columns, r0, r1, from, to);
          std::vector<NodeResults> line(static_cast<std::size_t>(to - from));
          for (int r = r0; r < r1; ++r) {
            computeBlockRow(held.block, kRough, r, from, to - from, line.data());
            for (int c = from; c < to; ++c) {
              SCOPED_TRACE(::testing::Message() << rows << "x" << columns << " strip " << strip
                                                << " node " << r + 1 << "," << c + 1);
              expectSameBits(line[static_cast<std::size_t>(c - from)], want, r + 1, c + 1);
            }
          }
        }
      }
  }
}

// A field padded with 1, 2 and 3 cells of no-data on every side gives on each
// of its nodes what the field alone gives, and NaN on the padding.
TEST(LargeGrid, NoDataBorderIsTheFieldsEdge) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> height(90.0, 130.0);
  const int rows = 7;
  const int columns = 9;
  std::vector<double> z(static_cast<std::size_t>(rows) * columns);
  for (double& v : z) v = height(random);
  const GridResults want = wholeGridWalk(z, rows, columns);
  for (int pad = 1; pad <= 3; ++pad) {
    const int paddedColumns = columns + 2 * pad;
    const int paddedRows = rows + 2 * pad;
    std::vector<double> padded(static_cast<std::size_t>(paddedRows) * paddedColumns, kNone);
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < columns; ++c)
        padded[static_cast<std::size_t>(r + pad) * paddedColumns + c + pad] =
            z[static_cast<std::size_t>(r) * columns + c];
    const ElevationBlock block{padded.data(), paddedColumns, 0,  paddedRows, 0,
                               paddedColumns, 0.7,           1.3};
    std::vector<NodeResults> line(static_cast<std::size_t>(paddedColumns));
    for (int r = 0; r < paddedRows; ++r) {
      computeBlockRow(block, kRough, r, 0, paddedColumns, line.data());
      for (int c = 0; c < paddedColumns; ++c) {
        SCOPED_TRACE(::testing::Message() << "pad " << pad << " node " << r << "," << c);
        const NodeResults& got = line[static_cast<std::size_t>(c)];
        const bool field = r >= pad && r < pad + rows && c >= pad && c < pad + columns;
        if (field)
          expectSameBits(got, want, r - pad + 1, c - pad + 1);
        else
          EXPECT_TRUE(std::isnan(got.dGradCol) && std::isnan(got.dCurvRow) &&
                      std::isnan(got.soilLossSum));
      }
    }
  }
}

// Holes and a ragged outline: each valid node gets, along its row, what the
// run of valid cells it lies in gives walked as a line of its own, and along
// its column likewise.
TEST(LargeGrid, NoDataCutsLinesAtHolesAndRaggedOutlines) {
  std::mt19937_64 random(11);
  std::uniform_real_distribution<double> height(0.0, 40.0);
  std::bernoulli_distribution hole(0.18);
  const int rows = 13;
  const int columns = 16;
  std::vector<double> z(static_cast<std::size_t>(rows) * columns);
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < columns; ++c) {
      const bool outside = c < (r * 7) % 4 || c >= columns - (r * 5) % 3;  // ragged sides
      z[static_cast<std::size_t>(r) * columns + c] =
          outside || hole(random) ? kNone : height(random);
    }
  const auto at = [&](int r, int c) { return z[static_cast<std::size_t>(r) * columns + c]; };
  // One line walked alone: elevation, its three results.
  const auto walkLine = [](const std::vector<double>& line, double d, double betta, double gamma) {
    const auto n = line.size();
    std::vector<double> grad(n), curv(n), loss(n);
    computeGridLines(
        {line.data(), grad.data(), curv.data(), loss.data(), 1, 1, static_cast<int>(n)}, d, betta,
        gamma);
    return std::array<std::vector<double>, 3>{grad, curv, loss};
  };
  const ElevationBlock block{z.data(), columns, 0, rows, 0, columns, 0.7, 1.3};
  std::vector<NodeResults> line(static_cast<std::size_t>(columns));
  int valid = 0;
  for (int r = 0; r < rows; ++r) {
    computeBlockRow(block, kRough, r, 0, columns, line.data());
    for (int c = 0; c < columns; ++c) {
      const NodeResults& got = line[static_cast<std::size_t>(c)];
      if (std::isnan(at(r, c))) {
        EXPECT_TRUE(std::isnan(got.soilLossRow) && std::isnan(got.soilLossCol));
        continue;
      }
      ++valid;
      SCOPED_TRACE(::testing::Message() << "node " << r << "," << c);
      int west = c, east = c, north = r, south = r;
      while (west > 0 && !std::isnan(at(r, west - 1))) --west;
      while (east + 1 < columns && !std::isnan(at(r, east + 1))) ++east;
      while (north > 0 && !std::isnan(at(north - 1, c))) --north;
      while (south + 1 < rows && !std::isnan(at(south + 1, c))) ++south;
      std::vector<double> along, down;
      for (int k = west; k <= east; ++k) along.push_back(at(r, k));
      for (int k = north; k <= south; ++k) down.push_back(at(k, c));
      const auto row = walkLine(along, 0.7, kRough.bettaRow, kRough.gammaRow);
      const auto col = walkLine(down, 1.3, kRough.bettaCol, kRough.gammaCol);
      const auto i = static_cast<std::size_t>(c - west);
      const auto j = static_cast<std::size_t>(r - north);
      EXPECT_TRUE(sameBits(got.dGradRow, row[0][i]));
      EXPECT_TRUE(sameBits(got.dCurvRow, row[1][i]));
      EXPECT_TRUE(sameBits(got.soilLossRow, row[2][i]));
      EXPECT_TRUE(sameBits(got.dGradCol, col[0][j]));
      EXPECT_TRUE(sameBits(got.dCurvCol, col[1][j]));
      EXPECT_TRUE(sameBits(got.soilLossCol, col[2][j]));
      EXPECT_TRUE(sameBits(got.soilLossSum, col[2][j] + row[2][i]));
    }
  }
  EXPECT_GT(valid, rows * columns / 2);
}

}  // namespace
}  // namespace sodwright::nibal
