// SPDX-License-Identifier: GPL-3.0-or-later
// The grid text import with every kind of delimiter and a fuzzed grid size.
// A grid the import accepts has exactly Rows x Columns nodes, one for each
// line that is not blank, every elevation finite; it then computes, and when
// its results are finite its report holds one table line per node.

#include <cmath>
#include <sstream>
#include <string>

#include "base/text/text_file.h"
#include "fuzz_support.h"
#include "nibal/grid_import.h"
#include "nibal/grid_messages.h"
#include "nibal/grid_model.h"
#include "nibal/grid_report.h"

using namespace sodwright;

namespace {

bool isBlankRecord(std::string_view line, char delimiter) {
  for (char c : line)
    if (c != ' ' && c != '\t' && c != delimiter) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::ByteTaker taker(data, size);
  const char delimiter = fuzz::delimiterFrom(taker.byte(), taker.byte());
  const int rows = 4 + taker.byte() % 29;
  const int columns = 4 + taker.byte() % 29;
  const std::string_view content = taker.rest();

  base::Result<nibal::GridData> result = nibal::parseGridText(content, delimiter, rows, columns);
  if (!result.ok()) {
    FUZZ_CHECK(result.message().rfind(base::kImportFailed, 0) == 0,
               "a refusal without its message");
    return 0;
  }
  int records = 0;
  for (const std::string& line : base::splitLines(content))
    if (!isBlankRecord(line, delimiter)) ++records;
  FUZZ_CHECK(records == rows * columns, "accepted " + std::to_string(records) + " records for " +
                                            std::to_string(rows) + " x " + std::to_string(columns) +
                                            " nodes");
  const nibal::GridData& grids = *result;
  FUZZ_CHECK(grids.elevation.rows() == rows && grids.elevation.columns() == columns &&
                 grids.easting.rows() == rows && grids.northing.columns() == columns,
             "the grids are not Rows x Columns");
  for (int r = 1; r <= rows; ++r)
    for (int c = 1; c <= columns; ++c)
      FUZZ_CHECK(std::isfinite(grids.elevation(r, c)), "an elevation that is not finite");

  nibal::GridState state;
  nibal::GridDefinition definition{rows, columns, std::to_string(rows), std::to_string(columns),
                                   "10", "10"};
  nibal::replaceGrid(state, definition, std::move(*result));
  FUZZ_CHECK(state.GridNodeCount == rows * columns, "GridNodeCount is not Rows x Columns");

  nibal::readGridParameters(state.info, nibal::GridParameterTexts{});
  nibal::clearGridResults(state);
  nibal::computeColumnDirection(state);
  nibal::computeRowDirection(state);
  nibal::computeSoilLossSum(state);
  if (!nibal::gridResultsFinite(state)) return 0;
  std::ostringstream report;
  nibal::writeGridReport(report, state, "1/2/2026");
  const auto lines = base::splitLines(report.str());
  int tableLines = 0;
  bool inTable = false;
  for (const std::string& line : lines) {
    if (inTable) ++tableLines;
    if (line.rfind(" Row", 0) == 0 && line.find("SoilLossSum") != std::string::npos) inTable = true;
  }
  FUZZ_CHECK(tableLines == rows * columns,
             "the report has " + std::to_string(tableLines) + " table lines");
  return 0;
}
