// SPDX-License-Identifier: GPL-3.0-or-later
// Coverage of the 95 % interval of Betta: over 200 replicates of noisy
// measurements (seed 424242, 2 mm of Gaussian noise on the elevations of a
// 100-point transect after 5 sequences), fitting Alpha and Betta, the
// interval holds the true Betta in 92 to 98 % of them. The tolerance is two
// binomial standard deviations (1.54 %) either side of 95 %.

#include <gtest/gtest.h>

#include "kolv/fit/fit_solver.h"
#include "kolv/fit/fit_test_study.h"

namespace sodwright::kolv {
namespace {

TEST(FitCoverage, BettaIntervalHoldsTheTruthInNinetyFiveOfAHundred) {
  const KolvState study = testing::exampleStudy(100, 5, 0.0f);
  const testing::Truth truth;
  const ObservedProfile exact = testing::exactProfile(study, truth, FitColumn::Elevation);
  FitSetup setup;
  setup.column = FitColumn::Elevation;
  for (FitParameter p : {FitParameter::Alpha, FitParameter::Beta}) {
    setup.parameters.push_back(p);
    setup.bounds.push_back(defaultBounds(p, study.params));
  }
  testing::Noise noise(424242);
  constexpr int kReplicates = 200;
  int covered = 0, converged = 0;
  for (int r = 0; r < kReplicates; ++r) {
    const FitResult fit = fitStudy(study, setup, testing::withNoise(exact, noise, 0.002));
    if (!fit.converged || !fit.parameters[1].determined) continue;
    ++converged;
    if (fit.parameters[1].low <= truth.beta && truth.beta <= fit.parameters[1].high) ++covered;
  }
  EXPECT_EQ(converged, kReplicates);
  const double share = static_cast<double>(covered) / kReplicates;
  RecordProperty("covered", covered);
  EXPECT_GE(share, 0.92) << covered << " of " << kReplicates;
  EXPECT_LE(share, 0.98) << covered << " of " << kReplicates;
}

}  // namespace
}  // namespace sodwright::kolv
