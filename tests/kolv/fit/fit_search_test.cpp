// SPDX-License-Identifier: GPL-3.0-or-later
// The global search, the interval kinds and the bootstrap: the design of
// starts, how the degrees of freedom, t quantile and standard error make an
// interval, bounds met at either end, a profile open to its bounds, and a
// bootstrap that gives the same bits on any thread count.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "kolv/fit/fit_multistart.h"
#include "kolv/fit/fit_solver.h"
#include "kolv/fit/fit_statistics.h"
#include "kolv/fit/fit_test_study.h"

namespace sodwright::kolv {
namespace {

using testing::Noise;
using testing::Truth;

FitSetup setupOf(const KolvState& study, std::vector<FitParameter> parameters) {
  FitSetup setup;
  for (FitParameter p : parameters) {
    setup.parameters.push_back(p);
    setup.bounds.push_back(defaultBounds(p, study.params));
  }
  return setup;
}

bool warned(const FitResult& fit, const std::string& start) {
  for (const std::string& w : fit.warnings)
    if (w.rfind(start, 0) == 0) return true;
  return false;
}

TEST(FitSearch, StartsAreInputsThenAHaltonDesignInsideTheBounds) {
  const KolvState study = testing::exampleStudy(100, 5, 0.0f);
  FitSetup setup = setupOf(study, {FitParameter::Alpha, FitParameter::Beta});
  const ObservedProfile none;
  const FitProblem problem(study, setup, none, nullptr, 1);
  const auto starts = fitStarts(problem, {30.0, 0.003}, 4);  // Alpha beyond its bounds
  ASSERT_TRUE(starts.ok());
  ASSERT_EQ(starts->size(), 4u);
  const double aw = setup.bounds[0].high - setup.bounds[0].low;
  const double bw = setup.bounds[1].high - setup.bounds[1].low;
  EXPECT_EQ((*starts)[0][0], setup.bounds[0].high);
  EXPECT_FLOAT_EQ((*starts)[0][1], 0.003f);
  // Points 1, 2, 3 of the bases 2 and 3.
  const double a[] = {0.5, 0.25, 0.75}, b[] = {1.0 / 3, 2.0 / 3, 1.0 / 9};
  for (int s = 1; s < 4; ++s) {
    EXPECT_FLOAT_EQ((*starts)[s][0], static_cast<float>(setup.bounds[0].low + a[s - 1] * aw));
    EXPECT_FLOAT_EQ((*starts)[s][1], static_cast<float>(setup.bounds[1].low + b[s - 1] * bw));
  }
  EXPECT_EQ(checkFitStarts(study, setup, 0).message(), "kolv-fit: --starts must be 1 or more");
  setup.bounds[1] = {0.004, 0.004 + 1e-12};  // no Single between
  EXPECT_NE(checkFitStarts(study, setup, 3).message().find("bounds of beta leave no start"),
            std::string::npos);
}

TEST(FitStatistics, AnExcludedColumnBeforeACollinearPairDropsThePairsSecond) {
  const CovarianceEstimate estimate = covarianceFromJacobian({{0, 0, 0}, {1, 2, 4}, {2, 4, 8}}, 1);
  EXPECT_FALSE(estimate.determined[0]);
  EXPECT_TRUE(estimate.determined[1]);
  EXPECT_FALSE(estimate.determined[2]);
  EXPECT_NEAR(estimate.covariance[1][1], 1.0 / 21, 1e-12);
}

// Betta from elevations of 100 points after 5 sequences (80 compared,
// 1 mm of noise, seed 11), Alpha at its truth: the interval is value +/-
// t(n - p) SE, and bounds that hold the optimum out are met at the high and
// at the low end.
TEST(FitIntervals, DegreesOfFreedomQuantileAndBoundsMeetInTheInterval) {
  KolvState study = testing::exampleStudy(100, 5, 0.0f);
  const Truth truth;
  Noise noise(11);
  const ObservedProfile observed =
      testing::withNoise(testing::exactProfile(study, truth, FitColumn::Elevation), noise, 0.001);
  study.params.Alpha = static_cast<float>(truth.alpha);
  FitSetup setup = setupOf(study, {FitParameter::Beta});
  const FitResult fit = fitStudy(study, setup, observed);
  ASSERT_TRUE(fit.converged) << fit.stopReason;
  EXPECT_EQ(fit.nodes, 80);
  EXPECT_EQ(fit.dof, 79);
  EXPECT_DOUBLE_EQ(fit.tQuantile, studentT975(79));
  const FittedParameter& f = fit.parameters[0];
  EXPECT_NEAR(f.high - f.value, fit.tQuantile * f.stdError, 1e-12 * f.stdError);
  EXPECT_NEAR(f.value - f.low, fit.tQuantile * f.stdError, 1e-12 * f.stdError);
  // The profile of a near-linear response agrees with the Jacobian's.
  ASSERT_TRUE(f.profile.has_value());
  EXPECT_NEAR(f.profile->low, f.low, 0.05 * (f.high - f.low));
  EXPECT_NEAR(f.profile->high, f.high, 0.05 * (f.high - f.low));
  EXPECT_FALSE(f.profileOpenLow || f.profileOpenHigh || f.ambiguous || f.onBound);
  for (const FitBounds bounds : {FitBounds{0.0, 0.002}, FitBounds{0.006, 0.01}}) {
    setup.bounds[0] = bounds;
    const FitResult held = fitStudy(study, setup, observed);
    const FittedParameter& h = held.parameters[0];
    EXPECT_TRUE(h.onBound) << bounds.high;
    EXPECT_TRUE(warned(held, "Betta ended on a bound")) << bounds.high;
    EXPECT_TRUE(bounds.high < truth.beta ? h.profileOpenHigh : h.profileOpenLow) << bounds.high;
  }
}

// Gamma without curvature moves nothing: its profile stays flat, open to
// both bounds.
TEST(FitIntervals, AProfileThatNeverRisesIsOpenToBothBounds) {
  const KolvState study = testing::exampleStudy(100, 5, 0.0f);
  Noise noise(12);
  const ObservedProfile observed =
      testing::withNoise(testing::exactProfile(study, Truth{}, FitColumn::Elevation), noise, 0.001);
  FitOptions options;
  options.starts = 2;
  const FitResult fit =
      fitStudy(study, setupOf(study, {FitParameter::Beta, FitParameter::Gamma}), observed, options);
  const FittedParameter& gamma = fit.parameters[1];
  ASSERT_TRUE(gamma.profile.has_value());
  EXPECT_TRUE(gamma.profileOpenLow && gamma.profileOpenHigh);
  EXPECT_EQ(gamma.profile->low, gamma.bounds.low);
  EXPECT_EQ(gamma.profile->high, gamma.bounds.high);
  const FittedParameter& beta = fit.parameters[0];
  EXPECT_FALSE(beta.profileOpenLow || beta.profileOpenHigh);
  EXPECT_LT(beta.profile->low, beta.value);
  EXPECT_GT(beta.profile->high, beta.value);
}

// Gamma on the layer-1 concentrations has a second basin of the opposite
// sign; where its minimum lies below the profile threshold it is part of
// the profile's set, and the interval reaches over it. Seed 7 and 30
// replicates were fixed before the first run; about one fit in seven
// finds such a minimum, so some must turn up.
TEST(FitIntervals, TheProfileReachesOverEveryMinimumBelowItsThreshold) {
  KolvState study = testing::exampleStudy(100, 5, 4.0f);
  const Truth truth{1.5, 0.004, 0.05};
  const ObservedProfile exact = testing::exactProfile(study, truth, FitColumn::Pl1);
  study.params.Alpha = static_cast<float>(truth.alpha);
  study.params.Beta = static_cast<float>(truth.beta);
  FitSetup setup = setupOf(study, {FitParameter::Gamma});
  setup.column = FitColumn::Pl1;
  Noise noise(7);
  int joined = 0;
  for (int r = 0; r < 30; ++r) {
    const FitResult fit = fitStudy(study, setup, testing::withNoise(exact, noise, 0.2));
    const double threshold = fit.ssr * (1.0 + fit.tQuantile * fit.tQuantile / fit.dof);
    const FittedParameter& g = fit.parameters[0];
    ASSERT_TRUE(g.profile.has_value());
    for (std::size_t m = 1; m < fit.minima.size(); ++m) {
      if (fit.minima[m].ssr > threshold) continue;
      ++joined;
      EXPECT_LE(g.profile->low, fit.minima[m].values[0]) << r;
      EXPECT_GE(g.profile->high, fit.minima[m].values[0]) << r;
      EXPECT_TRUE(warned(fit, "the profile intervals reach over another minimum")) << r;
    }
  }
  EXPECT_GT(joined, 0);
}

TEST(FitBootstrap, SameBitsOnOneAndTwoThreadsAndASeedOfItsOwn) {
  const KolvState study = testing::exampleStudy(100, 5, 0.0f);
  Noise noise(13);
  const ObservedProfile observed =
      testing::withNoise(testing::exactProfile(study, Truth{}, FitColumn::Elevation), noise, 0.001);
  const FitSetup setup = setupOf(study, {FitParameter::Beta});
  FitOptions options;
  options.starts = 1;
  options.profiles = false;
  options.bootstrap = 40;
  options.seed = 5;
  options.threads = 1;
  const FitResult one = fitStudy(study, setup, observed, options);
  options.threads = 2;
  const FitResult two = fitStudy(study, setup, observed, options);
  options.seed = 6;
  const FitResult other = fitStudy(study, setup, observed, options);
  ASSERT_TRUE(one.parameters[0].bootstrap.has_value());
  EXPECT_EQ(one.bootstrapReplicates, 40);
  EXPECT_EQ(one.parameters[0].bootstrap->low, two.parameters[0].bootstrap->low);
  EXPECT_EQ(one.parameters[0].bootstrap->high, two.parameters[0].bootstrap->high);
  EXPECT_NE(one.parameters[0].bootstrap->low, other.parameters[0].bootstrap->low);
  // Percentiles of the replicates: inside the bounds, around the value,
  // about as wide as the Jacobian's interval.
  const FittedParameter& f = one.parameters[0];
  EXPECT_LT(f.bootstrap->low, f.value);
  EXPECT_GT(f.bootstrap->high, f.value);
  EXPECT_NEAR(f.bootstrap->high - f.bootstrap->low, f.high - f.low, 0.4 * (f.high - f.low));
}

}  // namespace
}  // namespace sodwright::kolv
