// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/grid_commands.h"

#include <fstream>
#include <new>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/text/text_file.h"
#include "fakes/recording_services.h"
#include "nibal/grid_messages.h"
#include "nibal/grid_report.h"

namespace sodwright::nibal {
namespace {

using platform::FakePlatform;

std::string tempPath(const std::string& name) { return ::testing::TempDir() + name; }

// A 4 x 4 grid file with the bump at node (2, 2), space delimited.
std::string writeBumpFile(const std::string& name) {
  std::string text;
  for (int r = 1; r <= 4; ++r)
    for (int c = 1; c <= 4; ++c)
      text +=
          std::to_string(c) + " " + std::to_string(r) + " " + (r == 2 && c == 2 ? "1" : "0") + "\n";
  const std::string path = tempPath(name);
  EXPECT_TRUE(base::writeWholeFile(path, text).ok());
  return path;
}

struct GridCommands : ::testing::Test {
  FakePlatform platform;
  GridState state;

  bool importFile(const std::string& path, GridSizeTexts sizes = {"4", "4", "1", "1"}) {
    const base::Result<GridDefinition> check = checkGridSize(sizes);
    if (!check) return false;
    return importGridFile(state, platform.context, *check, path, platform::importKindOf(path), ' ');
  }
};

TEST_F(GridCommands, ImportGridFileRefusesWhatItCannotRead) {
  const GridDefinition definition = *checkGridSize({"4", "4", "1", "1"});
  EXPECT_FALSE(importGridFile(state, platform.context, definition, "grid.dbf",
                              platform::ImportKind::Database, ' '));
  // No workbook reader installed.
  EXPECT_FALSE(importGridFile(state, platform.context, definition, "grid.Xls",
                              platform::ImportKind::Xls, ' '));
  EXPECT_EQ(platform.messages.texts(),
            (std::vector<std::string>{std::string(base::kUnsupportedFile),
                                      std::string(kGridWrongOrImportFailed)}));
  EXPECT_FALSE(state.hasGrid());
}

TEST_F(GridCommands, FailedImportKeepsTheEarlierGridAndSizes) {
  ASSERT_TRUE(importFile(writeBumpFile("nibal_bump.txt")));
  EXPECT_EQ(state.GridNodeCount, 16);

  const std::string bad = tempPath("nibal_bad.txt");
  ASSERT_TRUE(base::writeWholeFile(bad, "1 1 5\n1 2 x\n").ok());
  EXPECT_FALSE(importFile(bad, {"5", "5", "2", "2"}));
  ASSERT_EQ(platform.messages.shown.size(), 1u);
  EXPECT_EQ(platform.messages.shown[0].text,
            std::string(base::kImportFailed) + "\nLine 2: the third field \"x\" is not a number.");
  EXPECT_EQ(state.info.Rows, "4");
  EXPECT_EQ(state.info.RowSpacing, "1");
  EXPECT_EQ(state.GridNodeCount, 16);
  EXPECT_EQ(state.GridElevation(2, 2), 1.0);
  // The note was shown and hidden around the reading, failure or not.
  EXPECT_FALSE(platform.busy.noteShown);
  EXPECT_FALSE(platform.busy.busy);
}

TEST_F(GridCommands, WantOfMemoryKeepsTheGridAndSaysSo) {
  ASSERT_TRUE(importFile(writeBumpFile("nibal_memory.txt")));
  EXPECT_FALSE(importGrid(state, platform.context,
                          []() -> base::Result<ImportedGrid> { throw std::bad_alloc(); }));
  EXPECT_EQ(platform.messages.texts(), std::vector<std::string>{base::importOutOfMemoryMessage()});
  EXPECT_EQ(state.GridNodeCount, 16);
  EXPECT_FALSE(platform.busy.busy);
}

TEST_F(GridCommands, RunWritesTheReportAndOpensIt) {
  ASSERT_TRUE(importFile(writeBumpFile("nibal_run.txt")));
  const std::string report = tempPath("nibal_run_report.txt");
  platform.fileDialogs.names.push_back(report);
  EXPECT_EQ(runGridModel(state, {}, platform.context, "DATE"), RunOutcome::ReportWritten);
  EXPECT_TRUE(platform.messages.shown.empty());
  EXPECT_EQ(platform.fileDialogs.saveFilters, (std::vector<std::string>{platform::kReportFilter}));
  EXPECT_EQ(platform.programs.textFiles, (std::vector<std::string>{report}));
  EXPECT_EQ(state.results.SoilLossCol(3, 2), -3000.0);
  const auto lines = base::readTextLines(report);
  ASSERT_TRUE(lines.ok());
  EXPECT_EQ(lines->size(), 23u + 16u);
  EXPECT_EQ((*lines)[3], "DATE");
  EXPECT_FALSE(platform.busy.busy);
}

TEST_F(GridCommands, AllParametersMissingStopsBeforeTheSaveDialog) {
  ASSERT_TRUE(importFile(writeBumpFile("nibal_kiding.txt")));
  EXPECT_EQ(runGridModel(state, {"", "0", " ", "none"}, platform.context, "DATE"),
            RunOutcome::AllMissing);
  const std::vector<platform::RecordedMessage>& shown = platform.messages.shown;
  ASSERT_EQ(shown.size(), 5u);
  EXPECT_EQ(shown[0].text, kBettaColMissing);
  EXPECT_EQ(shown[1].text, kBettaRowMissing);
  EXPECT_EQ(shown[2].text, kGammaRowMissing);
  EXPECT_EQ(shown[3].text, kGammaColMissing);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(shown[i].title, kNoteTitle);
  EXPECT_EQ(shown[4].text, kAllMissing);
  EXPECT_EQ(shown[4].title, kAllMissingTitle);
  EXPECT_TRUE(platform.fileDialogs.saveFilters.empty());
  EXPECT_FALSE(platform.busy.busy);
}

TEST_F(GridCommands, MissingGammasAreNotedAndTheRunGoesOnWithZero) {
  ASSERT_TRUE(importFile(writeBumpFile("nibal_gamma.txt")));
  EXPECT_EQ(runGridModel(state, {"3", "", "6", ""}, platform.context, "DATE"),
            RunOutcome::ReportCancelled);
  EXPECT_EQ(platform.messages.texts(), (std::vector<std::string>{std::string(kGammaRowMissing),
                                                                 std::string(kGammaColMissing)}));
  // Computed without curvature: -(6 x 100) along column 2 at row 1.
  EXPECT_EQ(state.results.SoilLossCol(1, 2), -600.0);
  EXPECT_EQ(platform.fileDialogs.saveFilters.size(), 1u);
  EXPECT_TRUE(platform.programs.textFiles.empty());
}

TEST_F(GridCommands, RunWithoutGridOrWithUnwritableReportFails) {
  EXPECT_EQ(runGridModel(state, {}, platform.context, "DATE"), RunOutcome::Failed);
  ASSERT_TRUE(importFile(writeBumpFile("nibal_fail.txt")));
  platform.fileDialogs.names.push_back("/nonexistent-folder/report.txt");
  EXPECT_EQ(runGridModel(state, {}, platform.context, "DATE"), RunOutcome::Failed);
  EXPECT_EQ(platform.messages.texts(),
            (std::vector<std::string>{std::string(kOutputFailed), std::string(kOutputFailed)}));
  EXPECT_TRUE(platform.programs.textFiles.empty());
  EXPECT_FALSE(platform.busy.busy);
  EXPECT_FALSE(platform.busy.noteShown);
}

TEST_F(GridCommands, LargestGridImportsRunsAndReports) {
  constexpr int kSide = 181;  // 32761 nodes, the most the node count holds
  std::string text;
  for (int r = 1; r <= kSide; ++r)
    for (int c = 1; c <= kSide; ++c)
      text +=
          "E" + std::to_string(c) + " N" + std::to_string(r) + " " + std::to_string(r % 7) + "\r\n";
  const std::string path = tempPath("nibal_largest.txt");
  ASSERT_TRUE(base::writeWholeFile(path, text).ok());
  ASSERT_TRUE(importFile(path, {"181", "181", "5", "5"})) << platform.messages.texts().front();
  EXPECT_EQ(state.GridNodeCount, 32761);

  const std::string report = tempPath("nibal_largest_report.txt");
  platform.fileDialogs.names.push_back(report);
  ASSERT_EQ(runGridModel(state, {}, platform.context, "DATE"), RunOutcome::ReportWritten);
  const auto lines = base::readTextLines(report);
  ASSERT_TRUE(lines.ok());
  ASSERT_EQ(lines->size(), 23u + 32761u);
  EXPECT_EQ((*lines)[10], "   Totally, there are  32761  Nodes(Points) in the Grid");
  EXPECT_EQ(lines->back().substr(0, 19), " 181 " + std::string(9, ' ') + " 181 ");
}

}  // namespace
}  // namespace sodwright::nibal
