// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The transect ends before a pass: beyond a margin of 2s nodes inside each
// end (s the sequence number), the elevation is replaced by a profile whose
// slope falls linearly to zero over 3D + 2s nodes, then ten flat nodes.

#include "kolv/state/column_view.h"

namespace sodwright::kolv {

struct EndZoneShape {
  int nodeCount = 0;   // N
  int distrNodes = 0;  // D
  int sequence = 0;    // s, the column being replaced
  double dx = 0.0;     // m
};

// Replaces the end zones of one elevation column: the upstream zone first,
// then the downstream one, which decides where the two meet (N <= 4s).
// The column must hold nodes -3D-10 .. N+3D+10, and the seeds 2s + 1 and
// N - 2s - 2 (see HighestRunSequence).
void replaceEndZones(const ColumnView<double>& elev, const EndZoneShape& shape);

}  // namespace sodwright::kolv
