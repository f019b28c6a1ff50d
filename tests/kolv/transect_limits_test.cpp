// SPDX-License-Identifier: GPL-3.0-or-later
// The 16-bit bounds of a transect: the node index 3D + N + 10 and the
// sequence FileSeqNo + 51 may reach 32767 and no further, and a transect
// whose arrays would not fit in memory is refused before anything is sized.

#include <cstdio>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

#include "base/text/text_file.h"
#include "fakes/recording_services.h"
#include "kolv/io/transect_import.h"
#include "kolv/io/transect_workbook_import.h"
#include "kolv/kolv_commands.h"
#include "kolv/state/transect_size.h"
#include "platform/memory_worksheet.h"

namespace sodwright::kolv {
namespace {

namespace fs = std::filesystem;

// A transect file of `points` gently falling points at `sequence`, imported
// from disk through the real reader.
base::Result<> importFile(KolvState& state, int sequence, int points,
                          const std::string& distrDistance) {
  std::string text = "Sequence=\t" + std::to_string(sequence) + "\tDataPoints:\t" +
                     std::to_string(points) + "\r\n";
  text += "DistributionDistance=\t" + distrDistance + "\tm\tInterval =\t1\tm\r\n";
  text += "Lamda=\t.3\t+\t.003\t*SG+\t.02\t*SC\r\nTillage_Depth =\t.2\tm\r\n";
  text += "BD1 =\t1300\tkg / m3\tBD2 =\t1350\tkg / m3\tBD3 =\t1450\tkg / m3\r\n\r\n";
  text += "P1\tP2\tP3\tL1\tL2\tZ\r\nmg/kg\tmg/kg\tmg/kg\tm\tm\tm\r\n";
  char row[96];
  for (int i = 0; i < points; ++i) {
    std::snprintf(row, sizeof row, "10\t5\t1\t.2\t.1\t%.4f\r\n", 500.0 - 0.01 * i);
    text += row;
  }
  const fs::path path =
      fs::temp_directory_path() / ("sodwright-limits-" + std::to_string(::getpid()) + ".txt");
  EXPECT_TRUE(base::writeWholeFile(path.string(), text).ok());
  base::Result<> result = importTransectText(state, path.string(), '\t');
  fs::remove(path);
  return result;
}

void expectRefused(const base::Result<>& result, const std::string& because) {
  ASSERT_FALSE(result.ok());
  EXPECT_EQ(result.message().rfind(base::kImportFailed, 0), 0u);
  EXPECT_NE(result.message().find(because), std::string::npos) << result.message();
}

TEST(TransectLimits, NodeIndexAtExactly32767ImportsAndRunsOneMoreIsRefused) {
  // Distribution distance 2 over interval 1: D = 2, so 3D + N + 10 = 32767 at N = 32751.
  KolvState state;
  ASSERT_TRUE(importFile(state, 0, 32751, "2").ok());
  EXPECT_EQ(state.data.Elev.nodeUpper(), 32767);
  platform::RecordingMessageService messages;
  const CommandOutcome outcome = runKolv(state, messages);
  EXPECT_TRUE(outcome.simulated && outcome.compared);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_NEAR(state.data.Elev(32750, 1), state.data.Elev(32750, 0), 0.5);

  KolvState refused;
  expectRefused(importFile(refused, 0, 32752, "2"), "would exceed 32767");
  EXPECT_FALSE(refused.imported);
  expectRefused(importFile(refused, 0, 32768, "0"), "lies outside -32768..32767");
}

TEST(TransectLimits, SequenceAt32716ImportsOneMoreIsRefused) {
  KolvState state;
  ASSERT_TRUE(importFile(state, 32716, 10, "2").ok());
  EXPECT_EQ(state.data.Elev.seqUpper(), 32767);
  EXPECT_EQ(state.params.LastSeq, 32717);
  // The end zones of such a pass would lie far beyond ten points: the run is
  // refused with its message and changes nothing.
  platform::RecordingMessageService messages;
  const double before = state.data.Elev(3, 32716);
  EXPECT_FALSE(runKolv(state, messages).simulated);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(state.data.Elev(3, 32716), before);

  KolvState refused;
  expectRefused(importFile(refused, 32717, 10, "2"), "51 further sequences");
}

// A long transect stored at a high sequence would need gigabytes for the
// sequences before it; both imports refuse it, naming the memory.
TEST(TransectLimits, ArraysBeyondTheMemoryLimitAreRefused) {
  EXPECT_LE(transectArrayBytes(32751, 2, 0), kMostTransectBytes);
  EXPECT_LE(transectArrayBytes(10, 2, 32716), kMostTransectBytes);
  EXPECT_GT(transectArrayBytes(32000, 0, 32000), kMostTransectBytes);

  KolvState state;
  ASSERT_TRUE(importFile(state, 0, 5, "1").ok());
  expectRefused(importFile(state, 1000, 20000, "2"), "MB of memory");
  EXPECT_EQ(state.params.NodeCount, 5);  // the held transect stays

  platform::MemoryWorksheet sheet;
  sheet.setNumber(1, 2, 1000);
  sheet.setNumber(2, 2, 2);
  sheet.setNumber(2, 5, 1);
  for (int i = 0; i < 20000; ++i) {
    sheet.setNumber(7 + i, 3, 0.2);
    sheet.setNumber(7 + i, 5, 100.0);
  }
  sheet.setNumber(7 + 20000, 5, kEndOfTransect);
  expectRefused(importTransectWorksheet(state, sheet), "MB of memory");
  EXPECT_EQ(state.params.NodeCount, 5);
}

}  // namespace
}  // namespace sodwright::kolv
