// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/grid_import.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

#include "base/number_text.h"
#include "base/text/csv_text.h"
#include "base/text/text_file.h"
#include "nibal/grid_messages.h"

namespace sodwright::nibal {

namespace {

std::string gridSizeText(int rows, int columns) {
  return std::to_string(static_cast<long long>(rows) * columns) + " nodes of the grid (" +
         std::to_string(rows) + " rows x " + std::to_string(columns) + " columns)";
}

bool isBlankLine(std::string_view line, char delimiter) {
  for (char ch : line)
    if (ch != ' ' && ch != '\t' && ch != delimiter) return false;
  return true;
}

base::Failure failure(std::string_view place, std::string_view fault) {
  return base::fail(importFailureMessage(place, fault));
}

bool hasNumberField(const std::vector<std::string>& fields) {
  for (const std::string& field : fields)
    if (base::parseStrictNumber(field)) return true;
  return false;
}

std::string delimiterWord(char delimiter) {
  switch (delimiter) {
    case ' ':
      return "Space";
    case '\t':
      return "Tab";
    case ',':
      return "Comma";
    case ';':
      return "Semicolon";
    default:
      return std::string("\"") + delimiter + "\"";
  }
}

// A line that names the columns holds no number however it is cut: a data
// line read with the wrong delimiter is not taken for one.
bool isHeading(std::string_view line, const std::vector<std::string>& fields) {
  if (hasNumberField(fields)) return false;
  for (const char other : {'\t', ',', ';', ' '})
    if (hasNumberField(gridLineFields(line, other))) return false;
  return true;
}

// Says how the line was cut and, when one of the dialog's delimiters cuts it
// into a record with a numeric third field, which one the line seems to use.
std::string fieldCountHint(std::string_view line, char delimiter, std::size_t fieldCount) {
  std::string hint = " The line has " + std::to_string(fieldCount) +
                     (fieldCount == 1 ? " field" : " fields") + " with the delimiter " +
                     delimiterWord(delimiter) + ".";
  for (const char other : {'\t', ',', ';', ' '}) {
    if (other == delimiter) continue;
    const std::vector<std::string> fields = gridLineFields(line, other);
    if (fields.size() >= 3 && fields.size() <= static_cast<std::size_t>(kMostFieldsPerLine) &&
        base::parseStrictNumber(fields[2])) {
      hint += " It seems to use " + delimiterWord(other) + ".";
      break;
    }
  }
  return hint;
}

}  // namespace

GridRecordBuilder::GridRecordBuilder(int rows, int columns) : rows_(rows), columns_(columns) {
  data_.easting.allocate(rows, columns);
  data_.northing.allocate(rows, columns);
  data_.elevation.allocate(rows, columns);
}

std::optional<std::string> GridRecordBuilder::add(GridCoordinate easting, GridCoordinate northing,
                                                  double elevation) {
  if (static_cast<long long>(count_) >= static_cast<long long>(rows_) * columns_)
    return "more records than the " + gridSizeText(rows_, columns_);
  // Record n (from 0) is node (n div C + 1, n mod C + 1).
  const int r = count_ / columns_ + 1;
  const int c = count_ % columns_ + 1;
  data_.easting(r, c) = std::move(easting);
  data_.northing(r, c) = std::move(northing);
  data_.elevation(r, c) = elevation;
  ++count_;
  return std::nullopt;
}

std::optional<std::string> GridRecordBuilder::missingRecords() const {
  const long long wanted = static_cast<long long>(rows_) * columns_;
  if (count_ >= wanted) return std::nullopt;
  return "only " + std::to_string(count_) + " records for the " + gridSizeText(rows_, columns_);
}

std::string importFailureMessage(std::string_view place, std::string_view fault) {
  std::string message(base::kImportFailed);
  message += '\n';
  message += place;
  message += ": ";
  message += fault;
  message += '.';
  return message;
}

std::vector<std::string> gridLineFields(std::string_view line, char delimiter) {
  while (!line.empty() && line.front() == delimiter) line.remove_prefix(1);
  while (!line.empty() && line.back() == delimiter) line.remove_suffix(1);
  return base::splitQuotedFields(line, delimiter);
}

std::string skippedHeadingNote(std::string_view heading) {
  return "First line taken as a heading and skipped: " + std::string(heading);
}

base::Result<GridData> readGridStream(std::istream& in, char delimiter, int rows, int columns) {
  base::TextLineReader reader(in);
  GridRecordBuilder builder(rows, columns);
  std::string heading;
  bool firstLine = true;
  // Empty lines are skipped inside the reader: a file of nothing but line
  // ends is read at the speed of the disk.
  while (const std::string* line = reader.next(true)) {
    if (isBlankLine(*line, delimiter)) continue;
    const std::string place = "Line " + std::to_string(reader.lineNumber());
    const std::vector<std::string> fields = gridLineFields(*line, delimiter);
    if (std::exchange(firstLine, false) && isHeading(*line, fields)) {
      heading = *line;
      continue;
    }
    if (fields.size() > static_cast<std::size_t>(kMostFieldsPerLine))
      return failure(place, "more than " + std::to_string(kMostFieldsPerLine) + " fields");
    if (fields.size() < 3)
      return base::fail(importFailureMessage(place, "fewer than three fields") +
                        fieldCountHint(*line, delimiter, fields.size()));
    const std::optional<double> elevation = base::parseStrictNumber(fields[2]);
    if (!elevation) return failure(place, "the third field \"" + fields[2] + "\" is not a number");
    if (auto fault = builder.add(fields[0], fields[1], *elevation)) return failure(place, *fault);
  }
  if (reader.tooLong())
    return failure(
        "Line " + std::to_string(reader.lineNumber()),
        "the line is longer than " + std::to_string(base::kLongestTextLine) + " characters");
  if (reader.failed())
    return failure("Line " + std::to_string(reader.lineNumber() + 1), "the file cannot be read");
  if (auto fault = builder.missingRecords()) {
    const int lines = reader.lineNumber();
    const std::string place =
        lines == 0 ? std::string("Line 1") : "After line " + std::to_string(lines);
    return failure(place, *fault);
  }
  GridData data = builder.take();
  data.skippedHeading = std::move(heading);
  return data;
}

base::Result<GridData> parseGridText(std::string_view content, char delimiter, int rows,
                                     int columns) {
  std::istringstream in{std::string(content)};
  return readGridStream(in, delimiter, rows, columns);
}

base::Result<GridData> readGridTextFile(const std::string& path, char delimiter, int rows,
                                        int columns) {
  std::ifstream in(path, std::ios::binary);
  std::error_code unknown;
  if (!in && !std::filesystem::exists(path, unknown))
    return failure("File " + path, "it is missing: there is no such file");
  if (!in) return failure("File " + path, "it cannot be read");
  return readGridStream(in, delimiter, rows, columns);
}

void replaceGrid(GridState& state, const GridDefinition& definition, GridData&& data) {
  state.info.Rows = definition.rowsText;
  state.info.Columns = definition.columnsText;
  state.info.RowSpacing = definition.rowSpacingText;
  state.info.ColumnSpacing = definition.columnSpacingText;
  state.GridNodeCount = static_cast<std::int16_t>(definition.rows * definition.columns);
  state.GridEasting = std::move(data.easting);
  state.GridNorthing = std::move(data.northing);
  state.GridElevation = std::move(data.elevation);
  state.skippedHeading = std::move(data.skippedHeading);
  state.results.clear();
}

}  // namespace sodwright::nibal
