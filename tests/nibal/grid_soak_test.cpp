// SPDX-License-Identifier: GPL-3.0-or-later
// Long random runs of the grid model: random but valid grids written as text
// with one of the five delimiters, imported through "Import Data" and the
// delimiter dialog's step, run with random coefficients through "Run NIBAL",
// and the report read back: one table line per node, the node's elevation,
// finite results and a sum that is the two directions' sum.
// SODWRIGHT_SOAK_RUNS raises the count; the seed is fixed.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>

#include "base/number_text.h"
#include "base/text/text_file.h"
#include "fakes/recording_services.h"
#include "nibal/grid_commands.h"
#include "nibal/grid_report.h"
#include "support/soak_support.h"

namespace sodwright::nibal {
namespace {

namespace fs = std::filesystem;

using sodwright::testing::fixed;
using sodwright::testing::soakRuns;

std::vector<std::string> blankSplit(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

TEST(GridSoak, RandomGridsImportRunAndReportEveryNode) {
  const int runs = soakRuns(200);
  std::mt19937 random(20261208);
  auto uniform = [&](double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(random);
  };
  auto integer = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  static const char kDelimiters[] = {'\t', ' ', ',', ';', '|'};
  const fs::path dir =
      fs::temp_directory_path() / ("sodwright-grid-soak-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string input = (dir / "grid.txt").string();
  const std::string report = (dir / "report.txt").string();
  long long nodes = 0;
  for (int run = 0; run < runs; ++run) {
    SCOPED_TRACE("run " + std::to_string(run));
    const int rows = integer(4, 30);
    const int columns = integer(4, 30);
    const char delimiter = kDelimiters[integer(0, 4)];
    const bool textCoordinates = integer(0, 3) == 0;
    const std::string d(1, delimiter);
    std::vector<double> elevations;
    std::string text;
    const double tiltRow = uniform(-0.1, 0.1), tiltColumn = uniform(-0.1, 0.1);
    for (int r = 1; r <= rows; ++r) {
      for (int c = 1; c <= columns; ++c) {
        const double z =
            std::round((100 + tiltRow * c + tiltColumn * r + uniform(-0.5, 0.5)) * 1000) / 1000;
        elevations.push_back(z);
        const std::string east =
            textCoordinates ? "E" + std::to_string(c) : fixed(500000 + 2.5 * c, 2);
        const std::string north =
            textCoordinates ? "N" + std::to_string(r) : fixed(4800000 - 2.5 * r, 2);
        text += east + d + north + d + fixed(z, 3) + "\r\n";
        if (integer(0, 20) == 0) text += d + "\r\n";  // a blank record is skipped
      }
    }
    ASSERT_TRUE(base::writeWholeFile(input, text).ok());

    platform::FakePlatform fake;
    fake.fileDialogs.names = {report};
    GridState state;
    const GridSizeTexts sizes{std::to_string(rows), std::to_string(columns),
                              fixed(uniform(0.5, 20), 2), fixed(uniform(0.5, 20), 2)};
    const base::Result<GridDefinition> check = checkGridSize(sizes);
    ASSERT_TRUE(check.ok());
    ASSERT_TRUE(
        importGridFile(state, fake.context, *check, input, platform::ImportKind::Text, delimiter))
        << fake.messages.shown.back().text;
    ASSERT_EQ(state.GridNodeCount, rows * columns);

    GridParameterTexts coefficients;
    coefficients.BettaRow = fixed(uniform(0.5, 10), 2);
    coefficients.GammaRow = fixed(uniform(0.5, 20), 2);
    coefficients.BettaCol = fixed(uniform(0.5, 10), 2);
    coefficients.GammaCol = fixed(uniform(0.5, 20), 2);
    ASSERT_EQ(runGridModel(state, coefficients, fake.context, "8/12/2026"),
              RunOutcome::ReportWritten);
    ASSERT_FALSE(fake.busy.busy);
    ASSERT_FALSE(fake.busy.noteShown);
    ASSERT_TRUE(gridResultsFinite(state));

    const auto lines = base::readTextLines(report);
    ASSERT_TRUE(lines.ok());
    ASSERT_GE(lines->size(), static_cast<std::size_t>(rows * columns));
    std::size_t at = lines->size() - static_cast<std::size_t>(rows * columns);
    for (int r = 1; r <= rows; ++r) {
      for (int c = 1; c <= columns; ++c, ++at) {
        const auto words = blankSplit((*lines)[at]);
        ASSERT_EQ(words.size(), 12u) << (*lines)[at];
        std::vector<double> v;
        for (std::size_t k = 0; k < words.size(); ++k)
          v.push_back(k == 2 || k == 3 ? 0.0 : base::parseLeadingNumber(words[k]));
        ASSERT_EQ(v[0], r);
        ASSERT_EQ(v[1], c);
        EXPECT_NEAR(v[4], elevations[static_cast<std::size_t>((r - 1) * columns + c - 1)], 5e-4);
        EXPECT_NEAR(v[11], v[9] + v[10], 1.1e-3) << "SoilLossSum of node " << r << ", " << c;
        EXPECT_NEAR(v[11], state.results.SoilLossSum(r, c), 5.1e-4);
      }
    }
    nodes += rows * columns;
    if (::testing::Test::HasFailure()) return;
  }
  fs::remove_all(dir);
  std::printf("Grid soak: %d runs, %lld nodes\n", runs, nodes);
}

}  // namespace
}  // namespace sodwright::nibal
