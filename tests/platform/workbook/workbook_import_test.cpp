// SPDX-License-Identifier: GPL-3.0-or-later
// The same transect and the same grid read from a text file and from .xls,
// .xlsx and .ods workbooks (tests/data/workbooks/make_workbooks.py writes
// them from the same numbers) run to the same reports; damaged workbooks
// give their messages and leave the held data as it was.
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "fakes/recording_services.h"
#include "kolv/io/compare_report_writer.h"
#include "kolv/io/last_sequence_writer.h"
#include "kolv/io/transect_import.h"
#include "kolv/io/transect_workbook_import.h"
#include "kolv/kolv_commands.h"
#include "kolv/parameter_checks.h"
#include "nibal/grid_commands.h"
#include "nibal/grid_import.h"
#include "nibal/grid_model.h"
#include "nibal/grid_report.h"
#include "nibal/grid_workbook_import.h"
#include "platform/workbook/file_workbook_reader.h"

namespace sodwright {
namespace {

std::string dataFile(const std::string& name) {
  return std::string(SODWRIGHT_TEST_DATA_DIR) + "/workbooks/" + name;
}

// ---------------------------------------------------------------- KOLV

struct KolvReports {
  std::string compare;
  std::string lastSequence;
};

// Four forward passes from the imported sequence, then both outputs.
KolvReports runKolv(kolv::KolvState& state) {
  platform::RecordingMessageService messages;
  EXPECT_TRUE(kolv::checkSeqCount(state, "4").ok());
  const kolv::CommandOutcome outcome = kolv::runKolv(state, messages);
  EXPECT_TRUE(outcome.simulated && outcome.compared);
  EXPECT_TRUE(messages.shown.empty());
  KolvReports reports;
  std::ostringstream compare, last;
  kolv::writeCompareReport(compare, state, outcome.first, outcome.last, "DATE");
  kolv::writeLastSequence(last, state, outcome.last);
  return {compare.str(), last.str()};
}

kolv::KolvState textImported() {
  kolv::KolvState state;
  const base::Result<> result = kolv::importTransectText(state, dataFile("transect.txt"), '\t');
  EXPECT_TRUE(result.ok()) << result.message();
  return state;
}

class TransectWorkbook : public ::testing::TestWithParam<std::string> {};

TEST_P(TransectWorkbook, RunsToTheSameReportsAsTheTextFile) {
  kolv::KolvState fromText = textImported();
  const KolvReports expected = runKolv(fromText);
  ASSERT_NE(expected.compare.find("KOLV"), std::string::npos);

  // The workbook keeps the tillage depth, bulk densities and unit of the
  // current parameters; everything else must come from the workbook.
  kolv::KolvState fromWorkbook;
  fromWorkbook.params.TillDepth = 0.2;
  fromWorkbook.params.BulkDensity1 = 1300;
  fromWorkbook.params.BulkDensity2 = 1350;
  fromWorkbook.params.BulkDensity3 = 1450;
  fromWorkbook.data.SubstanceUnit = "mg";
  platform::FileWorkbookReader reader;
  const base::Result<> imported =
      kolv::importTransectWorkbook(fromWorkbook, reader, dataFile("transect." + GetParam()));
  ASSERT_TRUE(imported.ok()) << imported.message();
  EXPECT_EQ(fromWorkbook.params.NodeCount, 30);
  const KolvReports got = runKolv(fromWorkbook);
  EXPECT_EQ(got.compare, expected.compare);
  EXPECT_EQ(got.lastSequence, expected.lastSequence);
}

INSTANTIATE_TEST_SUITE_P(AllFormats, TransectWorkbook, ::testing::Values("xls", "xlsx", "ods"));

// What a failed import must not change.
std::string heldTransect(const kolv::KolvState& state) {
  std::ostringstream out;
  out.precision(17);
  const kolv::TranslocationParameters& p = state.params;
  out << p.FileSeqNo << ' ' << p.NodeCount << ' ' << p.DistrNodes << ' ' << p.Interval << ' '
      << p.TillDepth << ' ' << p.LastSeqShown << ' ' << state.data.SubstanceUnit << ' '
      << state.data.Elev.nodeUpper() << '\n';
  for (int i = 0; i < p.NodeCount; ++i)
    out << state.data.PL1(i, p.FileSeqNo) << ' ' << state.data.Elev(i, p.FileSeqNo) << '\n';
  return out.str();
}

struct DamagedFile {
  std::string file;
  std::string message;
};

class DamagedTransectWorkbook : public ::testing::TestWithParam<DamagedFile> {};

TEST_P(DamagedTransectWorkbook, GivesItsMessageAndKeepsTheHeldTransect) {
  kolv::KolvState state = textImported();
  const std::string before = heldTransect(state);
  platform::FileWorkbookReader reader;
  const base::Result<> result =
      kolv::importTransectWorkbook(state, reader, dataFile(GetParam().file));
  ASSERT_FALSE(result.ok());
  EXPECT_EQ(result.message(), std::string(base::kImportFailed) + "\n" + GetParam().message);
  EXPECT_EQ(heldTransect(state), before);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedTransectWorkbook,
    ::testing::Values(
        DamagedFile{"not_a_zip.xlsx", "The file is not a workbook: it is not a zip archive."},
        DamagedFile{"no_sheet.xlsx", "The workbook has no worksheet."},
        DamagedFile{"no_content.ods", "The file is not an .ods workbook: it has no content.xml."},
        DamagedFile{
            "transect_no_end.xlsx",
            "Column E: no cell from row 8 to row 32755 holds -100 to end the transect (with 3 "
            "distribution nodes at most 32748 points fit)."},
        DamagedFile{"transect_text_depth.ods",
                    "Cell C9: the layer-1 thickness \"thin\" is not a number."}));

// ---------------------------------------------------------------- NIBAL

const nibal::GridDefinition kGrid{6, 5, "6", "5", "2", "2.5"};

std::string gridReport(nibal::GridData&& data) {
  nibal::GridState state;
  nibal::replaceGrid(state, kGrid, std::move(data));
  EXPECT_TRUE(nibal::readGridParameters(state.info, nibal::GridParameterTexts{}).empty());
  nibal::clearGridResults(state);
  nibal::computeColumnDirection(state);
  nibal::computeRowDirection(state);
  nibal::computeSoilLossSum(state);
  std::ostringstream out;
  nibal::writeGridReport(out, state, "DATE");
  return out.str();
}

class GridWorkbook : public ::testing::TestWithParam<std::string> {};

TEST_P(GridWorkbook, GivesTheSameReportAsTheTextFile) {
  base::Result<nibal::GridData> text = nibal::readGridTextFile(dataFile("grid.txt"), ' ', 6, 5);
  ASSERT_TRUE(text.ok()) << text.message();
  const std::string expected = gridReport(std::move(*text));
  platform::FileWorkbookReader reader;
  base::Result<nibal::GridData> workbook =
      nibal::readGridWorkbookFile(reader, dataFile("grid." + GetParam()), 6, 5);
  ASSERT_TRUE(workbook.ok()) << workbook.message();
  EXPECT_EQ(gridReport(std::move(*workbook)), expected);
}

INSTANTIATE_TEST_SUITE_P(AllFormats, GridWorkbook, ::testing::Values("xls", "xlsx", "ods"));

TEST(DamagedGridWorkbook, ShowsItsMessageAndKeepsTheHeldGrid) {
  platform::FakePlatform fakes;
  platform::FileWorkbookReader reader;
  fakes.context.workbooks = &reader;
  nibal::GridState state;
  base::Result<nibal::GridData> text = nibal::readGridTextFile(dataFile("grid.txt"), ' ', 6, 5);
  ASSERT_TRUE(text.ok());
  nibal::replaceGrid(state, kGrid, std::move(*text));
  for (const char* file : {"grid_text_elevation.xlsx", "not_a_zip.ods"}) {
    EXPECT_FALSE(nibal::importGridFile(state, fakes.context, kGrid, dataFile(file),
                                       platform::importKindOf(file), '\0'));
  }
  ASSERT_EQ(fakes.messages.texts().size(), 2u);
  EXPECT_EQ(fakes.messages.texts()[0],
            nibal::importFailureMessage("Cell C4", "the elevation \"n/a\" is not a number"));
  EXPECT_EQ(fakes.messages.texts()[1],
            nibal::importFailureMessage("File " + dataFile("not_a_zip.ods"),
                                        "The file is not a workbook: it is not a zip archive"));
  EXPECT_EQ(state.GridNodeCount, 30);
  EXPECT_EQ(state.GridElevation(1, 1), 99.2);
  EXPECT_EQ(std::get<std::string>(state.GridEasting(1, 1)), "512000.125");
}

}  // namespace
}  // namespace sodwright
