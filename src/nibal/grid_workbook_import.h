// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading a grid from the first worksheet of a workbook: one node per row
// from row 1, rows outer and columns inner, column A the easting, B the
// northing, C the elevation, R x C rows in all (the range "A1:C" followed by
// R x C). Eastings and northings are kept as read, number or text; an empty
// elevation reads as 0. The cells go through the same record builder as the
// text import, so both validate and store alike.

#include <string>

#include "nibal/grid_import.h"
#include "nibal/grid_state.h"
#include "platform/workbook.h"

namespace sodwright::nibal {

// The R x C records of the worksheet. A row whose three cells are all empty
// is a missing record; an elevation cell holding text that is no number is
// a fault; both name the cell.
base::Result<GridData> readGridWorksheet(const platform::Worksheet& sheet, int rows, int columns);

// Opens the workbook at `path` and reads it as above.
base::Result<GridData> readGridWorkbookFile(platform::WorkbookReader& reader,
                                            const std::string& path, int rows, int columns);

}  // namespace sodwright::nibal
