// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/io/transect_workbook_import.h"

#include <cmath>
#include <string_view>
#include <utility>
#include <vector>

#include "base/number_fit.h"
#include "base/number_text.h"
#include "kolv/state/transect_setup.h"
#include "kolv/state/transect_size.h"
#include "platform/cell_address.h"

namespace sodwright::kolv {
namespace {

using platform::CellValue;

constexpr int kInt16Max = 32767;
constexpr int kColumnA = 1, kColumnB = 2, kColumnC = 3, kColumnD = 4, kColumnE = 5, kColumnF = 6;

// The number a cell holds: a number cell as it is, a text cell when the text
// is one number (blanks around it allowed), an empty cell as 0. A text that
// is no number is refused rather than read as 0: in a workbook it is a label
// or a note where a value belongs.
std::optional<double> cellNumber(const CellValue& cell) {
  switch (cell.kind) {
    case CellValue::Kind::Empty:
      return 0.0;
    case CellValue::Kind::Number:
      return cell.number;
    case CellValue::Kind::Text:
      return base::parseStrictNumber(cell.text);
  }
  return std::nullopt;
}

class SheetReader {
 public:
  explicit SheetReader(const platform::Worksheet& sheet) : sheet_(sheet) {}

  std::optional<ImportProblem> problem;

  double number(int row, int column, std::string_view name) {
    const CellValue cell = sheet_.cell(row, column);
    const std::optional<double> value = cellNumber(cell);
    if (!value) {
      fail(row, column, "the " + std::string(name) + " \"" + cell.text + "\" is not a number.");
      return 0.0;
    }
    if (!std::isfinite(*value))
      fail(row, column, "the " + std::string(name) + " is not a finite number.");
    return *value;
  }

  // A measured value of a point row: an empty cell is refused too, since a
  // measurement left out must not be taken for 0.
  double measured(int row, int column, std::string_view name) {
    if (sheet_.cell(row, column).kind == CellValue::Kind::Empty) {
      fail(row, column, "the " + std::string(name) + " is empty.");
      return 0.0;
    }
    return number(row, column, name);
  }

  // A value stored as a Single must stay finite once rounded to 32 bits.
  float single(int row, int column, std::string_view name) {
    const double value = number(row, column, name);
    if (!problem && !base::fitsSingle(value))
      fail(row, column,
           "the " + std::string(name) + " " + base::generalText(value) +
               " does not fit a Single (at most about 3.4E+38).");
    return base::roundToSingle(value);
  }

  // Whether column E of the row holds the end mark.
  bool endsTransect(int row) const {
    const std::optional<double> value = cellNumber(sheet_.cell(row, kColumnE));
    return sheet_.cell(row, kColumnE).kind != CellValue::Kind::Empty && value &&
           *value == kEndOfTransect;
  }

  void fail(int row, int column, std::string what) {
    if (!problem)
      problem = ImportProblem{"Cell " + platform::cellName(row, column) + ": " + std::move(what)};
  }
  void failWhole(std::string what) {
    if (!problem) problem = ImportProblem{std::move(what)};
  }

