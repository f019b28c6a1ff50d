// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/io/transect_import.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <span>
#include <sstream>
#include <utility>

#include "base/number_fit.h"
#include "base/number_text.h"
#include "base/text/csv_text.h"
#include "base/text/text_file.h"
#include "kolv/state/transect_setup.h"
#include "kolv/state/transect_size.h"

namespace sodwright::kolv {
namespace {

constexpr int kHeaderLines = 8;
constexpr int kInt16Max = 32767;

// A field's text in a message, cut short when long.
std::string shownField(std::string_view text) {
  constexpr std::size_t kShown = 40;
  if (text.size() <= kShown) return "\"" + std::string(text) + "\"";
  return "\"" + std::string(text.substr(0, kShown)) + "...\"";
}

std::string delimiterName(char delimiter) {
  switch (delimiter) {
    case '\t':
      return "tab";
    case ' ':
      return "space";
    default:
      return std::string("\"") + delimiter + "\"";
  }
}

// One line of the file cut at the delimiter; field k (1-based) lies between
// the (k-1)-th and the k-th delimiter, the rest after the k-th delimiter runs
// to the end of the line. A delimiter inside double quotes cuts nothing, and
// a quoted field is read as its content, as spreadsheets write CSV.
class LineFields {
 public:
  LineFields(const std::string& line, char delimiter)
      : line_(line), positions_(base::fieldDelimiterPositions(line, delimiter)) {}
  int delimiterCount() const { return static_cast<int>(positions_.size()); }
  std::string field(int k) const {
    const std::size_t begin = k == 1 ? 0 : positions_[static_cast<std::size_t>(k - 2)] + 1;
    const std::size_t end = positions_[static_cast<std::size_t>(k - 1)];
    return base::unquotedField(std::string_view(line_).substr(begin, end - begin));
  }
  std::string restAfter(int k) const {
    return base::unquotedField(
        std::string_view(line_).substr(positions_[static_cast<std::size_t>(k - 1)] + 1));
  }

 private:
  const std::string& line_;
  std::vector<std::size_t> positions_;
};

// Reads the header and point lines of one file, keeping the first problem met.
class TransectReader {
 public:
  TransectReader(std::span<const std::string> lines, char delimiter)
      : lines_(lines), delimiter_(delimiter) {}

  std::optional<ImportProblem> problem;

  // The line (1-based) with at least `delimiters` delimiters; empty after a problem.
  std::optional<LineFields> line(int number, int delimiters, std::string_view content) {
    if (problem) return std::nullopt;
    if (number > static_cast<int>(lines_.size())) {
      fail(number, "the line is missing (" + std::string(content) + " expected).");
      return std::nullopt;
    }
    LineFields fields(lines_[static_cast<std::size_t>(number - 1)], delimiter_);
    if (fields.delimiterCount() < delimiters) {
      fail(number, std::string(content) + " expected: at least " + std::to_string(delimiters) +
                       " " + delimiterName(delimiter_) + " delimiters, found " +
                       std::to_string(fields.delimiterCount()) + ".");
      return std::nullopt;
    }
    return fields;
  }

  double number(int lineNumber, std::string_view text, std::string_view name) {
    const double value = base::parseLeadingNumber(text);
    if (!problem && !std::isfinite(value))
      fail(lineNumber, "the " + std::string(name) + " is not a finite number.");
    return value;
  }

  // A measured value of a point row is one whole number or refused: the
  // lenient reading of the header lines would take "abc", an empty field,
  // "nan" or "0x1C" for 0 and "28.2abc" for 28.2, and a measurement that is
  // not a number must not become one.
  double measured(int lineNumber, int field, const std::string& text, std::string_view name) {
    const std::optional<double> value = base::parseStrictNumber(text);
    if (!problem && !value)
      fail(lineNumber, "the " + std::string(name) + " (field " + std::to_string(field) + ") " +
                           shownField(text) + " is not a number.");
    return value.value_or(0.0);
  }

