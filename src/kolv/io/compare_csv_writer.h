// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The KOLV comparison as CSV: the 22 columns of the comparison report (and
// an end-zone flag when asked for), one
// header record of column names with their units ("P1_0 (mg/kg)"), then one
// record per point with every number in full (a Single at a Single's
// precision), comma-separated, quoted where a field must be. An empty amount
// is written as 0, as the report prints it.

#include <functional>
#include <ostream>
#include <string>

#include "base/result.h"
#include "kolv/state/kolv_state.h"

namespace sodwright::kolv {

// Whether point i lay in an end zone of the compared sequences; when given,
// a last column "EndZone" holds 1 for such points and 0 for the others.
using EndZoneFlag = std::function<bool(int point)>;

void writeCompareCsv(std::ostream& out, const KolvState& state, Int16 first, Int16 last,
                     const EndZoneFlag& endZone = {});

// Writes the file; fails with the reason when it cannot.
base::Result<> writeCompareCsvFile(const std::string& path, const KolvState& state, Int16 first,
                                   Int16 last, const EndZoneFlag& endZone = {});

}  // namespace sodwright::kolv
