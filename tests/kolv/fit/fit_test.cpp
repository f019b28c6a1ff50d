// SPDX-License-Identifier: GPL-3.0-or-later
// Fitting KOLV coefficients: known coefficients are recovered from noisy
// measurements within their intervals, from near and from far starts; a
// coefficient without influence is named as not determined; the statistics
// and the refusals of bad setups.

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "kolv/fit/fit_figure.h"
#include "kolv/fit/fit_solver.h"
#include "kolv/fit/fit_statistics.h"
#include "kolv/fit/fit_test_study.h"

namespace sodwright::kolv {
namespace {

using testing::Noise;
using testing::Truth;

FitSetup setupOf(const KolvState& study, std::vector<FitParameter> parameters, FitColumn column) {
  FitSetup setup;
  setup.column = column;
  for (FitParameter p : parameters) {
    setup.parameters.push_back(p);
    setup.bounds.push_back(defaultBounds(p, study.params));
  }
  return setup;
}

void expectCovers(const FittedParameter& fitted, double truth) {
  const std::string name(fitParameterName(fitted.parameter));
  EXPECT_TRUE(fitted.determined) << name;
  EXPECT_LE(fitted.low, truth) << name;
  EXPECT_GE(fitted.high, truth) << name;
}

// A 95 % interval misses the truth for about one seed in twenty (the
// coverage test checks that rate); the seeds here are fixed ones whose
// intervals hold it. Three coefficients from elevations with 1 mm of noise,
// curvature on; the far start lies on the same side of the bend that the
// soft lower limit of the translocation distance (1.1 dx) puts into the
// response: across it the sum of squares can have a second minimum.
TEST(FitRecovery, ElevationNoiseGivesTheTruthWithinItsIntervalsFromNearAndFar) {
  const KolvState study = testing::exampleStudy(300, 10, 4.0f);
  const Truth truth;
  Noise noise(1);
  const ObservedProfile observed =
      testing::withNoise(testing::exactProfile(study, truth, FitColumn::Elevation), noise, 0.001);
  const FitSetup setup = setupOf(
      study, {FitParameter::Alpha, FitParameter::Beta, FitParameter::Gamma}, FitColumn::Elevation);

  const FitResult near = fitStudy(study, setup, observed);
  ASSERT_TRUE(near.converged) << near.stopReason;
  ASSERT_EQ(near.parameters.size(), 3u);
  expectCovers(near.parameters[0], truth.alpha);
  expectCovers(near.parameters[1], truth.beta);
  expectCovers(near.parameters[2], truth.gamma);
  EXPECT_EQ(near.nodes, 300 - 2 * 20);
  EXPECT_NEAR(near.rmse, 0.001, 0.0002);  // the noise, not a misfit
  for (const FittedParameter& f : near.parameters) EXPECT_FALSE(f.onBound);

  KolvState far = study;
  far.params.Alpha = 0.02f;
  far.params.Beta = 0.012f;
  far.params.Gamma = 0.3f;
  const FitResult fromFar = fitStudy(far, setup, observed);
  ASSERT_TRUE(fromFar.converged) << fromFar.stopReason;
  for (std::size_t k = 0; k < 3; ++k)
    EXPECT_NEAR(fromFar.parameters[k].value, near.parameters[k].value,
                0.1 * near.parameters[k].stdError)
        << fitParameterName(near.parameters[k].parameter);
}

// One coefficient from layer-1 concentrations: the profile interval holds
// the truth as well.
TEST(FitRecovery, ConcentrationNoiseGivesBettaWithinBothIntervals) {
  const KolvState study = testing::exampleStudy(200, 8, 0.0f);
  const Truth truth;
  Noise noise(3);
  const ObservedProfile observed =
      testing::withNoise(testing::exactProfile(study, truth, FitColumn::Pl1), noise, 0.2);
  KolvState start = study;
  start.params.Alpha = static_cast<float>(truth.alpha);
  const FitResult fit =
      fitStudy(start, setupOf(study, {FitParameter::Beta}, FitColumn::Pl1), observed);
  ASSERT_TRUE(fit.converged) << fit.stopReason;
  expectCovers(fit.parameters[0], truth.beta);
  ASSERT_TRUE(fit.parameters[0].profile.has_value());
  EXPECT_LE(fit.parameters[0].profile->low, truth.beta);
  EXPECT_GE(fit.parameters[0].profile->high, truth.beta);
  EXPECT_LT(fit.parameters[0].profile->low, fit.parameters[0].value);
  EXPECT_GT(fit.parameters[0].profile->high, fit.parameters[0].value);
}

TEST(FitDetermination, GammaWithoutCurvatureIsNamedNotDetermined) {
  const KolvState study = testing::exampleStudy(150, 5, 0.0f);
  Noise noise(3);
  const ObservedProfile observed =
      testing::withNoise(testing::exactProfile(study, Truth{}, FitColumn::Elevation), noise, 0.001);
  const FitResult fit = fitStudy(
      study, setupOf(study, {FitParameter::Beta, FitParameter::Gamma}, FitColumn::Elevation),
      observed);
  EXPECT_TRUE(fit.parameters[0].determined);
  EXPECT_FALSE(fit.parameters[1].determined);
  EXPECT_EQ(fit.parameters[1].value, study.params.Gamma);  // not a wander on a flat sum
  bool named = false;
  for (const std::string& w : fit.warnings)
    named = named || w.rfind("Gamma is not determined", 0) == 0;
  EXPECT_TRUE(named);
}

TEST(FitStatistics, TQuantileAndCovarianceFromJacobian) {
  // Tabled 0.975 quantiles of Student's t.
  EXPECT_NEAR(studentT975(3), 3.182446, 4e-3);
  EXPECT_NEAR(studentT975(10), 2.228139, 1e-5);
  EXPECT_NEAR(studentT975(30), 2.042272, 1e-6);
  EXPECT_NEAR(studentT975(1000), 1.962339, 1e-6);
  // A straight line y = a + b x over x = 0, 1, 2, 3: (J'J)^-1 is known.
  const JacobianColumns columns{{1, 1, 1, 1}, {0, 1, 2, 3}};
  const CovarianceEstimate estimate = covarianceFromJacobian(columns, 2.0);
  ASSERT_TRUE(estimate.determined[0] && estimate.determined[1]);
  EXPECT_NEAR(estimate.covariance[0][0], 2.0 * 0.7, 1e-12);
  EXPECT_NEAR(estimate.covariance[1][1], 2.0 * 0.2, 1e-12);
  EXPECT_NEAR(estimate.covariance[0][1], 2.0 * -0.3, 1e-12);
  // A column that repeats another is dropped, not inverted.
  const CovarianceEstimate repeated = covarianceFromJacobian({{1, 2, 3}, {2, 4, 6}}, 1.0);
  EXPECT_TRUE(repeated.determined[0]);
  EXPECT_FALSE(repeated.determined[1]);
}

// Every end of the defined ranges and the default bounds, at an interval of
// 0.5 m where dx and dx2 differ: each scales with the power of dx its unit
// takes (the help's "alpha 0 to 25 dx, beta -dx to dx, gamma -10 dx2 ...").
TEST(FitSetupRefusals, RangesAndBoundsScaleWithTheInterval) {
  TranslocationParameters params;
  params.Interval = 0.5f;
  struct Row {
    FitParameter parameter;
    FitBounds defined, defaults;
  };
  for (const Row& row : {Row{FitParameter::Alpha, {0, 12.5}, {0, 12.5}},
                         Row{FitParameter::Beta, {-0.5, 0.5}, {-0.05, 0.05}},
                         Row{FitParameter::Gamma, {-2.5, 2.5}, {-0.25, 0.25}},
                         Row{FitParameter::TillDepth, {0.001, 2}, {0.01, 1}}}) {
    SCOPED_TRACE(std::string(fitParameterName(row.parameter)));
    const FitBounds defined = definedRange(row.parameter, params);
    const FitBounds defaults = defaultBounds(row.parameter, params);
    EXPECT_DOUBLE_EQ(defined.low, row.defined.low);
    EXPECT_DOUBLE_EQ(defined.high, row.defined.high);
    EXPECT_DOUBLE_EQ(defaults.low, row.defaults.low);
    EXPECT_DOUBLE_EQ(defaults.high, row.defaults.high);
  }
}

TEST(FitSetupRefusals, BadNamesBoundsAndObservedFilesAreRefusedWithTheReason) {
  const KolvState study = testing::exampleStudy(300, 10, 0.0f);
  const auto refusal = [&](std::vector<std::string> names, std::vector<std::string> bounds) {
    const auto setup = makeFitSetup(study.params, names, bounds, FitColumn::Elevation);
    return setup ? std::string() : setup.message();
  };
  EXPECT_NE(refusal({"delta"}, {}).find("unknown parameter \"delta\""), std::string::npos);
  EXPECT_NE(refusal({"beta", "beta"}, {}).find("names beta twice"), std::string::npos);
  EXPECT_NE(refusal({"beta"}, {"beta=0.1:0.01"}).find("LO must be below HI"), std::string::npos);
  EXPECT_NE(refusal({"beta"}, {"beta=0.1:0.1"}).find("LO must be below HI"), std::string::npos);
  EXPECT_NE(refusal({"alpha"}, {"alpha=-1:3"}).find("where runs are defined"), std::string::npos);
  EXPECT_NE(refusal({"alpha"}, {"beta=0:1"}).find("which --fit does not name"), std::string::npos);
  const auto taken =
      makeFitSetup(study.params, {"gamma", "alpha"}, {"alpha=0.1:2"}, FitColumn::Elevation);
  ASSERT_TRUE(taken.ok());
  EXPECT_EQ(taken->bounds[1].low, 0.1);
  EXPECT_EQ(taken->bounds[0].high, 1.0);  // gamma's default, dx = 1 m

  KolvState later = study;
  later.params.FileSeqNo = 10;
  later.params.Interval = 2.0f;
  EXPECT_NE(observedProfile(study, later, FitColumn::Elevation).message().find("interval is 2 m"),
            std::string::npos);
  later.params.Interval = study.params.Interval;
  later.params.FileSeqNo = study.params.FileSeqNo;
  EXPECT_NE(observedProfile(study, later, FitColumn::Elevation).message().find("not after"),
            std::string::npos);

  std::vector<std::string> lines(8, "header");
  lines.push_back("1\t2\t3\t0.2\t0.1\t100.5");
  lines.push_back("1\t2\t3\t0.2\t0.1\tnan");
  EXPECT_EQ(checkObservedRows(lines, '\t', 2, FitColumn::Elevation).message(),
            "kolv-fit: observed file line 10: the elevation value \"nan\" is not a finite number");
  EXPECT_TRUE(checkObservedRows(lines, '\t', 2, FitColumn::Pl1).ok());
  EXPECT_NE(checkObservedRows(lines, '\t', 3, FitColumn::Pl1).message().find("line 11: missing"),
            std::string::npos);

  KolvState shortStudy = study;
  shortStudy.params.NodeCount = 40;
  EXPECT_NE(reachObservedSequence(shortStudy, 10).message().find("no point is left"),
            std::string::npos);
}

}  // namespace
}  // namespace sodwright::kolv