  // A value stored as a Single must stay finite once rounded to 32 bits.
  float single(int lineNumber, std::string_view text, std::string_view name) {
    const double value = number(lineNumber, text, name);
    if (!problem && !base::fitsSingle(value))
      fail(lineNumber, "the " + std::string(name) + " " + base::generalText(value) +
                           " does not fit a Single (at most about 3.4E+38).");
    return base::roundToSingle(value);
  }

  Int16 integer(int lineNumber, std::string_view text, std::string_view name) {
    const double value = number(lineNumber, text, name);
    const auto rounded = base::roundToInt16(value);
    if (!problem && !rounded)
      fail(lineNumber, "the " + std::string(name) + " " + base::generalText(value) +
                           " lies outside -32768..32767.");
    return rounded.value_or(0);
  }

  void fail(int lineNumber, std::string what) {
    if (!problem)
      problem = ImportProblem{"Line " + std::to_string(lineNumber) + ": " + std::move(what)};
  }

 private:
  std::span<const std::string> lines_;
  char delimiter_;
};

// The values the arrays and the later steps divide by or index with.
void checkHeaderValues(TransectReader& r, TranslocationParameters& p) {
  if (p.FileSeqNo < 0) r.fail(1, "the sequence number must not be negative.");
  if (p.FileSeqNo + 51 > kInt16Max)
    r.fail(1, "the sequence number " + std::to_string(p.FileSeqNo) +
                  " leaves no room for 51 further sequences (at most " +
                  std::to_string(kInt16Max - 51) + ").");
  if (p.NodeCount < 1) r.fail(1, "the point count must be at least 1.");
  if (!(p.Interval > 0.0f)) r.fail(2, "the interval must be greater than 0.");
  if (p.DistrDistance < 0.0f) r.fail(2, "the distribution distance must not be negative.");
  if (!(p.TillDepth > 0.0)) r.fail(4, "the tillage depth must be greater than 0.");
  if (!(p.BulkDensity1 > 0.0) || !(p.BulkDensity2 > 0.0) || !(p.BulkDensity3 > 0.0))
    r.fail(5, "every bulk density must be greater than 0.");
  if (r.problem) return;
  // DistrNodes: whole part of the quotient of the two Single values, formed in Double.
  const double quotient = static_cast<double>(p.DistrDistance) / static_cast<double>(p.Interval);
  const auto nodes = base::floorToInt16(quotient);
  const long long upper = nodes ? 3LL * *nodes + p.NodeCount + 10 : 0;
  if (!nodes || upper > kInt16Max) {
    r.fail(2, "the distribution distance over the interval gives " +
                  base::generalText(std::floor(quotient)) + " distribution nodes; with " +
                  std::to_string(p.NodeCount) +
                  " points the node index 3 x nodes + points + 10 would exceed 32767.");
    return;
  }
  p.DistrNodes = *nodes;
}

// Where the reader stopped short of line `number`: the line is missing,
// longer than any line of the file can be, or could not be read.
ImportProblem lineFault(const base::TextLineReader& reader, int number, std::string_view content) {
  std::string what;
  if (reader.tooLong())
    what = "the line is longer than " + std::to_string(base::kLongestTextLine) + " characters.";
  else if (reader.failed())
    what = "the file cannot be read.";
  else
    what = "the line is missing (" + std::string(content) + " expected).";
  return ImportProblem{"Line " + std::to_string(number) + ": " + what};
}

// A problem found in a line read on its own, given its place in the file.
ImportProblem renumbered(const ImportProblem& problem, int number) {
  const std::string prefix = "Line 1: ";
  std::string what =
      problem.what.rfind(prefix, 0) == 0 ? problem.what.substr(prefix.size()) : problem.what;
  return ImportProblem{"Line " + std::to_string(number) + ": " + what};
}

}  // namespace

std::optional<ImportProblem> readTransectHeader(const std::vector<std::string>& lines,
                                                char delimiter, TranslocationParameters& params,
                                                std::string& substanceUnit) {
  TransectReader r(lines, delimiter);
  TranslocationParameters p;
  if (auto l =
          r.line(1, 3, "\"Sequence=\", the sequence number, \"DataPoints:\" and the point count")) {
    p.FileSeqNo = r.integer(1, l->field(2), "sequence number");
    p.NodeCount = r.integer(1, l->restAfter(3), "point count");
  }
  if (auto l = r.line(2, 4, "the distribution distance and the interval")) {
    p.DistrDistance = r.single(2, l->field(2), "distribution distance");
    p.Interval = r.single(2, l->restAfter(4), "interval");
  }
  if (auto l = r.line(3, 5, "Alpha, Beta and Gamma")) {
    p.Alpha = r.single(3, l->field(2), "Alpha value");
    p.Beta = r.single(3, l->field(4), "Beta value");
    p.Gamma = r.single(3, l->restAfter(5), "Gamma value");
  }
  if (auto l = r.line(4, 1, "the tillage depth"))
    p.TillDepth = r.number(4, l->restAfter(1), "tillage depth");
  if (auto l = r.line(5, 7, "the three bulk densities")) {
    p.BulkDensity1 = r.number(5, l->field(2), "bulk density of layer 1");
    p.BulkDensity2 = r.number(5, l->field(5), "bulk density of layer 2");
    p.BulkDensity3 = r.number(5, l->restAfter(7), "bulk density of layer 3");
  }
  r.line(6, 0, "an empty line");
  r.line(7, 0, "the column names");
  std::string unit;
  if (auto l = r.line(8, 2, "the units")) {
    const std::string units = l->field(2);
    if (units.size() < 3)
      r.fail(8, "the unit field \"" + std::string(units) + "\" is shorter than three characters.");
    else
      unit = std::string(units.substr(0, units.size() - 3));
  }
  if (!r.problem) checkHeaderValues(r, p);
  if (r.problem) return r.problem;
  setImportDefaults(p);
  params = p;
  substanceUnit = std::move(unit);
  return std::nullopt;
}

namespace {

using PointRow = std::array<double, 6>;

// What line kHeaderLines + 1 + i is expected to hold.
std::string pointRowContent(int i, int nodeCount) {
  return "point row " + std::to_string(i + 1) + " of " + std::to_string(nodeCount);
}

// Point row i (from 0) of `nodeCount`, the text of line kHeaderLines + 1 + i.
std::optional<ImportProblem> readPointRow(const std::string& text, char delimiter, int i,
                                          int nodeCount, PointRow& row) {
  const int n = kHeaderLines + 1 + i;
  const std::string content = pointRowContent(i, nodeCount);
  // The reader's line numbers count from the file's first line.
  TransectReader r(std::span(&text, 1), delimiter);
  auto l = r.line(1, 5, content);
  row = {};
  if (l) {
    // Fields after the sixth may only be empty, as a spreadsheet leaves
    // them; anything else there (a decimal comma that split a field, say)
    // would shift the values.
    std::string elevation = l->restAfter(5);
    if (l->delimiterCount() > 5) {
      elevation = l->field(6);
      const std::string after = l->restAfter(6);
      if (after.find_first_not_of(std::string(" \t") + delimiter) != std::string::npos)
        r.fail(1, "a point row holds six values; " + shownField(after) +
                      " follows the elevation (field 6)" +
                      (delimiter == ',' ? ", a decimal comma with the comma delimiter?" : "."));
    }
    row = {r.measured(1, 1, l->field(1), "layer-1 concentration"),
           r.measured(1, 2, l->field(2), "layer-2 concentration"),
           r.measured(1, 3, l->field(3), "layer-3 concentration"),
           r.measured(1, 4, l->field(4), "layer-1 thickness"),
           r.measured(1, 5, l->field(5), "layer-2 thickness"),
           r.measured(1, 6, elevation, "elevation")};
  }
  if (r.problem) return renumbered(*r.problem, n);
  return std::nullopt;
}

// Reads rows first..last - 1 of `lines`; the problem of the first row that has one.
std::optional<ImportProblem> readPointRows(const std::vector<std::string>& lines, char delimiter,
                                           int nodeCount, std::size_t first, std::size_t last,
                                           std::vector<PointRow>& rows) {
  for (std::size_t i = first; i < last; ++i)
    if (auto problem = readPointRow(lines[i], delimiter, static_cast<int>(i), nodeCount, rows[i]))
      return problem;
  return std::nullopt;
}

}  // namespace

std::optional<ImportProblem> readTransectRows(base::TextLineReader& reader, char delimiter,
                                              TranslocationParameters& params, TransectData& data,
                                              ComparisonResults& results) {
  if (auto fault = transectTooLarge(params.DataPointCount, params.DistrNodes, params.FileSeqNo))
    return ImportProblem{"Line 1: " + *fault};
  // The rows are read before the arrays, which may be large, are sized; the
  // lines after the last counted row are not read. The lines are taken
  // first and their numbers read after (in two halves at once for a long
  // transect): the first line in the file with a problem is the one named,
  // whether it could not be read or holds a bad value.
  const int nodeCount = params.NodeCount;
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(nodeCount));
  std::optional<ImportProblem> readFault;
  for (int i = 0; i < nodeCount; ++i) {
    const std::string* text = reader.next();
    if (!text) {
      readFault = lineFault(reader, kHeaderLines + 1 + i, pointRowContent(i, nodeCount));
      break;
    }
    lines.push_back(*text);
  }
  std::vector<PointRow> rows(lines.size());
  if (std::optional<ImportProblem> bad =
          readPointRows(lines, delimiter, nodeCount, 0, lines.size(), rows))
    return bad;
  if (readFault) return readFault;
  const int seq = params.FileSeqNo;
  allocateTransect(params, data, results);
  for (int i = 0; i < params.NodeCount; ++i) {
    const auto& row = rows[static_cast<std::size_t>(i)];
    data.PL1(i, seq) = row[0];
    data.PL2(i, seq) = row[1];
    data.PL3(i) = row[2];
    data.DepthL1(i, seq) = row[3];
    data.DepthL2(i, seq) = row[4];
    data.Elev(i, seq) = row[5];
  }
  params.LastSeqShown = static_cast<Int16>(params.LastSeqShown + 1);
  return std::nullopt;
}

