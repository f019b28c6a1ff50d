// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Comparison of a first and a last simulated sequence: elevation change,
// soil loss per sequence, and substance amount and concentration in the up
// and sub sampling layers at every node.

#include <optional>
#include <string>

#include "base/result.h"
#include "kolv/state/kolv_state.h"
#include "platform/message_service.h"

namespace sodwright::kolv {

inline constexpr const char* kComparisonOrderMessage =
    "The first seqence No. must be smaller than the last sequence No.";
inline constexpr const char* kComparisonNoDataMessage =
    "Please import a transect and run the model first.";
inline constexpr const char* kComparisonDivisorMessage =
    "The data point interval and the bulk densities of layers 1 and 2 must be greater than zero. "
    "Please check your data file.";
inline constexpr const char* kFirstSequenceNote =
    "Note: First sequence tillage depth beyound the range, mistakes could be generated!!!";
inline constexpr const char* kLastSequenceNote =
    "Note: Last sequence tillage depth beyound the range, mistakes could be generated!!!";

// Succeeds when `first` and `last` can be compared: first < last, both held
// by the arrays, and no zero divisor among the interval and bulk densities 1,
// 2. Otherwise fails with the message that refuses the comparison.
base::Result<> checkComparison(const KolvState& state, int first, int last);

// Fills state.results for nodes 0 .. NodeCount - 1. A pair that
// CheckComparison refuses changes nothing; its message goes through
// `messages`. A node whose layer 2 is negative at a sequence keeps the
// amounts it held for that sequence and shows the first- or last-sequence
// note, once per node and sequence. A zero window thickness gives a
// concentration of 0 for that window.
void compareSequences(KolvState& state, Int16 first, Int16 last, double upDepth, double subDepth,
                      platform::MessageService& messages);

}  // namespace sodwright::kolv