namespace sodwright::kolv {
namespace {

TEST(FitFigure, ObservedPointsFittedLineAndResidualBarsOverShadedEndZones) {
  FitResult result;
  result.residuals = {
      {0, 0.0, 10.0, 10.5, true}, {1, 1.0, 9.0, 8.5, false}, {2, 2.0, 8.0, 8.0, false}};
  FitReportContext context;
  context.observedSequence = 4;
  const platform::Figure figure = fitFigure(result, context);
  const platform::Rgba observed{30, 90, 200, 255}, simulated{200, 40, 40, 255},
      zone{235, 235, 235, 255};
  int markers = 0, segments = 0, zones = 0, bars = 0;
  double upBar = 0, flatBar = -1;
  for (const platform::FigureOp& op : figure.ops) {
    if (op.kind == platform::FigureOp::Kind::Rect && op.colour == observed && op.w == 4) ++markers;
    if (op.kind == platform::FigureOp::Kind::Rect && op.colour == zone && op.h > 20) ++zones;
    if (op.kind == platform::FigureOp::Kind::Line && op.colour == simulated && op.lineWidth < 2)
      ++segments;
    if (op.kind == platform::FigureOp::Kind::Line && op.x == op.x2 && op.colour == observed) {
      ++bars;
      if (bars == 1) upBar = op.y - op.y2;  // point 1: observed above simulated
      if (bars == 2) flatBar = std::abs(op.y - op.y2);
    }
  }
  EXPECT_EQ(markers, 3);
  EXPECT_EQ(segments, 2);
  EXPECT_EQ(zones, 2);  // the one end-zone point, in both panels
  EXPECT_EQ(bars, 2);   // the end-zone bar is grey
  EXPECT_GT(upBar, 0.0);
  EXPECT_EQ(flatBar, 0.0);
}

}  // namespace
}  // namespace sodwright::kolv
