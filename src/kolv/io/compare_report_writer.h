// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The comparison report "KOLV Results Report": the run's parameters, then for
// every point the first and the last compared sequence side by side with the
// comparison results, tab-separated, CR LF line ends.

#include <ostream>
#include <string>
#include <string_view>

#include "base/result.h"
#include "kolv/state/kolv_state.h"

namespace sodwright::kolv {

// Writes the report of `first` and `last` as the last comparison left the
// results. `dateText` is the date line (the caller passes today's short date).
void writeCompareReport(std::ostream& out, const KolvState& state, Int16 first, Int16 last,
                        std::string_view dateText);

// Writes the report file; fails with the reason when it cannot.
base::Result<> writeCompareReportFile(const std::string& path, const KolvState& state, Int16 first,
                                      Int16 last, std::string_view dateText);

}  // namespace sodwright::kolv
