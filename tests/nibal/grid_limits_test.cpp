// SPDX-License-Identifier: GPL-3.0-or-later
// The 16-bit node count of a grid: Rows x Columns may reach 32767 and no
// further. A grid of exactly 32767 nodes imports, runs and reports; one node
// more is refused with its message before any file is asked for.

#include <cstdio>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

#include "base/text/text_file.h"
#include "fakes/recording_services.h"
#include "nibal/grid_commands.h"
#include "nibal/grid_messages.h"
#include "nibal/grid_report.h"

namespace sodwright::nibal {
namespace {

namespace fs = std::filesystem;

TEST(GridLimits, ExactlyTheLargestNodeCountImportsRunsAndReports) {
  const int rows = 31, columns = 1057;  // 31 x 1057 = 32767
  const fs::path dir =
      fs::temp_directory_path() / ("sodwright-grid-limits-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  std::string text;
  char line[80];
  for (int r = 1; r <= rows; ++r)
    for (int c = 1; c <= columns; ++c) {
      std::snprintf(line, sizeof line, "%d,%d,%.3f\r\n", 1000 + c, 2000 - r,
                    100.0 + 0.01 * c - 0.02 * r + (c % 7) * 0.001);
      text += line;
    }
  const std::string input = (dir / "grid.txt").string(), report = (dir / "report.txt").string();
  ASSERT_TRUE(base::writeWholeFile(input, text).ok());

  platform::FakePlatform fake;
  fake.fileDialogs.names = {report};
  GridState state;
  const base::Result<GridDefinition> check = checkGridSize(GridSizeTexts{"31", "1057", "2", "2"});
  ASSERT_TRUE(check.ok());
  ASSERT_TRUE(importGridFile(state, fake.context, *check, input, platform::ImportKind::Text, ','))
      << fake.messages.texts().back();
  EXPECT_EQ(state.GridNodeCount, 32767);
  ASSERT_EQ(runGridModel(state, GridParameterTexts{}, fake.context, "8/12/2026"),
            RunOutcome::ReportWritten);
  EXPECT_TRUE(gridResultsFinite(state));
  const auto lines = base::readTextLines(report);
  ASSERT_TRUE(lines.ok());
  EXPECT_NE((*lines)[10].find("32767"), std::string::npos) << (*lines)[10];
  EXPECT_EQ(lines->back().rfind(" 31 ", 0), 0u);
  fs::remove_all(dir);
}

TEST(GridLimits, OneNodeMoreIsRefusedByTheBoxCheck) {
  for (const GridSizeTexts& sizes :
       {GridSizeTexts{"4", "8192", "1", "1"}, GridSizeTexts{"8192", "4", "1", "1"},
        GridSizeTexts{"32768", "4", "1", "1"}}) {
    EXPECT_EQ(checkGridSize(sizes).message(), kGridWrongOrImportFailed);
  }
}

}  // namespace
}  // namespace sodwright::nibal
