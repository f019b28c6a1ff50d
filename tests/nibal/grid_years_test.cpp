// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/grid_years.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "nibal/grid_stability.h"

namespace sodwright::nibal {
namespace {

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Rough random terrain with holes of no-data, a flat patch (whose losses are
// -0) and a line cut in two by a hole.
std::vector<double> holedDem(int rows, int columns, unsigned seed) {
  std::mt19937_64 random(seed);
  std::uniform_real_distribution<double> height(180.0, 182.0);
  std::vector<double> z(static_cast<std::size_t>(rows) * columns);
  for (double& v : z) v = height(random);
  const auto at = [columns](int r, int c) { return static_cast<std::size_t>(r) * columns + c; };
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) z[at(r, c)] = 181.0;
  const double none = std::nan("");
  z[at(rows / 2, columns / 2)] = none;
  z[at(rows / 2, columns / 2 + 1)] = none;
  z[at(rows - 1, 2)] = none;
  z[at(4, columns - 1)] = none;
  for (int r = 5; r < rows - 3; ++r) z[at(r, 3)] = none;
  return z;
}

const GridCoefficients kCoefficients{3.3, 6.7, 5.9, 12.1};

void expectSame(const std::vector<double>& got, const std::vector<double>& want, const char* what) {
  ASSERT_EQ(got.size(), want.size()) << what;
  for (std::size_t i = 0; i < got.size(); ++i)
    if (!sameBits(got[i], want[i])) {
      ADD_FAILURE() << what << " differs at node " << i << ": " << got[i] << " vs " << want[i];
      return;
    }
}

// One year of one pass holds the one-year run's three soil-loss results
// bit for bit (-0 included), and lowers each node by its loss over rho.
TEST(GridYears, OneYearIsTheOneYearRun) {
  const int rows = 12;
  const int columns = 10;
  const std::vector<double> z = holedDem(rows, columns, 7);
  const ElevationView view{z.data(), rows, columns, 0.7, 1.3};
  YearsSettings one;
  one.bulkDensity = 1350.0;
  const YearsGrid got = runYears(view, kCoefficients, one);
  std::vector<NodeResults> line(columns);
  const ElevationBlock block{z.data(), columns, 0, rows, 0, columns, 0.7, 1.3};
  bool sawNegativeZero = false;
  for (int r = 0; r < rows; ++r) {
    computeBlockRow(block, kCoefficients, r, 0, columns, line.data());
    for (int c = 0; c < columns; ++c) {
      const std::size_t at = static_cast<std::size_t>(r) * columns + c;
      const NodeResults& n = line[static_cast<std::size_t>(c)];
      ASSERT_TRUE(sameBits(got.meanLossSum[at], n.soilLossSum)) << r << "," << c;
      ASSERT_TRUE(sameBits(got.meanLossRow[at], n.soilLossRow)) << r << "," << c;
      ASSERT_TRUE(sameBits(got.meanLossCol[at], n.soilLossCol)) << r << "," << c;
      sawNegativeZero |= n.soilLossSum == 0.0 && std::signbit(n.soilLossSum);
      if (std::isnan(z[at])) {
        EXPECT_TRUE(std::isnan(got.surface[at]) && std::isnan(got.change[at]));
      } else {
        EXPECT_EQ(got.surface[at], z[at] - n.soilLossSum / 1350.0);
        EXPECT_EQ(got.change[at], got.surface[at] - z[at]);
      }
    }
  }
  EXPECT_TRUE(sawNegativeZero);  // the flat patch is there to check -0
}

// The streamed route's block evolution, in strips of 1, 2 and 5 lines and
// windows of columns, each with its halo, on 1 and 3 threads, gives the
// reference loop's every value and snapshot bit for bit; the short-wave
// measures agree (their counts exactly).
TEST(GridYears, BlocksWithTheirHaloGiveTheReferenceLoop) {
  const int rows = 17;
  const int columns = 14;
  const std::vector<double> z = holedDem(rows, columns, 11);
  const ElevationView view{z.data(), rows, columns, 0.7, 1.3};
  YearsSettings settings;
  settings.years = 3;
  settings.passesPerYear = 2;
  settings.bulkDensity = 1300.0;
  settings.every = 1;
  const YearsGrid want = runYears(view, kCoefficients, settings);
  ASSERT_EQ(want.snapshots.size(), 3u);
  const auto halo = static_cast<int>(yearsHalo(settings));
  for (int threads : {1, 3})
    for (int strip : {1, 2, 5})
      for (const auto& [left, width] : {std::pair{0, columns}, std::pair{4, 6}}) {
        SCOPED_TRACE(::testing::Message()
                     << threads << " threads, strips of " << strip << ", columns from " << left);
        std::vector<std::vector<double>> got(4 + want.snapshots.size());
        ShortWave before, after;
        for (int y0 = 0; y0 < rows; y0 += strip) {
          const int y1 = std::min(rows, y0 + strip);
          const int top = std::max(0, y0 - halo);
          const int bottom = std::min(rows, y1 + halo);
          const int from = std::max(0, left - halo);
          const int to = std::min(columns, left + width + halo);
          const ElevationBlock block{z.data() + static_cast<std::size_t>(top) * columns + from,
                                     columns,
                                     top,
                                     bottom - top,
                                     from,
                                     to - from,
                                     0.7,
                                     1.3};
          const YearsGrid part = evolveBlock(block, kCoefficients, settings, y0 - top, y1 - y0,
                                             left - from, width, threads);
          const std::vector<double>* fields[] = {&part.meanLossSum, &part.meanLossRow, &part.change,
                                                 &part.surface};
          for (std::size_t f = 0; f < 4; ++f)
            got[f].insert(got[f].end(), fields[f]->begin(), fields[f]->end());
          for (std::size_t s = 0; s < part.snapshots.size(); ++s)
            got[4 + s].insert(got[4 + s].end(), part.snapshots[s].begin(), part.snapshots[s].end());
          before.squares += part.before.squares;
          before.count += part.before.count;
          after.squares += part.after.squares;
          after.count += part.after.count;
        }
        const auto cut = [&](const std::vector<double>& all) {
          std::vector<double> out;
          for (int r = 0; r < rows; ++r)
            for (int c = left; c < left + width; ++c)
              out.push_back(all[static_cast<std::size_t>(r) * columns + c]);
          return out;
        };
        expectSame(got[0], cut(want.meanLossSum), "mean loss");
        expectSame(got[1], cut(want.meanLossRow), "mean row loss");
        expectSame(got[2], cut(want.change), "change");
        expectSame(got[3], cut(want.surface), "surface");
        for (std::size_t s = 0; s < want.snapshots.size(); ++s)
          expectSame(got[4 + s], cut(want.snapshots[s]), "snapshot");
        if (width == columns) {
          EXPECT_EQ(after.count, want.after.count);
          EXPECT_NEAR(after.rms(), want.after.rms(), 1e-12 * want.after.rms());
          EXPECT_NEAR(before.rms(), want.before.rms(), 1e-12 * want.before.rms());
        }
      }
}

// The snapshots are the change at the end of years 2 and 4 of five.
TEST(GridYears, SnapshotsAreTheChangeAtTheirYears) {
  const std::vector<double> z = holedDem(9, 8, 5);
  const ElevationView view{z.data(), 9, 8, 1.0, 1.0};
  YearsSettings settings;
  settings.years = 5;
  settings.passesPerYear = 3;
  settings.every = 2;
  const YearsGrid all = runYears(view, kCoefficients, settings);
  ASSERT_EQ(all.snapshots.size(), 2u);
  for (int years : {2, 4}) {
    YearsSettings shorter = settings;
    shorter.years = years;
    shorter.every = 0;
    expectSame(all.snapshots[static_cast<std::size_t>(years / 2 - 1)],
               runYears(view, kCoefficients, shorter).change, "snapshot");
  }
}

TEST(GridYears, SettingsRefuseWhatCannotBeRun) {
  std::string warning;
  const auto read = [&](YearsTexts t) { return readYearsSettings(t, warning); };
  for (const char* years : {"0", "-3", "2.5", "x", ""})
    EXPECT_FALSE(read({years, "1350", "", ""}).ok()) << years;
  for (const char* density : {"0", "-1200", "x", ""})
    EXPECT_FALSE(read({"10", density, "", ""}).ok()) << density;
  EXPECT_FALSE(read({"10", "1350", "0", ""}).ok());
  EXPECT_FALSE(read({"10", "1350", "", "0"}).ok());
  EXPECT_FALSE(read({"10", "1350", "", "11"}).ok());

  const base::Result<YearsSettings> ok = read({"10", "1350", "4", "10"});
  ASSERT_TRUE(ok.ok()) << ok.message();
  EXPECT_EQ(ok->years, 10);
  EXPECT_EQ(ok->passesPerYear, 4);
  EXPECT_EQ(ok->every, 10);
  EXPECT_EQ(ok->steps(), 40);
  EXPECT_TRUE(warning.empty());
  for (const char* unusual : {"499", "2501"}) {
    EXPECT_TRUE(read({"10", unusual, "", ""}).ok());
    EXPECT_NE(warning.find("outside"), std::string::npos) << unusual;
  }
  for (const char* usual : {"500", "2500"}) {
    EXPECT_TRUE(read({"10", usual, "", ""}).ok());
    EXPECT_TRUE(warning.empty()) << usual;
  }
}

// With Gamma 0 tillage only moves soil along its line: over every run of
// valid nodes of a line (ended by no-data or the edge) one direction's loss
// sums to zero, and so the change of volume of a whole run of years does.
TEST(GridYears, WithoutGammaEveryLineOfValidNodesKeepsItsMass) {
  const int rows = 15;
  const int columns = 13;
  const std::vector<double> z = holedDem(rows, columns, 23);
  const GridCoefficients k{3.3, 0.0, 5.9, 0.0};
  const ElevationBlock block{z.data(), columns, 0, rows, 0, columns, 0.7, 1.3};
  std::vector<std::vector<NodeResults>> nodes(rows, std::vector<NodeResults>(columns));
  for (int r = 0; r < rows; ++r) computeBlockRow(block, k, r, 0, columns, nodes[r].data());
  const auto isValid = [&](int r, int c) {
    return !std::isnan(z[static_cast<std::size_t>(r) * columns + c]);
  };
  int runs = 0;
  const auto checkRuns = [&](int count, int lines, auto valid, auto loss) {
    for (int l = 0; l < lines; ++l) {
      double sum = 0.0, size = 0.0;
      for (int i = 0; i <= count; ++i) {
        if (i < count && valid(l, i)) {
          sum += loss(l, i);
          size += std::abs(loss(l, i));
          continue;
        }
        if (size > 0.0) {
          ++runs;
          EXPECT_NEAR(sum, 0.0, 1e-12 * size) << "line " << l << " to " << i;
        }
        sum = size = 0.0;
      }
    }
  };
  checkRuns(columns, rows, isValid, [&](int r, int c) { return nodes[r][c].soilLossRow; });
  checkRuns(
      rows, columns, [&](int c, int r) { return isValid(r, c); },
      [&](int c, int r) { return nodes[r][c].soilLossCol; });
  EXPECT_GT(runs, rows + columns);  // the holes cut lines in two

  YearsSettings settings;
  settings.years = 20;
  const YearsGrid run = runYears({z.data(), rows, columns, 0.7, 1.3}, k, settings);
  double volume = 0.0, moved = 0.0;
  for (double dz : run.change)
    if (!std::isnan(dz)) {
      volume += dz;
      moved += std::abs(dz);
    }
  EXPECT_GT(moved, 0.0);
  EXPECT_NEAR(volume, 0.0, 1e-12 * moved);
}

// Gamma 0: the step is diffusion, amplifying the chequerboard wave unless
// K >= 200 (BettaRow / dRow^2 + BettaCol / dCol^2) / rho, here
// 200 x (3 / 0.25 + 6 / 0.25) / 1000 = 7.2: 8 passes are the least.
TEST(GridStability, TheThresholdOfDiffusionOnEachSide) {
  const GridCoefficients k{3.0, 0.0, 6.0, 0.0};
  const StepStability seven = stepStability(k, 0.5, 0.5, 1000.0, 7);
  const StepStability eight = stepStability(k, 0.5, 0.5, 1000.0, 8);
  EXPECT_TRUE(seven.amplifies);
  EXPECT_NEAR(seven.largestAmplification, 14.4 / 7.0 - 1.0, 1e-9);  // |1 - 2 x 7.2 / 7|
  EXPECT_FALSE(eight.amplifies);
  EXPECT_EQ(seven.smallestStablePasses, 8);
  // Gamma without Betta: no step is small enough.
  EXPECT_FALSE(stepStability({0.0, 6.0, 0.0, 12.0}, 1.0, 1.0, 1350.0, 1000).smallestStablePasses);
}

// The default coefficients on a 1 m grid: the estimate's least passes do
// not let a rough surface's short waves grow; one pass fewer amplifies per
// the estimate, and half as many make a run grow.
TEST(GridStability, RunsGrowWhereTheEstimateSaysAndNowhereElse) {
  const GridCoefficients k{3.0, 6.0, 6.0, 12.0};
  const double d = 1.0;
  const double rho = 150.0;
  const StepStability once = stepStability(k, d, d, rho, 1);
  ASSERT_TRUE(once.smallestStablePasses);
  const long long least = *once.smallestStablePasses;
  ASSERT_GE(least, 4);
  EXPECT_TRUE(stepStability(k, d, d, rho, least - 1).amplifies);
  EXPECT_FALSE(stepStability(k, d, d, rho, least).amplifies);

  std::mt19937_64 random(4242);
  std::uniform_real_distribution<double> height(100.0, 100.5);
  const int n = 24;
  std::vector<double> z(n * n);
  for (double& v : z) v = height(random);
  const auto growth = [&](long long passes) {
    YearsSettings settings;
    settings.years = 30;
    settings.passesPerYear = static_cast<int>(passes);
    settings.bulkDensity = rho;
    const YearsGrid run = runYears({z.data(), n, n, d, d}, k, settings);
    return shortWaveGrowth(run.before, run.after);
  };
  EXPECT_TRUE(growth(least / 2).grew);
  const YearsGrowth stable = growth(least);
  EXPECT_FALSE(stable.grew);
  EXPECT_LT(stable.factor, 1.0);
}

}  // namespace
}  // namespace sodwright::nibal