base::Result<> importTransectStream(KolvState& state, std::istream& in, char delimiter) {
  base::TextLineReader reader(in);
  std::vector<std::string> header;
  while (static_cast<int>(header.size()) < kHeaderLines) {
    const std::string* line = reader.next();
    if (!line) break;
    header.push_back(*line);
  }
  TranslocationParameters params;
  TransectData data;
  ComparisonResults results;
  std::optional<ImportProblem> problem;
  if (static_cast<int>(header.size()) < kHeaderLines && (reader.tooLong() || reader.failed()))
    problem = lineFault(reader, static_cast<int>(header.size()) + 1, "a header line");
  if (!problem) problem = readTransectHeader(header, delimiter, params, data.SubstanceUnit);
  if (!problem) problem = readTransectRows(reader, delimiter, params, data, results);
  if (problem) return base::fail(std::string(base::kImportFailed) + "\n" + problem->what);
  adoptImport(state, params, std::move(data), std::move(results));
  return {};
}

base::Result<> importTransectLines(KolvState& state, const std::vector<std::string>& lines,
                                   char delimiter) {
  std::string text;
  for (const std::string& line : lines) text.append(line).append("\n");
  std::istringstream in(text);
  return importTransectStream(state, in, delimiter);
}

base::Result<> importTransectText(KolvState& state, const std::string& path, char delimiter) {
  std::ifstream in(path, std::ios::binary);
  std::error_code unknown;
  if (!in && !std::filesystem::exists(path, unknown))
    return base::fail(std::string(base::kImportFailed) + "\nThe file " + path +
                      " is missing: there is no such file.");
  if (!in)
    return base::fail(std::string(base::kImportFailed) + "\nThe file " + path +
                      " cannot be opened or read.");
  return importTransectStream(state, in, delimiter);
}

}  // namespace sodwright::kolv
