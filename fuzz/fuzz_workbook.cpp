// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz_workbook.h"

#include <cmath>
#include <sstream>

#include "base/text/text_file.h"
#include "fuzz_support.h"
#include "kolv/io/last_sequence_writer.h"
#include "kolv/io/transect_import.h"
#include "kolv/io/transect_workbook_import.h"
#include "nibal/grid_workbook_import.h"
#include "platform/workbook/file_workbook_reader.h"

namespace sodwright::fuzz {
namespace {

constexpr int kProbeRows = 48;
constexpr int kProbeColumns = 8;

bool sameCell(const platform::CellValue& a, const platform::CellValue& b) {
  if (a.kind != b.kind || a.text != b.text) return false;
  return a.number == b.number || (std::isnan(a.number) && std::isnan(b.number));
}

// A held transect with the values a workbook does not carry.
kolv::KolvState heldTransect() {
  kolv::KolvState state;
  state.params.TillDepth = 0.2;
  state.params.BulkDensity1 = 1300;
  state.params.BulkDensity2 = 1350;
  state.params.BulkDensity3 = 1450;
  state.data.SubstanceUnit = "mg";
  return state;
}

std::string describe(const kolv::KolvState& state) {
  std::ostringstream out;
  const auto& p = state.params;
  out << state.imported << ' ' << p.FileSeqNo << ' ' << p.NodeCount << ' ' << p.TillDepth << ' '
      << p.BulkDensity1 << ' ' << state.data.SubstanceUnit;
  if (state.imported) kolv::writeLastSequence(out, state, p.FileSeqNo);
  return out.str();
}

void checkTransect(const platform::Worksheet& sheet) {
  kolv::KolvState state = heldTransect();
  const std::string before = describe(state);
  const auto result = kolv::importTransectWorksheet(state, sheet);
  if (!result.ok()) {
    FUZZ_CHECK(result.message().rfind(base::kImportFailed, 0) == 0,
               "a refusal without its message");
    FUZZ_CHECK(describe(state) == before, "a refused workbook changed the held transect");
    return;
  }
  const auto& p = state.params;
  const kolv::Int16 seq = p.FileSeqNo;
  for (int i = 0; i < p.NodeCount; ++i)
    FUZZ_CHECK(
        std::isfinite(state.data.Elev(i, seq)) && std::isfinite(state.data.PL1(i, seq)) &&
            std::isfinite(state.data.PL2(i, seq)) && std::isfinite(state.data.DepthL1(i, seq)) &&
            std::isfinite(state.data.DepthL2(i, seq)),
        "an accepted workbook holds a value that is not finite at point " + std::to_string(i));
  std::ostringstream file;
  kolv::writeLastSequence(file, state, seq);
  kolv::KolvState again;
  const auto reread = kolv::importTransectLines(again, base::splitLines(file.str()), '\t');
  FUZZ_CHECK(reread.ok(),
             "the last-sequence file of an accepted workbook is refused: " + reread.message());
  FUZZ_CHECK(again.params.NodeCount == p.NodeCount, "the point count changed");
}

void checkGrid(const platform::Worksheet& sheet, std::uint8_t choice) {
  const int rows = 4 + choice % 4;
  const int columns = 4 + (choice / 4) % 4;
  const base::Result<nibal::GridData> result = nibal::readGridWorksheet(sheet, rows, columns);
  if (!result.ok()) return;
  const nibal::GridData& grids = *result;
  FUZZ_CHECK(grids.elevation.rows() == rows && grids.elevation.columns() == columns,
             "the grid is not Rows x Columns");
  for (int r = 1; r <= rows; ++r)
    for (int c = 1; c <= columns; ++c)
      FUZZ_CHECK(std::isfinite(grids.elevation(r, c)), "an elevation that is not finite");
}

}  // namespace

void checkSheet(const platform::Worksheet& sheet, std::uint8_t gridChoice) {
  checkTransect(sheet);
  checkGrid(sheet, gridChoice);
}

void checkWorkbook(std::string_view content, std::string_view extension, std::uint8_t gridChoice) {
  const std::string path = writeScratchFile(content, extension);
  platform::FileWorkbookReader reader;
  const auto sheet = reader.openFirstSheet(path);
  const auto second = reader.openFirstSheet(path);
  FUZZ_CHECK(sheet.ok() == second.ok() && sheet.message() == second.message(),
             "two readings of a file differ");
  if (!sheet) {
    FUZZ_CHECK(!sheet.message().empty(), "a refused workbook without a reason");
    return;
  }
  for (int r = 1; r <= kProbeRows; ++r)
    for (int c = 1; c <= kProbeColumns; ++c)
      FUZZ_CHECK(sameCell((*sheet)->cell(r, c), (*second)->cell(r, c)),
                 "two readings of a cell differ");
  checkSheet(**sheet, gridChoice);
}

}  // namespace sodwright::fuzz
