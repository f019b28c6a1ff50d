// SPDX-License-Identifier: GPL-3.0-or-later
// The two KOLV writers on places that cannot take a file: under a regular
// file, in a folder that does not exist, a folder itself, and a device.
// Each write reports why, changes nothing held, and the next write to a good
// place goes through.

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>

#include "base/text/text_file.h"
#include "fakes/recording_services.h"
#include "kolv/io/compare_report_writer.h"
#include "kolv/io/last_sequence_writer.h"
#include "kolv/io/transect_import.h"
#include "kolv/kolv_commands.h"
#include "kolv/transect_text.h"

namespace sodwright::kolv {
namespace {

namespace fs = std::filesystem;

class OutputFailure : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir);
    testing::TransectHeader header;
    header.points = " 20 ";
    const auto lines = base::splitLines(testing::transectText(header, testing::pointRows(20)));
    ASSERT_TRUE(importTransectLines(state, lines, '\t').ok());
    platform::RecordingMessageService messages;
    ASSERT_TRUE(runKolv(state, messages).compared);
    // A file of the same name written earlier must survive a failed write elsewhere.
    ASSERT_TRUE(base::writeWholeFile((dir / "kept.txt").string(), "kept").ok());
  }
  void TearDown() override { fs::remove_all(dir); }

  // Places no file can be written to. Tests run as root, so a folder without
  // write permission would still take one; these fail for everyone.
  std::vector<std::string> badPlaces() const {
    return {"/etc/passwd/out.txt", (dir / "kept.txt" / "out.txt").string(),
            (dir / "missing" / "out.txt").string(), dir.string(), "/dev/full"};
  }

  fs::path dir =
      fs::temp_directory_path() / ("sodwright-output-failure-" + std::to_string(::getpid()));
  KolvState state;
};

TEST_F(OutputFailure, LastSequenceFileReportsEveryBadPlaceAndThenWrites) {
  const std::string before = testing::describeState(state);
  const Int16 seq = state.params.LastSeqShown;
  for (const std::string& place : badPlaces()) {
    const auto written = writeLastSequenceFile(place, state, seq);
    ASSERT_FALSE(written.ok()) << place << " was reported as written";
    EXPECT_EQ(written.message().rfind("Cannot write " + place + ": ", 0), 0u) << written.message();
    EXPECT_EQ(testing::describeState(state), before);
  }
  EXPECT_EQ(base::readWholeFile((dir / "kept.txt").string()).value(), "kept");
  const std::string good = (dir / "last.txt").string();
  ASSERT_TRUE(writeLastSequenceFile(good, state, seq).ok());
  std::ostringstream expected;
  writeLastSequence(expected, state, seq);
  EXPECT_EQ(base::readWholeFile(good).value(), expected.str());
}

TEST_F(OutputFailure, ComparisonReportReportsEveryBadPlaceAndThenWrites) {
  const std::string before = testing::describeState(state);
  const Int16 first = state.params.StartSeq, last = state.params.LastSeq;
  for (const std::string& place : badPlaces()) {
    const auto written = writeCompareReportFile(place, state, first, last, "8/12/2026");
    ASSERT_FALSE(written.ok()) << place << " was reported as written";
    EXPECT_NE(written.message().find(place), std::string::npos) << written.message();
    EXPECT_EQ(testing::describeState(state), before);
  }
  const std::string good = (dir / "report.txt").string();
  ASSERT_TRUE(writeCompareReportFile(good, state, first, last, "8/12/2026").ok());
  std::ostringstream expected;
  writeCompareReport(expected, state, first, last, "8/12/2026");
  EXPECT_EQ(base::readWholeFile(good).value(), expected.str());
}

}  // namespace
}  // namespace sodwright::kolv
