// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The NIBAL report: grid, model and parameters, then one table line per node,
// in 14-character print zones, lines ended by CR LF.
//
// A field placed "in the next zone" starts at the first zone (columns 1, 15,
// 29, ...) that leaves at least one blank after the previous field. So a field
// that fills its zone exactly, or runs past it, is followed by a whole zone of
// blanks: the report stays readable and splits on blanks.

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "base/result.h"
#include "nibal/grid_state.h"
#include "nibal/large_grid.h"

namespace sodwright::nibal {

inline constexpr std::size_t kPrintZoneWidth = 14;

class ZoneLine {
 public:
  // Starts `text` at the next print zone (the first field at column 1).
  ZoneLine& field(std::string_view text);
  const std::string& text() const { return text_; }

 private:
  std::string text_;
  bool started_ = false;
};

// An easting or northing for the report: a number, or a text that is one
// whole number (blanks around it aside), with `decimals` decimals; other
// text unchanged.
std::string reportCoordinateText(const GridCoordinate& value, int decimals);

// Whether the result grids belong to the imported grid, so that a report can be written.
bool hasResults(const GridState& state);

// The lines before the table, for a grid of `nodeCount` nodes.
void writeGridReportHeading(std::ostream& out, const GridInfo& info, long long nodeCount,
                            const std::string& dateText);

// The table line of node (r, c), counted from 1, without its line end. The
// heading and these lines let a caller write the report of a grid it never
// holds whole (the batch's node-by-node run of a large raster).
std::string gridReportLine(int r, int c, const GridCoordinate& easting,
                           const GridCoordinate& northing, double elevation,
                           const NodeResults& results);

// Writes the report of the last run. `dateText` is the date line. The state
// must hold results (hasResults); writeGridReportFile checks that.
void writeGridReport(std::ostream& out, const GridState& state, const std::string& dateText);

// Writes the report file, replacing an existing one. Fails with the reason
// (no results, cannot create, cannot write).
base::Result<> writeGridReportFile(const std::string& path, const GridState& state,
                                   const std::string& dateText);

}  // namespace sodwright::nibal
