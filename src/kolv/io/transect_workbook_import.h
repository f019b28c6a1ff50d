// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading a transect workbook: header cells B1 (sequence number), B2
// (distribution distance), E2 (interval), B3, D3, F3 (Alpha, Beta, Gamma),
// then one point per row from row 7: A and B the substance amounts of
// layers 1 and 2, C and D their thicknesses, E the elevation; -100 in
// column E after the last point ends the transect.
//
// A workbook carries no tillage depth, bulk densities, unit or layer-3
// concentration. The import keeps the tillage depth, bulk densities and unit
// of the current parameter set, refuses when those are still 0, derives the
// concentrations PL1 and PL2 from the amounts, takes layer 3 as free of the
// substance, and sets the same defaults as the text import. Like the text
// import it sizes the arrays afresh and replaces the held transect only when
// the whole workbook is valid.

#include <optional>
#include <string>

#include "kolv/io/transect_import.h"
#include "kolv/state/kolv_state.h"
#include "platform/workbook.h"

namespace sodwright::kolv {

inline constexpr int kFirstPointRow = 7;
inline constexpr double kEndOfTransect = -100.0;

// Reads the header cells into `params` (which holds the current set on entry
// and keeps what the workbook does not carry), counts the point rows and
// sets the derived values and import defaults. Problems name the cell.
std::optional<ImportProblem> readSheetHeader(const platform::Worksheet& sheet,
                                             TranslocationParameters& params);

// Sizes the arrays from the header values and reads the point rows at
// sequence FileSeqNo, deriving the concentrations; then raises
// LastSeqShown by one, as the text import does.
std::optional<ImportProblem> readSheetRows(const platform::Worksheet& sheet,
                                           TranslocationParameters& params, TransectData& data,
                                           ComparisonResults& results);

// Both steps; replaces the state's parameters, data and results only on success.
base::Result<> importTransectWorksheet(KolvState& state, const platform::Worksheet& sheet);

// The import command's reading of a workbook file.
base::Result<> importTransectWorkbook(KolvState& state, platform::WorkbookReader& reader,
                                      const std::string& path);

}  // namespace sodwright::kolv