 private:
  const platform::Worksheet& sheet_;
};

// The values the workbook does not carry and the run cannot do without; they
// come from the current parameter set, so from an earlier text import.
void checkKeptValues(SheetReader& r, const TranslocationParameters& p) {
  std::vector<std::string> missing;
  if (!(p.TillDepth > 0.0)) missing.push_back("tillage depth");
  if (!(p.BulkDensity1 > 0.0)) missing.push_back("layer-1 bulk density");
  if (!(p.BulkDensity2 > 0.0)) missing.push_back("layer-2 bulk density");
  if (!(p.BulkDensity3 > 0.0)) missing.push_back("layer-3 bulk density");
  if (missing.empty()) return;
  std::string list;
  for (std::size_t i = 0; i < missing.size(); ++i)
    list += (i == 0 ? "" : i + 1 == missing.size() ? " and " : ", ") + missing[i];
  r.failWhole(
      "A workbook carries no tillage depth and no bulk densities; they are kept from the current "
      "parameters, where the " +
      list + (missing.size() == 1 ? " is" : " are") +
      " 0. Import the transect from a text file first, then the workbook.");
}

// Counts the point rows: from row 7 down to the row before the -100 in
// column E. The arrays reach 3 x DistrNodes + points + 10, a 16-bit index.
void countPoints(SheetReader& r, TranslocationParameters& p) {
  if (r.endsTransect(kFirstPointRow)) {
    r.fail(kFirstPointRow, kColumnE,
           "-100 in the first point row leaves the transect without points.");
    return;
  }
  const int mostPoints = kInt16Max - 10 - 3 * p.DistrNodes;
  for (int row = kFirstPointRow + 1; row <= kFirstPointRow + mostPoints; ++row) {
    if (r.endsTransect(row)) {
      p.NodeCount = static_cast<Int16>(row - kFirstPointRow);
      return;
    }
  }
  r.failWhole("Column E: no cell from row " + std::to_string(kFirstPointRow + 1) + " to row " +
              std::to_string(kFirstPointRow + mostPoints) +
              " holds -100 to end the transect (with " + std::to_string(p.DistrNodes) +
              " distribution nodes at most " + std::to_string(mostPoints) + " points fit).");
}

// A concentration from the amount a layer holds over one interval; a layer
// without thickness can hold no substance.
double concentration(SheetReader& r, int row, int amountColumn, double amount, double density,
                     double dx, double thickness, std::string_view layer) {
  if (thickness > 0.0) return amount / density / dx / thickness;
  if (amount != 0.0)
    r.fail(row, amountColumn,
           "an amount of " + base::generalText(amount) + " in layer " + std::string(layer) +
               ", whose thickness (" + platform::cellName(row, amountColumn + 2) + ") is " +
               base::generalText(thickness) + ".");
  return 0.0;
}

}  // namespace

std::optional<ImportProblem> readSheetHeader(const platform::Worksheet& sheet,
                                             TranslocationParameters& params) {
  SheetReader r(sheet);
  TranslocationParameters p = params;
  checkKeptValues(r, p);
  const double seq = r.number(1, kColumnB, "sequence number");
  p.DistrDistance = r.single(2, kColumnB, "distribution distance");
  p.Interval = r.single(2, kColumnE, "interval");
  p.Alpha = r.single(3, kColumnB, "Alpha value");
  p.Beta = r.single(3, kColumnD, "Beta value");
  p.Gamma = r.single(3, kColumnF, "Gamma value");
  if (r.problem) return r.problem;

  const auto rounded = base::roundToInt16(seq);
  if (!rounded || *rounded < 0 || *rounded + 51 > kInt16Max)
    r.fail(1, kColumnB,
           "the sequence number " + base::generalText(seq) + " must lie between 0 and " +
               std::to_string(kInt16Max - 51) + ", to leave room for 51 further sequences.");
  if (!(p.Interval > 0.0f)) r.fail(2, kColumnE, "the interval must be greater than 0.");
  if (p.DistrDistance < 0.0f)
    r.fail(2, kColumnB, "the distribution distance must not be negative.");
  if (r.problem) return r.problem;
  p.FileSeqNo = *rounded;
  // DistrNodes: whole part of the quotient of the two Single values, formed in Double.
  const double quotient = static_cast<double>(p.DistrDistance) / static_cast<double>(p.Interval);
  const auto nodes = base::floorToInt16(quotient);
  if (!nodes || 3LL * *nodes + 1 + 10 > kInt16Max) {
    r.fail(2, kColumnB,
           "the distribution distance over the interval gives " +
               base::generalText(std::floor(quotient)) +
               " distribution nodes; the node index 3 x nodes + points + 10 would exceed 32767.");
    return r.problem;
  }
  p.DistrNodes = *nodes;
  countPoints(r, p);
  if (!r.problem)
    if (auto fault = transectTooLarge(p.NodeCount, p.DistrNodes, p.FileSeqNo))
      r.fail(1, kColumnB, *fault);
  if (r.problem) return r.problem;
  setImportDefaults(p);
  params = p;
  return std::nullopt;
}

std::optional<ImportProblem> readSheetRows(const platform::Worksheet& sheet,
                                           TranslocationParameters& params, TransectData& data,
                                           ComparisonResults& results) {
  // Allocated afresh with the text import's bounds, whatever an earlier import gave.
  const int seq = params.FileSeqNo;
  allocateTransect(params, data, results);

  SheetReader r(sheet);
  const double dx = params.Interval;
  for (int i = 0; i < params.NodeCount && !r.problem; ++i) {
    const int row = kFirstPointRow + i;
    const double m1 = r.measured(row, kColumnA, "layer-1 amount");
    const double m2 = r.measured(row, kColumnB, "layer-2 amount");
    const double d1 = r.measured(row, kColumnC, "layer-1 thickness");
    const double d2 = r.measured(row, kColumnD, "layer-2 thickness");
    const double elev = r.measured(row, kColumnE, "elevation");
    // Their sum is held as a Single.
    if (!r.problem && !base::fitsSingle(m1 + m2))
      r.fail(row, kColumnA,
             "the sum of the layer amounts does not fit a Single (at most about 3.4E+38).");
    if (r.problem) break;
    data.MassL1(i, seq) = m1;
    data.MassL2(i, seq) = m2;
    data.MassL12(i, seq) = base::roundToSingle(m1 + m2);
    data.DepthL1(i, seq) = d1;
    data.DepthL2(i, seq) = d2;
    data.Elev(i, seq) = elev;
    data.PL1(i, seq) = concentration(r, row, kColumnA, m1, params.BulkDensity1, dx, d1, "1");
    data.PL2(i, seq) = concentration(r, row, kColumnB, m2, params.BulkDensity2, dx, d2, "2");
  }
  if (r.problem) return r.problem;
  params.LastSeqShown = static_cast<Int16>(params.LastSeqShown + 1);
  return std::nullopt;
}

base::Result<> importTransectWorksheet(KolvState& state, const platform::Worksheet& sheet) {
  TranslocationParameters params = state.params;
  TransectData data;
  ComparisonResults results;
  data.SubstanceUnit = state.data.SubstanceUnit;
  auto problem = readSheetHeader(sheet, params);
  if (!problem) problem = readSheetRows(sheet, params, data, results);
  if (problem) return base::fail(std::string(base::kImportFailed) + "\n" + problem->what);
  adoptImport(state, params, std::move(data), std::move(results));
  return {};
}

base::Result<> importTransectWorkbook(KolvState& state, platform::WorkbookReader& reader,
                                      const std::string& path) {
  const auto sheet = reader.openFirstSheet(path);
  if (!sheet) return base::fail(std::string(base::kImportFailed) + "\n" + sheet.message());
  return importTransectWorksheet(state, **sheet);
}

}  // namespace sodwright::kolv
