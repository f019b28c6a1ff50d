// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts the NIBAL windows and the batch runner show, exactly as the user
// sees them. The texts every import shares (an unsupported file, a failed
// import) come from shell/import_messages.h.

#include <string_view>

#include "base/text/import_messages.h"

namespace sodwright::nibal {

inline constexpr std::string_view kGridValueWrong =
    "Grid information wrong, please input them again";
inline constexpr std::string_view kGridWrongOrImportFailed =
    "Grid information wrong or importing data failed, please try again";

inline constexpr std::string_view kNoteTitle = "Note";
inline constexpr std::string_view kBettaColMissing = "Betta on Column direction is missing!";
inline constexpr std::string_view kBettaRowMissing = "Betta on Row direction is missing!";
inline constexpr std::string_view kGammaRowMissing = "Gamma on Row direction is missing!";
inline constexpr std::string_view kGammaColMissing = "Gamma on Column direction is missing!";
inline constexpr std::string_view kAllMissingTitle = "Kiding?";
inline constexpr std::string_view kAllMissing = "You miss all parameters??? Please try again.";

inline constexpr std::string_view kOutputFailed =
    "Out put data failed. Please check your input data or model parameters and try again.";

}  // namespace sodwright::nibal
