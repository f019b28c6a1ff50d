// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The NIBAL results as CSV, one record per node (rows outer, columns inner):
// row, column, easting, northing, elevation and the seven result grids, with
// one header record of names, every number in full. An easting or northing
// read as text is written as that text.

#include <ostream>
#include <string>

#include "base/result.h"
#include "nibal/grid_state.h"
#include "nibal/large_grid.h"

namespace sodwright::nibal {

// Writes the header record on construction, then one record per node().
class GridCsvWriter {
 public:
  explicit GridCsvWriter(std::ostream& out);
  // Node (r, c), counted from 1.
  void node(int r, int c, const GridCoordinate& easting, const GridCoordinate& northing,
            double elevation, const NodeResults& results);

 private:
  std::ostream& out_;
};

// One node's record as node() writes it, without the line end.
std::string gridCsvRecord(int r, int c, const GridCoordinate& easting,
                          const GridCoordinate& northing, double elevation,
                          const NodeResults& results);

// The results of the last run of the state's grid.
void writeGridCsv(std::ostream& out, const GridState& state);

// Writes the file, replacing an existing one. Fails with the reason (no
// results, cannot create, cannot write).
base::Result<> writeGridCsvFile(const std::string& path, const GridState& state);

}  // namespace sodwright::nibal
