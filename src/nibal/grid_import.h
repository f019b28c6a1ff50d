// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading grid node records into a new grid, and replacing the state's grid
// only with a complete, valid one.
//
// Records come in node order (rows outer, columns inner). A text file is split
// into records here; a workbook reader feeds its cells (easting, northing,
// elevation) into the same GridRecordBuilder, so both imports validate and
// store the same way.

#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "nibal/grid_state.h"

namespace sodwright::nibal {

inline constexpr int kMostFieldsPerLine = 10;

// The three grids of one import.
struct GridData {
  GridArray<GridCoordinate> easting;
  GridArray<GridCoordinate> northing;
  GridArray<double> elevation;
  // A first line with no number in any field names the columns: it is
  // skipped, and kept here so that the user is told.
  std::string skippedHeading;
};

class GridRecordBuilder {
 public:
  GridRecordBuilder(int rows, int columns);

  // Stores the next node. Returns the fault when the grid is already full.
  std::optional<std::string> add(GridCoordinate easting, GridCoordinate northing, double elevation);
  // The fault when records are missing; empty when every node is filled.
  std::optional<std::string> missingRecords() const;

  int recordCount() const { return count_; }
  GridData take() { return std::move(data_); }

 private:
  int rows_;
  int columns_;
  int count_ = 0;
  GridData data_;
};

// The message of a failed import: `place` is "Line 12" or "Row 12" and the
// like, `fault` what is wrong there.
std::string importFailureMessage(std::string_view place, std::string_view fault);

// The fields of one line: leading and trailing delimiters dropped, then a
// split at every delimiter (two delimiters in a row give an empty field, runs
// of blanks are not merged); a field in double quotes is read as its content.
std::vector<std::string> gridLineFields(std::string_view line, char delimiter);

// The note that a heading line was skipped, as the batch and the viewer say it.
std::string skippedHeadingNote(std::string_view heading);

// Reads a grid file line by line. Lines that hold only blanks and delimiters
// are skipped; a first line with no number in any field is a heading and
// skipped too; every other line is one record whose third field must be a
// finite number. Reading stops at the first fault, at a line longer than
// base::kLongestTextLine and at a record beyond the grid's node count.
base::Result<GridData> readGridStream(std::istream& in, char delimiter, int rows, int columns);

// The same over the whole text of a grid file.
base::Result<GridData> parseGridText(std::string_view content, char delimiter, int rows,
                                     int columns);

// Reads the file at `path`, as parseGridText.
base::Result<GridData> readGridTextFile(const std::string& path, char delimiter, int rows,
                                        int columns);

// Puts a complete import into the state: the definition's texts into
// `GridInfo`, the node count, the three grids; earlier results are dropped as
// they belong to another grid.
void replaceGrid(GridState& state, const GridDefinition& definition, GridData&& data);

}  // namespace sodwright::nibal
