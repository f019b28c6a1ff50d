// SPDX-License-Identifier: GPL-3.0-or-later
// Ensembles: members drawn from the seed and their index, summarised as
// nearest-rank percentiles. Checked against single runs, a direct sort of the
// members, the thread count, the analytic band of a parameter that enters
// linearly, and the sensitivity line; the summaries over the nodes outside
// the end zones; the partial rank correlation against its recursion.

#include <algorithm>
#include <cmath>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine_test_state.h"
#include "fakes/recording_services.h"
#include "kolv/kolv_commands.h"
#include "kolv/stability/stability_estimate.h"
#include "kolv/study/ensemble_charts.h"
#include "kolv/study/ensemble_csv_writer.h"
#include "kolv/study/ensemble_run.h"
#include "kolv/study/rank_correlation.h"

namespace sodwright::kolv {
namespace {

KolvState hillTransect() {
  testing::EngineTransect shape;
  shape.nodes = 80;
  KolvState state = testing::MakeEngineState(shape, [](int i) {
    testing::PointValues v;
    v.elev = 100 + 2 * std::sin(i * 0.08);
    v.pl1 = 10;
    v.pl2 = 5;
    v.pl3 = 1;
    return v;
  });
  testing::SetSequenceCount(state, 4);
  state.params.TillDirection = kAlternative;
  state.params.DirectionSign = 1;
  return state;
}

VariedParameter vary(const std::string& text) {
  auto parsed = parseVariedParameter(text);
  EXPECT_TRUE(parsed.ok()) << text << ": " << parsed.message();
  return parsed.ok() ? *parsed : VariedParameter{};
}

EnsembleResult run(const KolvState& study, const EnsembleSetup& setup) {
  auto result = runEnsemble(study, setup, 0);
  EXPECT_TRUE(result.ok()) << result.message();
  return result.ok() ? std::move(*result) : EnsembleResult{};
}

// A single run of the study with one member's values, as the window would run it.
KolvState singleRun(const KolvState& study, const std::vector<VariedParameter>& varied,
                    const std::vector<double>& values) {
  KolvState one = study;
  for (std::size_t k = 0; k < varied.size(); ++k)
    applyEnsembleValue(varied[k].parameter, values[k], one.params);
  platform::RecordingMessageService messages;
  EXPECT_TRUE(runKolv(one, messages).compared);
  return one;
}

TEST(Ensemble, ZeroSpreadEqualsTheSingleRunBitForBit) {
  KolvState study = hillTransect();
  study.params.InputAmount = 0.25;
  const double alpha = study.params.Alpha, beta = study.params.Beta;
  EnsembleSetup setup;
  setup.runs = 5;
  setup.varied = {vary("alpha=normal:" + std::to_string(alpha) + ":0"),
                  vary("beta=uniform:" + std::to_string(beta) + ":" + std::to_string(beta)),
                  vary("till-depth=triangular:0.2:0.2:0.2"), vary("input-amount=lognormal:0.25:1")};
  // The texts above round alpha and beta; the study takes the same values.
  applyEnsembleValue(EnsembleParameter::Alpha, setup.varied[0].distribution.a, study.params);
  applyEnsembleValue(EnsembleParameter::Beta, setup.varied[1].distribution.a, study.params);
  const KolvState same = singleRun(study, {}, {});
  const EnsembleResult r = run(study, setup);
  ASSERT_EQ(r.kept, 5u);
  for (int q = 0; q < kQuantityCount; ++q)
    for (int i = 0; i < r.nodes; ++i) {
      const double expected = quantityAt(same, static_cast<EnsembleQuantity>(q), i);
      EXPECT_EQ(r.deterministic[q][i], expected) << q << " " << i;
      for (const auto& band : r.band[q]) EXPECT_EQ(band[i], expected) << q << " " << i;
    }
  EXPECT_EQ(r.meanLossPercentiles.front(), r.meanLossPercentiles.back());
  EXPECT_TRUE(std::isnan(r.sensitivity[0]));  // a constant ranks with nothing
}

TEST(Ensemble, SameBitsOnOneTwoAndThreeThreads) {
  const KolvState study = hillTransect();
  EnsembleSetup setup;
  setup.runs = 24;
  setup.seed = 11;
  setup.varied = {vary("beta=normal:0.003:0.001"), vary("decay1=uniform:0:10"),
                  vary("till-depth=lognormal:0.2:1.2")};
  std::vector<EnsembleResult> results;
  for (int threads : {1, 2, 3}) {
    setup.threads = threads;
    results.push_back(run(study, setup));
  }
  for (std::size_t k = 1; k < results.size(); ++k) {
    EXPECT_EQ(results[k].band, results[0].band) << k + 1 << " threads";
    EXPECT_EQ(results[k].meanLoss, results[0].meanLoss);
    EXPECT_EQ(results[k].maxLoss, results[0].maxLoss);
    EXPECT_EQ(results[k].keptDraws, results[0].keptDraws);
  }
  // The draws follow the seed: another seed moves them.
  setup.seed = 12;
  EXPECT_NE(run(study, setup).keptDraws, results[0].keptDraws);
}

TEST(Ensemble, PercentilesEqualADirectSortOfTheMembers) {
  const KolvState study = hillTransect();
  EnsembleSetup setup;
  setup.runs = 13;
  setup.seed = 5;
  setup.percentiles = {0, 10, 50, 92.5, 100};
  setup.varied = {vary("beta=triangular:0.001:0.003:0.006"), vary("input-amount=uniform:0:3")};
  setup.threads = 2;
  const EnsembleResult r = run(study, setup);
  std::vector<KolvState> members;
  for (std::size_t m = 0; m < setup.runs; ++m)
    members.push_back(singleRun(study, setup.varied, *drawMember(setup.varied, setup.seed, m)));
  for (int q = 0; q < kQuantityCount; ++q)
    for (int i : {0, 17, 40, 79}) {
      std::vector<double> column;
      for (const KolvState& s : members)
        column.push_back(quantityAt(s, static_cast<EnsembleQuantity>(q), i));
      std::sort(column.begin(), column.end());
      // Ranks ceil(p * 13 / 100): 1, 2, 7, 13, 13.
      const std::size_t rank[] = {1, 2, 7, 13, 13};
      for (std::size_t k = 0; k < setup.percentiles.size(); ++k)
        EXPECT_EQ(r.band[q][k][i], column[rank[k] - 1]) << q << " node " << i << " p" << k;
    }
}

TEST(Ensemble, InputAmountBandMatchesTheAnalyticWidth) {
  // The substance amounts are linear in the input amount: M(a) = M(0) + a B.
  // For a uniform on [0, 2] the 5-95 % band is 0.9 * 2 * B wide at every node.
  const KolvState study = hillTransect();
  const VariedParameter input = vary("input-amount=uniform:0:2");
  const KolvState none = singleRun(study, {input}, {0.0}), one = singleRun(study, {input}, {1.0});
  EnsembleSetup setup;
  setup.runs = 400;
  setup.seed = 3;
  setup.varied = {input};
  const EnsembleResult r = run(study, setup);
  std::vector<double> ratios;
  for (EnsembleQuantity q : {kUpMass, kTotalMass, kUpConc})
    for (int i = 0; i < r.nodes; ++i) {
      const double slope = quantityAt(one, q, i) - quantityAt(none, q, i);
      ASSERT_GT(slope, 0) << q << " " << i;
      ratios.push_back((r.band[q][2][i] - r.band[q][0][i]) / slope);
    }
  // The same members sit at the outer ranks at every node ...
  const auto [low, high] = std::minmax_element(ratios.begin(), ratios.end());
  EXPECT_NEAR(*low, *high, 1e-3 * *high);
  // ... and their inputs are 1.8 apart, up to the sampling error of 400 draws.
  EXPECT_NEAR(ratios.front(), 1.8, 0.06);
}

TEST(Ensemble, SensitivityRanksAParameterWithoutInfluenceLast) {
  const KolvState study = hillTransect();
  EnsembleSetup setup;
  setup.runs = 60;
  setup.seed = 9;
  setup.varied = {vary("decay1=uniform:0:20"), vary("beta=uniform:0.001:0.006"),
                  vary("till-depth=uniform:0.15:0.3")};
  for (bool include : {false, true}) {
    setup.includeEndZones = include;
    const EnsembleResult r = run(study, setup);
    ASSERT_EQ(r.sensitivity.size(), 3u);
    ASSERT_EQ(r.partialSensitivity.size(), 3u);
    for (const auto* rho : {&r.sensitivity, &r.partialSensitivity}) {
      EXPECT_LT(std::fabs((*rho)[0]), std::fabs((*rho)[1])) << include;
      EXPECT_LT(std::fabs((*rho)[0]), std::fabs((*rho)[2])) << include;
      EXPECT_GT(std::fabs((*rho)[1]), 0.5) << include;
    }
    // Over the whole transect, end zones included, steeper slopes carry more soil away.
    if (include) {
      EXPECT_GT(r.sensitivity[1], 0.5);
    }
  }
}

TEST(Ensemble, UnstableMembersAreCountedAndDroppedOnRequest) {
  const KolvState study = hillTransect();
  EnsembleSetup setup;
  setup.runs = 16;
  setup.seed = 2;
  setup.varied = {vary("beta=uniform:0.001:0.6"), vary("decay1=uniform:0:5")};
  std::size_t flagged = 0;
  for (std::size_t m = 0; m < setup.runs; ++m) {
    KolvState member = study;
    const std::vector<double> values = *drawMember(setup.varied, setup.seed, m);
    applyEnsembleValue(EnsembleParameter::Beta, values[0], member.params);
    flagged += estimateStability(member).unstable();
  }
  ASSERT_GT(flagged, 0u);
  ASSERT_LT(flagged, setup.runs);
  const EnsembleResult kept = run(study, setup);
  EXPECT_EQ(kept.unstable, flagged);
  EXPECT_EQ(kept.kept, setup.runs);
  setup.dropUnstable = true;
  const EnsembleResult dropped = run(study, setup);
  EXPECT_EQ(dropped.unstable, flagged);
  EXPECT_EQ(dropped.kept, setup.runs - flagged);
  EXPECT_EQ(dropped.meanLoss.size(), setup.runs - flagged);
}

TEST(Ensemble, SummariesLeaveOutTheLastSequencesEndZonesUnlessAsked) {
  const KolvState study = hillTransect();
  EnsembleSetup setup;
  setup.runs = 8;
  setup.seed = 6;
  setup.varied = {vary("beta=uniform:0.001:0.006"), vary("till-depth=uniform:0.15:0.3")};
  std::vector<KolvState> members;
  for (std::size_t m = 0; m < setup.runs; ++m)
    members.push_back(singleRun(study, setup.varied, *drawMember(setup.varied, setup.seed, m)));
  const KolvState own = singleRun(study, {}, {});
  // The zones of sequence L are nodes 0 .. 2L-1 and N-2L .. N-1.
  const int n = study.params.NodeCount, margin = 2 * study.params.LastSeq;
  for (bool include : {false, true}) {
    setup.includeEndZones = include;
    const EnsembleResult r = run(study, setup);
    const int first = include ? 0 : margin, last = include ? n - 1 : n - 1 - margin;
    EXPECT_EQ(r.summary.first, first);
    EXPECT_EQ(r.summary.last, last);
    const auto meanAndMax = [&](const KolvState& s) {
      double sum = 0, most = -1e300;
      for (int i = first; i <= last; ++i) {
        sum += s.results.SoilLoss(i);
        most = std::max(most, static_cast<double>(s.results.SoilLoss(i)));
      }
      return std::pair{sum / (last - first + 1), most};
    };
    std::vector<double> means;
    for (std::size_t m = 0; m < setup.runs; ++m) {
      const auto [mean, most] = meanAndMax(members[m]);
      EXPECT_EQ(r.meanLoss[m], mean) << include << " member " << m;
      EXPECT_EQ(r.maxLoss[m], most) << include << " member " << m;
      means.push_back(mean);
    }
    EXPECT_EQ(r.studyMeanLoss, meanAndMax(own).first) << include;
    EXPECT_EQ(r.studyMaxLoss, meanAndMax(own).second) << include;
    const std::vector<double> partial = partialRankCorrelations(r.keptDraws, means);
    for (std::size_t v = 0; v < setup.varied.size(); ++v) {
      EXPECT_EQ(r.sensitivity[v], rankCorrelation(r.keptDraws[v], means)) << include;
      EXPECT_EQ(r.partialSensitivity[v], partial[v]) << include;
    }
    // The charts are scaled over the same nodes; with the zones included, as always.
    for (ChartKind kind : kAllCharts) {
      EXPECT_EQ(ensembleBand(r, kind).scaleFirst, include ? -1 : first);
      EXPECT_EQ(ensembleBand(r, kind).scaleLast, include ? -1 : last);
    }
    // The CSV flags the zones of the last sequence on every row.
    std::istringstream csv(ensembleCsvText(r));
    std::string line;
    std::getline(csv, line);
    EXPECT_EQ(line.substr(line.rfind(',') + 1), "EndZone\r");
    for (int i = 0; std::getline(csv, line); ++i)
      EXPECT_EQ(line.substr(line.rfind(',') + 1), (i < margin || i >= n - margin) ? "1\r" : "0\r")
          << "node " << i;
  }
}

// Partial correlations of the rank vectors by the recursion on Spearman's
// coefficients, an independent road to the regressions.
double partialOf(const std::vector<std::vector<double>>& v, std::size_t a, std::size_t b,
                 std::vector<std::size_t> given) {
  if (given.empty()) return rankCorrelation(v[a], v[b]);
  const std::size_t c = given.back();
  given.pop_back();
  const double ab = partialOf(v, a, b, given), ac = partialOf(v, a, c, given),
               bc = partialOf(v, b, c, given);
  return (ab - ac * bc) / std::sqrt((1 - ac * ac) * (1 - bc * bc));
}

TEST(Ensemble, PartialRankCorrelationTakesOutTheOtherParametersOnBothSides) {
  std::mt19937_64 random(17);
  std::normal_distribution<double> z;
  std::vector<std::vector<double>> v(4);  // three parameters, then the output
  for (int m = 0; m < 60; ++m) {
    const double u = z(random), w = z(random), e = z(random);
    v[0].push_back(u);
    v[1].push_back(w);
    v[2].push_back(u + 0.7 * e);  // drawn together with the first
    v[3].push_back(std::exp(2 * u + 0.4 * w) + 0.3 * z(random));
  }
  const std::vector<double> out = v[3];
  const std::vector<double> prcc = partialRankCorrelations({v[0], v[1], v[2]}, out);
  ASSERT_EQ(prcc.size(), 3u);
  for (std::size_t j = 0; j < 3; ++j) {
    std::vector<std::size_t> others;
    for (std::size_t k = 0; k < 3; ++k)
      if (k != j) others.push_back(k);
    EXPECT_NEAR(prcc[j], partialOf(v, j, 3, others), 1e-12) << j;
  }
  // Alone, the partial is Spearman's; a constant is NaN and takes nothing out.
  EXPECT_NEAR(partialRankCorrelations({v[2]}, out)[0], rankCorrelation(v[2], out), 1e-12);
  const std::vector<double> withConstant =
      partialRankCorrelations({v[2], std::vector<double>(60, 1.5)}, out);
  EXPECT_NEAR(withConstant[0], rankCorrelation(v[2], out), 1e-12);
  EXPECT_TRUE(std::isnan(withConstant[1]));
}

TEST(EnsembleDraws, DistributionsHaveTheirStatedShape) {
  const auto sample = [](const std::string& text) {
    const VariedParameter v = vary(text);
    std::vector<double> values;
    for (std::size_t m = 0; m < 5000; ++m) values.push_back((*drawMember({v}, 42, m))[0]);
    std::sort(values.begin(), values.end());
    return values;
  };
  const auto mean = [](const std::vector<double>& v) {
    double s = 0;
    for (double x : v) s += x;
    return s / static_cast<double>(v.size());
  };
  const std::vector<double> normal = sample("alpha=normal:2:0.5");
  double var = 0;
  for (double x : normal) var += (x - mean(normal)) * (x - mean(normal));
  EXPECT_NEAR(mean(normal), 2, 0.03);
  EXPECT_NEAR(std::sqrt(var / 5000), 0.5, 0.02);
  const std::vector<double> lognormal = sample("gamma=lognormal:3:2");
  EXPECT_NEAR(lognormal[2500], 3, 0.12);                    // the median
  EXPECT_NEAR(lognormal[4207] / lognormal[2500], 2, 0.12);  // one GSD above it (84.1 %)
  const std::vector<double> triangular = sample("beta=triangular:1:2:6");
  EXPECT_NEAR(mean(triangular), 3, 0.05);
  EXPECT_GE(triangular.front(), 1);
  EXPECT_LE(triangular.back(), 6);
  EXPECT_NEAR(triangular[1000], 2, 0.1);  // F(mode) = (2 - 1) / (6 - 1)
  const std::vector<double> uniform = sample("decay2=uniform:10:30");
  EXPECT_NEAR(uniform[1250], 15, 0.3);
  // Draws outside the range are drawn again; none left there.
  const std::vector<double> depth = sample("till-depth=normal:0.05:0.1");
  EXPECT_GT(depth.front(), 0);
  const auto refused = drawMember({vary("till-depth=normal:-1:0.01")}, 1, 0);
  ASSERT_FALSE(refused.ok());
  EXPECT_NE(refused.message().find("till-depth"), std::string::npos) << refused.message();
}

// A member takes its value on the kMaxDraws-th draw at the latest: the
// first members (seed 7) whose first draw in range is the 100th and the
// 101st, found by the same stream, are taken and refused.
TEST(EnsembleDraws, AValueIsTakenOnTheLastAllowedDrawAndNotOneLater) {
  const VariedParameter depth = vary("till-depth=normal:-1:0.43");  // about 1 % above 0
  std::size_t onLast = 0, oneLater = 0;
  for (std::size_t m = 0; m < 20000 && (onLast == 0 || oneLater == 0); ++m) {
    std::mt19937_64 generator(memberSeed(7, m));
    int draws = 1;
    while (!inEnsembleRange(depth.parameter, drawValue(depth.distribution, generator))) ++draws;
    if (draws == kMaxDraws && onLast == 0) onLast = m;
    if (draws == kMaxDraws + 1 && oneLater == 0) oneLater = m;
  }
  ASSERT_GT(onLast * oneLater, 0u);
  EXPECT_TRUE(drawMember({depth}, 7, onLast).ok());
  EXPECT_FALSE(drawMember({depth}, 7, oneLater).ok());
}

TEST(EnsembleInput, BadTextsAreRefusedWithTheirReason) {
  const std::pair<const char*, const char*> refused[] = {
      {"depth=normal:1:1", "unknown parameter"},
      {"alpha=gauss:1:1", "unknown distribution"},
      {"alpha=normal:1:-0.1", "SD must be >= 0"},
      {"alpha=uniform:2:1", "LO must not exceed HI"},
      {"alpha=triangular:1:3:2", "LO <= MODE <= HI"},
      {"alpha=lognormal:1:0.5", "GSD must be >= 1"},
      {"alpha=lognormal:0:2", "MEDIAN must be > 0"},
      {"alpha=normal:1", "expected normal:MEAN:SD"},
      {"alpha=normal:1:x", "is not a finite number"},
      {"alpha", "expected NAME=DIST"},
  };
  for (const auto& [text, reason] : refused) {
    const auto parsed = parseVariedParameter(text);
    ASSERT_FALSE(parsed.ok()) << text;
    EXPECT_NE(parsed.message().find(reason), std::string::npos) << text << ": " << parsed.message();
  }
  EXPECT_TRUE(parseVariedParameter("alpha=normal:1:0").ok());
  EXPECT_TRUE(parseVariedParameter("alpha=uniform:1:1").ok());
  for (const char* text : {"5,101", "-1,50", "50,5", "5,5", "5,,95", "a"})
    EXPECT_FALSE(parsePercentiles(text).ok()) << text;
  EXPECT_EQ(*parsePercentiles("0,2.5,100"), (std::vector<double>{0, 2.5, 100}));
  // Every whole percent is taken; one more is refused with the cap named.
  std::string whole = "0";
  for (int p = 1; p <= 100; ++p) whole += "," + std::to_string(p);
  EXPECT_EQ(parsePercentiles(whole)->size(), 101u);
  const auto tooMany = parsePercentiles("0,0.5," + whole.substr(2));
  ASSERT_FALSE(tooMany.ok());
  EXPECT_NE(tooMany.message().find("at most 101 percentiles"), std::string::npos)
      << tooMany.message();
}

TEST(EnsembleInput, AnEnsembleBeyondTheMemoryIsRefusedWithItsBound) {
  const KolvState study = hillTransect();
  const std::uint64_t room = ensembleBytes(study, 100, 2, 3);
  EXPECT_TRUE(checkEnsembleMemory(study, 100, 2, 3, room).ok());
  const auto refused = checkEnsembleMemory(study, 101, 2, 3, room);
  ASSERT_FALSE(refused.ok());
  EXPECT_NE(refused.message().find("at most 100 members fit"), std::string::npos)
      << refused.message();
  EnsembleSetup setup;
  setup.runs = 101;
  setup.threads = 3;
  setup.varied = {vary("alpha=normal:0.3:0.1"), vary("beta=normal:0.003:0")};
  EXPECT_FALSE(runEnsemble(study, setup, room).ok());
}

}  // namespace
}  // namespace sodwright::kolv
