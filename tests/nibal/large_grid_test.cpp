// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/large_grid.h"

#include <cstring>
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

}  // namespace
}  // namespace sodwright::nibal
