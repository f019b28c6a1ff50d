// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The last-sequence output: the transect at one sequence in the layout of a
// transect data file (tab between fields, CR LF line ends), so that it can be
// imported again with the tab delimiter and simulated further.

#include <ostream>
#include <string>

#include "base/result.h"
#include "kolv/state/kolv_state.h"

namespace sodwright::kolv {

// Writes the file's lines to `out`. The sequence must be a column of the
// imported arrays.
void writeLastSequence(std::ostream& out, const KolvState& state, Int16 sequence);

// Writes the file; fails with the reason when it cannot (nothing imported, a
// sequence outside the arrays, a file that cannot be written).
base::Result<> writeLastSequenceFile(const std::string& path, const KolvState& state,
                                     Int16 sequence);

// writeLastSequenceFile in two steps, so that the text can be made while
// something else is written: the text (or why there is none), then the file.
base::Result<std::string> lastSequenceFileText(const KolvState& state, Int16 sequence);
base::Result<> writeLastSequenceText(const std::string& path,
                                     const base::Result<std::string>& text);

}  // namespace sodwright::kolv
