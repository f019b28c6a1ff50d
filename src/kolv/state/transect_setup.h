// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every transect import does alike, whatever the file: the defaults of
// the parameters a file does not carry, fresh arrays of the import bounds,
// and the swap that replaces the held state only after a valid read.

#include <vector>

#include "kolv/state/kolv_state.h"

namespace sodwright::kolv {

// StartSeq, FirstSeqShown, LastSeqShown = FileSeqNo; LastSeq = FileSeqNo + 1;
// SeqCount 1; DataPointCount = NodeCount; both sampling depths = TillDepth;
// ScScale 0, Forward (+1), SG weights 0.5 / 0.5, no lateral columns, no
// decay, input every sequence with no amount.
void setImportDefaults(TranslocationParameters& p);

// Node bounds -3D-10 .. 3D+N+10 and sequence bounds 0 .. FileSeqNo+51, every
// element cleared; the comparison arrays with the same node bounds.
void allocateTransect(const TranslocationParameters& p, TransectData& data,
                      ComparisonResults& results);

// Makes the arrays a run writes, Elev aside, rolling arrays that keep only
// the columns in `kept` (NodeSeqArray::keepColumnsOnly): for a run none of
// whose readers needs another column, such as the batch runner's. Elev keeps
// every column, since the stability check after a run reads each. Every
// other column must still hold zeros, as after an import.
void keepRunColumnsOnly(TransectData& data, const std::vector<int>& kept);
// The columns the reports, the CSV, the charts and the last-sequence file of
// a run read: the imported column, the starting one, the shown pair, and
// LastSeq and LastSeq + 1. An output that reads another column of a rolling
// array throws in checked builds.
std::vector<int> reportedColumns(const TranslocationParameters& p);
// keepRunColumnsOnly for reportedColumns.
void keepReportedColumnsOnly(KolvState& state);

// Replaces the held parameters, arrays and results with a fully read import.
void adoptImport(KolvState& state, const TranslocationParameters& params, TransectData&& data,
                 ComparisonResults&& results);

}  // namespace sodwright::kolv
