// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every transect import does alike, whatever the file: the defaults of
// the parameters a file does not carry, fresh arrays of the import bounds,
// and the swap that replaces the held state only after a valid read.

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

// Replaces the held parameters, arrays and results with a fully read import.
void adoptImport(KolvState& state, const TranslocationParameters& params, TransectData&& data,
                 ComparisonResults&& results);

}  // namespace sodwright::kolv
