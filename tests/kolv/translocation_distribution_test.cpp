// SPDX-License-Identifier: GPL-3.0-or-later
// The translocation distance and the distribution of a node's tilled layer:
// the worked numbers, the soft limits, and the shares as the engine
// delivers them.

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "engine_test_state.h"
#include "fakes/recording_services.h"
#include "kolv/engine/slope_distribution.h"
#include "kolv/engine/translocation.h"
#include "kolv/engine/translocation_pass.h"

namespace sodwright::kolv {
namespace {

using testing::EngineTransect;
using testing::MakeEngineState;
using testing::PointValues;

std::vector<double> sharesOf(double distance, double dx, int d) {
  ShareBlock block(d, 4);
  const double lengths[1] = {distance};
  block.fill(1, lengths, dx);
  std::vector<double> shares;
  for (int k = 0; k <= d; ++k) shares.push_back(block.row(k)[0]);
  return shares;
}

// The shares as the formula is written, one exponential each.
std::vector<double> directShares(double length, double dx, int d) {
  std::vector<double> raw{1 - std::exp(-(dx / 2) / length)};
  double sum = raw[0];
  for (int k = 1; k <= d; ++k) {
    raw.push_back(std::exp(-(k * dx + dx / 2) / length) * dx / length);
    sum += raw.back();
  }
  for (double& f : raw) f = f / sum;
  return raw;
}

TEST(TranslocationDistribution, WorkedDistributionOfOneMetre) {
  // dx = 1 m, Alpha = 0.5 m on a flat transect: L = 1 m before the soft limit.
  const double length = softLimitedDistance(rawDistance({0.5, 0, 0, 1.0}, 0, 0), 1.0);
  EXPECT_NEAR(length, 1.0365490, 5e-8);
  ShareBlock block(2, 4);
  block.fill(1, &length, 1.0);
  EXPECT_NEAR(block.rawSum(0), 0.6961239, 5e-8);
  EXPECT_NEAR(block.row(0)[0], 0.5497316, 5e-8);
  EXPECT_NEAR(block.row(1)[0], 0.3260257, 5e-8);
  EXPECT_NEAR(block.row(2)[0], 0.1242427, 5e-8);
}

TEST(TranslocationDistribution, SoftLimitsBendBothEnds) {
  EXPECT_NEAR(softLimitedDistance(30.5, 1.0), 25.8855017, 5e-8);
  // Between the bends the distance is kept; beyond them it stays inside (0.1 dx, 26 dx).
  EXPECT_EQ(softLimitedDistance(3.0, 1.0), 3.0);
  EXPECT_GT(softLimitedDistance(-1e6, 0.1), 0.01);
  EXPECT_LT(softLimitedDistance(1e6, 0.1), 2.6);
  // The bend uses pi as 3.14159265357: 1.1 + (2 / pi) atan(-0.1) with that pi.
  EXPECT_EQ(softLimitedDistance(1.0, 1.0),
            1.1 * 1.0 + (2 * 1.0 / 3.14159265357) * std::atan(1.0 - 1.1 * 1.0));
}

TEST(TranslocationDistribution, SharesAreTheFormulaBitForBit) {
  // Random intervals (as Single), distribution nodes and distances over the
  // range the soft limits leave (0.1 dx .. 26 dx), a block of nodes at once.
  std::mt19937_64 random(20261208);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  constexpr int kNodes = 37;
  for (int round = 0; round < 300; ++round) {
    const double dx = static_cast<float>(0.01 + 2.0 * unit(random));
    const int d = static_cast<int>(random() % 120);
    std::vector<double> lengths(kNodes);
    for (double& length : lengths) length = dx * (0.1 + 25.9 * unit(random) * unit(random));
    ShareBlock block(d, kNodes + 3);
    block.fill(kNodes, lengths.data(), dx);
    for (int j = 0; j < kNodes; ++j) {
      const std::vector<double> direct = directShares(lengths[static_cast<std::size_t>(j)], dx, d);
      for (int k = 0; k <= d; ++k) {
        ASSERT_EQ(std::bit_cast<std::uint64_t>(block.row(k)[j]),
                  std::bit_cast<std::uint64_t>(direct[static_cast<std::size_t>(k)]))
            << "dx " << dx << " D " << d << " L " << lengths[static_cast<std::size_t>(j)] << " k "
            << k;
      }
    }
  }
}

// The shares skip the exponential far below the subnormals; that shortcut
// must equal std::exp bit for bit wherever a share's exponent can lie (every
// finite negative double: -(k dx + dx / 2) / L with positive dx and L), near
// 0, in the subnormal results and past them.
TEST(TranslocationDistribution, ExpOrZeroIsStdExpBitForBit) {
  std::mt19937_64 random(1075);
  std::uniform_real_distribution<double> deep(-800.0, -700.0);
  std::uniform_real_distribution<double> shares(-750.0, 0.0);
  for (int i = 0; i < 2000000; ++i) {
    // Every bit pattern of a negative finite double, and the exponents of shares.
    const double any = -std::bit_cast<double>(random() % 0x7ff0000000000000ULL);
    for (double x : {any, shares(random)})
      ASSERT_EQ(std::bit_cast<std::uint64_t>(expOrZero(x)),
                std::bit_cast<std::uint64_t>(std::exp(x)))
          << x;
  }
  std::vector<double> xs = {kExpIsZeroBelow,
                            std::nextafter(kExpIsZeroBelow, 0.0),
                            std::nextafter(kExpIsZeroBelow, -1000.0),
                            -745.1332191019412,
                            -744.4400719213812,
                            -708.4,
                            -1e308,
                            -0.0,
                            0.0,
                            1.0};
  for (int i = 0; i < 1000000; ++i) xs.push_back(deep(random));
  for (double x : xs)
    ASSERT_EQ(std::bit_cast<std::uint64_t>(expOrZero(x)), std::bit_cast<std::uint64_t>(std::exp(x)))
        << x;
  EXPECT_TRUE(std::isnan(expOrZero(std::nan(""))));
  EXPECT_EQ(expOrZero(-std::numeric_limits<double>::infinity()), 0.0);
}

TEST(TranslocationDistribution, BlocksGatherEachTargetInTheOrderOfTheFormula) {
  // Targets fed block by block from the highest sources down hold exactly
  // the left-to-right sum to[i] + F(i-1, 1) x T(i-1) + ... + F(i-D, D) x T(i-D).
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> value(-1.0, 1.0);
  const int d = 9, first = -12, count = 40, low = -3, high = 31;
  std::vector<double> lengths(static_cast<std::size_t>(count));
  for (double& length : lengths) length = 0.3 + std::abs(value(random));
  std::vector<double> fromStore(80), startStore(80);
  for (double& v : fromStore) v = value(random) * 1e3;
  for (double& v : startStore) v = value(random);
  const double* from = fromStore.data() + 30;  // node i at i
  ShareBlock whole(d, count);
  whole.fill(count, lengths.data(), 0.1);
  for (const double* source : {from, static_cast<const double*>(nullptr)}) {
    std::vector<double> toStore = startStore;
    double* to = toStore.data() + 30;
    for (int top = first + count - 1; top >= first; top -= 7) {  // blocks of 7, highest first
      const int blockFirst = std::max(first, top - 6);
      ShareBlock block(d, 7);
      block.fill(top - blockFirst + 1, lengths.data() + (blockFirst - first), 0.1);
      deliverBlock(block, blockFirst, top - blockFirst + 1, to, source, 0.25, low, high);
    }
    for (int i = low; i <= high; ++i) {
      double expected = startStore[static_cast<std::size_t>(i + 30)];
      for (int k = 1; k <= d; ++k) {
        const int src = i - k;
        if (src < first || src >= first + count) continue;
        expected += whole.row(k)[src - first] * (source ? from[src] : 0.25);
      }
      EXPECT_EQ(std::bit_cast<std::uint64_t>(to[i]), std::bit_cast<std::uint64_t>(expected))
          << "node " << i;
    }
    // Nothing outside the targets is touched.
    EXPECT_EQ(to[low - 1], startStore[static_cast<std::size_t>(low - 1 + 30)]);
    EXPECT_EQ(to[high + 1], startStore[static_cast<std::size_t>(high + 1 + 30)]);
  }
}

TEST(TranslocationDistribution, NoNeighbourSharesWithoutDistributionNodes) {
  const auto shares = sharesOf(0.7, 1.0, 0);
  ASSERT_EQ(shares.size(), 1u);
  EXPECT_EQ(shares[0], 1.0);
}

TEST(TranslocationDistribution, EngineDeliversTheWorkedSharesDownstream) {
  // Substance in layer 1 of node 10 only, layer 1 exactly the tillage depth:
  // the node tills all of it and its neighbours receive the worked shares.
  EngineTransect shape;
  shape.nodes = 30;
  shape.distrDistance = 2.0f;
  shape.alpha = 0.5f;
  shape.beta = shape.gamma = 0.0f;
  KolvState state = MakeEngineState(shape, [](int i) {
    PointValues v;
    v.depthL1 = 0.2;
    v.depthL2 = 0.1;
    v.pl1 = i == 10 ? 50.0 : 0.0;
    return v;
  });
  testing::SetSequenceCount(state, 0);
  platform::RecordingMessageService messages;
  ASSERT_TRUE(runTranslocation(state, messages).ok());
  const TransectData& t = state.data;
  const double tilled = t.MassL1(10, 0);
  EXPECT_NEAR(t.MassL1(10, 1) / tilled, 0.5497316, 5e-8);
  EXPECT_NEAR(t.MassL1(11, 1) / tilled, 0.3260257, 5e-8);
  EXPECT_NEAR(t.MassL1(12, 1) / tilled, 0.1242427, 5e-8);
  EXPECT_EQ(t.MassL1(9, 1), 0.0);
  EXPECT_EQ(t.MassL1(13, 1), 0.0);
  // The flat surface keeps its elevation, so layer 1 stays TD and layer 2 stays.
  for (int i = 0; i < 30; ++i) {
    EXPECT_NEAR(t.Elev(i, 1), 100.0, 1e-12);
    EXPECT_NEAR(t.DepthL1(i, 1), 0.2, 1e-12);
    EXPECT_NEAR(t.DepthL2(i, 1), 0.1, 1e-12);
  }
}

TEST(TranslocationDistribution, CurvatureOnlyOverMoreThanTwoIntervals) {
  EngineTransect shape;
  shape.nodes = 60;
  shape.gamma = 0.5f;
  const auto hill = [](int i) {
    PointValues v;
    v.elev = 100 - 0.002 * (i - 30) * (i - 30);
    return v;
  };
  platform::RecordingMessageService messages;
  auto runWith = [&](float scScale, float gamma) {
    KolvState state = MakeEngineState(shape, hill);
    state.params.ScScale = scScale;
    state.params.Gamma = gamma;
    EXPECT_TRUE(runTranslocation(state, messages).ok());
    return testing::DescribeArrays(state, 0, 59, 2);
  };
  // ScScale = 2 dx (compared in Single) leaves SC at 0: Gamma has no effect.
  EXPECT_EQ(runWith(2.0f, 0.5f), runWith(2.0f, 0.0f));
  EXPECT_EQ(runWith(0.0f, 0.5f), runWith(2.0f, 0.0f));
  // Over three intervals (k = 1) the curvature moves soil differently.
  EXPECT_NE(runWith(3.0f, 0.5f), runWith(3.0f, 0.0f));
}

TEST(TranslocationDistribution, NoDistributionNodesKeepTheSurface) {
  // Distribution distance shorter than the interval: D = 0, F(i, 0) = 1, and
  // a pass leaves every elevation of its column as it was.
  EngineTransect shape;
  shape.distrDistance = 0.5f;
  shape.nodes = 20;
  KolvState state = MakeEngineState(shape, [](int i) {
    PointValues v;
    v.elev = 100 + 0.3 * std::sin(i * 0.7);
    return v;
  });
  ASSERT_EQ(state.params.DistrNodes, 0);
  testing::SetSequenceCount(state, 3);
  platform::RecordingMessageService messages;
  ASSERT_TRUE(runTranslocation(state, messages).ok());
  // Later passes replace the end zones of the columns they read, so the
  // whole range is compared in the last pass and the middle in every pass.
  const TransectData& t = state.data;
  for (int i = -5; i <= 25; ++i) EXPECT_NEAR(t.Elev(i, 4), t.Elev(i, 3), 1e-12) << i;
  for (int s = 0; s <= 3; ++s) {
    for (int i = 8; i <= 11; ++i) {
      EXPECT_NEAR(t.Elev(i, s + 1), t.Elev(i, 0), 1e-12) << s << " " << i;
      EXPECT_NEAR(t.DepthL1(i, s + 1), 0.2, 1e-12);
    }
  }
}

}  // namespace
}  // namespace sodwright::kolv
