// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The true reason and the accepted range of each KOLV box check, for the
// text that goes beside the box's own message (which may give no reason, or
// the wrong one: "Input frequency must be greater or equal to 1" also for a
// frequency above the sequence count).

#include <string_view>

#include "base/text/refusal_text.h"
#include "kolv/parameter_checks.h"

namespace sodwright::kolv {

// Why `check` refused `typed`, and what it takes, its limits read from
// `state` (the check leaves them as they were).
base::Refusal refusalOf(ParameterCheck check, const KolvState& state, std::string_view typed);

}  // namespace sodwright::kolv
