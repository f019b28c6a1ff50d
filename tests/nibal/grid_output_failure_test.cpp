// SPDX-License-Identifier: GPL-3.0-or-later
// The grid report on places that cannot take a file: under a regular file,
// in a folder that does not exist, a folder itself, and a full device.
// "Run NIBAL" then shows its message, puts the pointer and the note back,
// opens nothing, keeps the grid and its results, and the next run with a
// good place writes the report.

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>

#include "base/text/text_file.h"
#include "fakes/recording_services.h"
#include "nibal/grid_commands.h"
#include "nibal/grid_import.h"
#include "nibal/grid_messages.h"
#include "nibal/grid_report.h"

namespace sodwright::nibal {
namespace {

namespace fs = std::filesystem;

class GridOutputFailure : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir);
    std::string text;
    for (int r = 1; r <= 5; ++r)
      for (int c = 1; c <= 6; ++c)
        text += std::to_string(100 + c) + " " + std::to_string(200 + r) + " " +
                std::to_string(50 + (r * c) % 4) + "\n";
    base::Result<GridData> grid = parseGridText(text, ' ', 5, 6);
    ASSERT_TRUE(grid.ok()) << grid.message();
    replaceGrid(state, GridDefinition{5, 6, "5", "6", "2", "2"}, std::move(*grid));
    ASSERT_TRUE(base::writeWholeFile((dir / "kept.txt").string(), "kept").ok());
  }
  void TearDown() override { fs::remove_all(dir); }

  std::vector<std::string> badPlaces() const {
    return {"/etc/passwd/report.txt", (dir / "kept.txt" / "report.txt").string(),
            (dir / "missing" / "report.txt").string(), dir.string(), "/dev/full"};
  }

  std::string reportText() const {
    std::ostringstream out;
    writeGridReport(out, state, "8/12/2026");
    return out.str();
  }

  fs::path dir =
      fs::temp_directory_path() / ("sodwright-grid-output-failure-" + std::to_string(::getpid()));
  GridState state;
};

TEST_F(GridOutputFailure, WriterReportsEveryBadPlace) {
  platform::FakePlatform fake;
  fake.fileDialogs.names = {(dir / "first.txt").string()};
  ASSERT_EQ(runGridModel(state, GridParameterTexts{}, fake.context, "8/12/2026"),
            RunOutcome::ReportWritten);
  for (const std::string& place : badPlaces())
    EXPECT_FALSE(writeGridReportFile(place, state, "8/12/2026").ok())
        << place << " was reported as written";
  EXPECT_EQ(base::readWholeFile((dir / "kept.txt").string()).value(), "kept");
}

TEST_F(GridOutputFailure, RunNibalShowsItsMessageResetsPointerAndNoteAndStaysUsable) {
  for (const std::string& place : badPlaces()) {
    SCOPED_TRACE(place);
    platform::FakePlatform fake;
    fake.fileDialogs.names = {place};
    EXPECT_EQ(runGridModel(state, GridParameterTexts{}, fake.context, "8/12/2026"),
              RunOutcome::Failed);
    EXPECT_EQ(fake.messages.texts(), std::vector<std::string>{std::string(kOutputFailed)});
    // The box's detail names the file and the system's reason.
    EXPECT_EQ(fake.messages.shown[0].detail.rfind("Cannot write " + place + ": ", 0), 0u);
    EXPECT_GT(fake.messages.shown[0].detail.size(), ("Cannot write " + place + ": ").size());
    EXPECT_FALSE(fake.busy.busy);
    EXPECT_FALSE(fake.busy.noteShown);
    ASSERT_FALSE(fake.busy.events.empty());
    EXPECT_EQ(fake.busy.events.back(), "normal");
    EXPECT_TRUE(fake.programs.textFiles.empty());
    // The grid and the results of this run stay for the next try.
    EXPECT_EQ(state.GridNodeCount, 30);
    EXPECT_TRUE(hasResults(state));
  }
  const std::string expected = reportText();
  platform::FakePlatform fake;
  const std::string good = (dir / "report.txt").string();
  fake.fileDialogs.names = {good};
  ASSERT_EQ(runGridModel(state, GridParameterTexts{}, fake.context, "8/12/2026"),
            RunOutcome::ReportWritten);
  EXPECT_EQ(fake.programs.textFiles, std::vector<std::string>{good});
  EXPECT_EQ(base::readWholeFile(good).value(), expected);
}

}  // namespace
}  // namespace sodwright::nibal
