// SPDX-License-Identifier: GPL-3.0-or-later
// Long random runs: random but valid transects, written as text with one of
// the five delimiters and imported through the real reader, run with random
// parameters typed through the window checks (every direction, decay, input),
// compared, and written. Every run must conserve soil and (with decay and
// input off) substance, keep every value finite, and write files that read
// back. SODWRIGHT_SOAK_RUNS raises the count; the seed is fixed.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>

#include "base/number_text.h"
#include "base/text/text_file.h"
#include "fakes/recording_services.h"
#include "kolv/io/compare_report_writer.h"
#include "kolv/io/last_sequence_writer.h"
#include "kolv/io/transect_import.h"
#include "kolv/kolv_commands.h"
#include "kolv/parameter_checks.h"
#include "support/soak_support.h"

namespace sodwright::kolv {
namespace {

namespace fs = std::filesystem;

using sodwright::testing::fixed;
using sodwright::testing::soakRuns;

// One random study: the file's values and the parameters to type.
struct Study {
  char delimiter = '\t';
  int fileSeq = 0, seqCount = 1, direction = 0, nodes = 0;
  double interval = 1, distrDistance = 1, tillDepth = 0.2, scScale = 0;
  bool decayAndInput = false;
  std::string text;  // the transect data file
};

// Nodes whose slope, curvature or incoming soil may change in a pass: the
// interior and up to D + k + 2 nodes into each shoulder per pass. Flat
// shoulders wider than that keep both ends level, so the soil a pass carries
// in over the upstream edge of its range equals what it carries out over the
// downstream edge, and substance placed only in the interior stays inside.
Study makeStudy(std::mt19937& random) {
  auto uniform = [&](double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(random);
  };
  auto integer = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  static const char kDelimiters[] = {'\t', ' ', ',', ';', '|'};
  Study s;
  s.delimiter = kDelimiters[integer(0, 4)];
  s.fileSeq = integer(0, 3);
  s.seqCount = integer(1, 8);
  s.direction = integer(0, 2);
  s.decayAndInput = integer(0, 1) == 1;
  s.interval = std::round(uniform(0.5, 3.0) * 100) / 100;
  const int distrNodes = integer(0, 4);
  s.distrDistance = std::round((distrNodes + uniform(0.1, 0.9)) * s.interval * 100) / 100;
  s.tillDepth = std::round(uniform(0.1, 0.3) * 1000) / 1000;
  s.scScale = integer(0, 1) == 0 ? 0.0 : std::floor(uniform(0, s.distrDistance) * 100) / 100;
  const int span = std::max(1, static_cast<int>(s.scScale / s.interval / 2));
  const int passes = s.seqCount + 1;
  const int lastSeq = s.fileSeq + s.seqCount;
  const int shoulder = passes * (distrNodes + span + 2) + 2 * (lastSeq + 1) + 4;
  const int interior = integer(5, 120);
  s.nodes = 2 * shoulder + interior;

  const std::string d(1, s.delimiter);
  std::string& t = s.text;
  const std::string end = integer(0, 1) == 0 ? "\r\n" : "\n";
  t += "Sequence=" + d + std::to_string(s.fileSeq) + d + "DataPoints:" + d +
       std::to_string(s.nodes) + end;
  t += "DistributionDistance=" + d + fixed(s.distrDistance, 2) + d + "m" + d + "Interval=" + d +
       fixed(s.interval, 2) + d + "m" + end;
  t += "Lamda=" + d + fixed(uniform(0, 0.5), 4) + d + "+" + d + fixed(uniform(0, 0.01), 5) + d +
       "*SG+" + d + fixed(uniform(0, 0.05), 4) + d + "*SC" + end;
  t += "Tillage_Depth=" + d + fixed(s.tillDepth, 3) + d + "m" + end;
  t += "BD1=" + d + fixed(uniform(1100, 1600), 1) + d + "kg/m3" + d + "BD2=" + d +
       fixed(uniform(1100, 1600), 1) + d + "kg/m3" + d + "BD3=" + d +
       fixed(uniform(1100, 1700), 1) + d + "kg/m3" + end;
  t += end;
  t += "P1" + d + "P2" + d + "P3" + d + "L1" + d + "L2" + d + "Z" + end;
  t += "mg/kg" + d + "mg/kg" + d + "mg/kg" + d + "m" + d + "m" + d + "m" + end;
  double elevation = uniform(50, 500);
  for (int i = 0; i < s.nodes; ++i) {
    const bool inside = i >= shoulder && i < shoulder + interior;
    if (inside && i > shoulder) elevation -= uniform(-0.08, 0.12) * s.interval;
    const double pl1 = inside ? uniform(0, 50) : 0.0;
    const double pl2 = inside ? uniform(0, 20) : 0.0;
    // Layer-3 substance only where the substance balance is not checked.
    const double pl3 = s.decayAndInput ? uniform(0, 5) : 0.0;
    const double depth1 = uniform(0.05, 0.35);
    const double depth2 = integer(0, 4) == 0 ? 0.0 : uniform(0.0, 0.4);
    t += fixed(pl1, 6) + d + fixed(pl2, 6) + d + fixed(pl3, 6) + d + fixed(depth1, 4) + d +
         fixed(depth2, 4) + d + fixed(elevation, 6) + end;
  }
  return s;
}

// The parameter window's boxes, typed as a user would.
void typeParameters(KolvState& state, const Study& s, std::mt19937& random) {
  auto uniform = [&](double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(random);
  };
  ASSERT_TRUE(checkSeqCount(state, std::to_string(s.seqCount)).ok());
  chooseTillDirection(state, s.direction);
  ASSERT_TRUE(checkScScale(state, fixed(s.scScale, 2)).ok());
  ASSERT_TRUE(checkSgWeightFront(state, fixed(uniform(0.1, 1), 2)).ok());
  ASSERT_TRUE(checkSgWeightBack(state, fixed(uniform(0, 1), 2)).ok());
  ASSERT_TRUE(checkUpLayerDepthParameter(state, fixed(uniform(0.05, 0.3), 3)).ok());
  ASSERT_TRUE(checkSubLayerDepthParameter(state, fixed(uniform(0, 0.3), 3)).ok());
  if (!s.decayAndInput) return;
  ASSERT_TRUE(setDecayRate1Percent(state, fixed(uniform(0, 10), 2)).ok());
  ASSERT_TRUE(setDecayRate2Percent(state, fixed(uniform(0, 10), 2)).ok());
  ASSERT_TRUE(
      checkInputFrequency(state, std::to_string(1 + static_cast<int>(uniform(0, s.seqCount))))
          .ok());
  ASSERT_TRUE(setInputAmount(state, fixed(uniform(0, 0.02), 4)).ok());
}

// Soil: what each pass wrote, against the column it read. In a backward pass
// the mirror image was computed, so its range lies one node lower.
void expectSoilConserved(const KolvState& state, int firstSign) {
  const auto& p = state.params;
  const int d = p.DistrNodes;
  int sign = firstSign;
  for (int s = p.StartSeq; s <= p.LastSeq; ++s) {
    const int lower = sign > 0 ? -d - 5 : -d - 6;
    const int upper = sign > 0 ? p.NodeCount + d + 5 : p.NodeCount + d + 4;
    double change = 0, scale = 0;
    for (int i = lower; i <= upper; ++i) {
      change += (state.data.Elev(i, s + 1) - state.data.Elev(i, s)) * p.Interval;
      scale += std::fabs(state.data.Elev(i, s)) * p.Interval;
    }
    EXPECT_NEAR(change, 0.0, 1e-11 * scale) << "soil balance of the pass of sequence " << s;
    if (p.TillDirection == kAlternative) sign = -sign;
  }
}

double substanceAt(const KolvState& state, int s) {
  double sum = 0;
  for (int i = 0; i < state.params.NodeCount; ++i)
    sum += state.data.MassL1(i, s) + state.data.MassL2(i, s);
  return sum;
}

void expectFinite(const KolvState& state) {
  const auto& p = state.params;
  const auto& t = state.data;
  for (int s = p.StartSeq; s <= p.LastSeq + 1; ++s)
    for (int i = 0; i < p.NodeCount; ++i)
      ASSERT_TRUE(std::isfinite(t.Elev(i, s)) && std::isfinite(t.PL1(i, s)) &&
                  std::isfinite(t.PL2(i, s)) && std::isfinite(t.DepthL1(i, s)) &&
                  std::isfinite(t.DepthL2(i, s)) && std::isfinite(t.MassL1(i, s)) &&
                  std::isfinite(t.MassL2(i, s)) && std::isfinite(t.MassL12(i, s)))
          << "node " << i << " sequence " << s;
  const auto& r = state.results;
  for (int i = 0; i < p.NodeCount; ++i)
    ASSERT_TRUE(std::isfinite(r.DeltaElev(i)) && std::isfinite(r.SoilLoss(i)) &&
                std::isfinite(valueOrZero(r.UpMassLast(i))) &&
                std::isfinite(valueOrZero(r.UpConcLast(i))) &&
                std::isfinite(valueOrZero(r.SubMassLast(i))) && std::isfinite(r.SubConcLast(i)))
        << "comparison at node " << i;
}

// The last-sequence file imports again to the values of the written sequence.
void expectLastSequenceReadsBack(const KolvState& state, const std::string& path) {
  const Int16 seq = state.params.LastSeqShown;
  ASSERT_TRUE(writeLastSequenceFile(path, state, seq).ok());
  KolvState again;
  const base::Result<> result = importTransectText(again, path, '\t');
  ASSERT_TRUE(result.ok()) << result.message();
  ASSERT_EQ(again.params.FileSeqNo, seq);
  ASSERT_EQ(again.params.NodeCount, state.params.NodeCount);
  for (int i = 0; i < state.params.NodeCount; ++i) {
    ASSERT_NEAR(again.data.Elev(i, seq), state.data.Elev(i, seq), 5.1e-7);
    ASSERT_NEAR(again.data.DepthL1(i, seq), state.data.DepthL1(i, seq), 5.1e-5);
    ASSERT_NEAR(again.data.PL1(i, seq), state.data.PL1(i, seq),
                5.1e-7 + 1e-15 * state.data.PL1(i, seq));
  }
}

// The comparison report: one tab-separated line of 22 numbers per point,
// whose elevation change agrees with the elevations beside it.
void expectReportReadsBack(const KolvState& state, Int16 first, Int16 last,
                           const std::string& path) {
  ASSERT_TRUE(writeCompareReportFile(path, state, first, last, "8/12/2026").ok());
  const auto lines = base::readTextLines(path);
  ASSERT_TRUE(lines.ok());
  const int n = state.params.NodeCount;
  ASSERT_GE(static_cast<int>(lines->size()), n);
  for (int i = 0; i < n; ++i) {
    const auto fields =
        base::splitFields((*lines)[lines->size() - static_cast<std::size_t>(n - i)], '\t');
    ASSERT_EQ(fields.size(), 22u) << "report line of point " << i;
    std::vector<double> v;
    for (const auto& field : fields) {
      const auto number = base::parseStrictNumber(field);
      ASSERT_TRUE(number.has_value()) << "\"" << field << "\" in the line of point " << i;
      v.push_back(*number);
    }
    EXPECT_NEAR(v[5], state.data.Elev(i, first), 5.1e-5);
    EXPECT_NEAR(v[14], state.data.Elev(i, last), 5.1e-5);
    EXPECT_NEAR(v[20], v[14] - v[5], 2.1e-4);
  }
}

TEST(KolvSoak, RandomStudiesConserveSoilAndSubstanceAndWriteFilesThatReadBack) {
  const int runs = soakRuns(300);
  std::mt19937 random(20261208);
  const fs::path dir =
      fs::temp_directory_path() / ("sodwright-kolv-soak-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  int substanceChecked = 0;
  int directions[3] = {0, 0, 0};
  for (int run = 0; run < runs; ++run) {
    SCOPED_TRACE("run " + std::to_string(run));
    const Study study = makeStudy(random);
    const std::string input = (dir / "transect.txt").string();
    ASSERT_TRUE(base::writeWholeFile(input, study.text).ok());
    KolvState state;
    const base::Result<> imported = importTransectText(state, input, study.delimiter);
    ASSERT_TRUE(imported.ok()) << imported.message();
    typeParameters(state, study, random);
    if (::testing::Test::HasFatalFailure()) return;

    const int firstSign = state.params.DirectionSign;
    platform::RecordingMessageService messages;
    const CommandOutcome outcome = runKolv(state, messages);
    ASSERT_TRUE(outcome.simulated && outcome.compared)
        << (messages.shown.empty() ? "" : messages.shown[0].text);
    ++directions[study.direction];

    expectSoilConserved(state, firstSign);
    if (!study.decayAndInput) {
      ++substanceChecked;
      // The run forms the amounts of its starting column from the concentrations.
      const double initial = substanceAt(state, state.params.StartSeq);
      for (int s = state.params.StartSeq + 1; s <= state.params.LastSeq + 1; ++s)
        EXPECT_NEAR(substanceAt(state, s), initial, 1e-5 * initial)
            << "substance at sequence " << s;
    }
    expectFinite(state);

    // Another pair compared, as the main window's Redraw does.
    std::uniform_int_distribution<int> pick(state.params.StartSeq, state.params.LastSeq);
    state.params.FirstSeqShown = static_cast<Int16>(pick(random));
    state.params.LastSeqShown = static_cast<Int16>(state.params.FirstSeqShown + 1);
    ASSERT_TRUE(redraw(state, messages).compared);
    expectFinite(state);
    expectLastSequenceReadsBack(state, (dir / "last.txt").string());
    expectReportReadsBack(state, state.params.FirstSeqShown, state.params.LastSeqShown,
                          (dir / "report.txt").string());
    if (::testing::Test::HasFatalFailure()) return;
  }
  fs::remove_all(dir);
  std::printf(
      "KOLV soak: %d runs (%d forward, %d backward, %d alternative), substance balance checked in "
      "%d\n",
      runs, directions[0], directions[1], directions[2], substanceChecked);
  EXPECT_GT(substanceChecked, 0);
}

}  // namespace
}  // namespace sodwright::kolv
