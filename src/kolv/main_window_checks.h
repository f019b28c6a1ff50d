// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The checks of the shown pair as typed (first and last sequence shown, up-
// and sub-layer sampling depth) and the order check before a comparison of
// the shown sequences (Redraw, Run&Model).

#include <optional>
#include <string>
#include <string_view>

#include "kolv/parameter_checks.h"

namespace sodwright::kolv {

inline constexpr std::string_view kFirstSeqTooSmallMessage =
    "Seqence No. can not be smaller than the first sequence No.";
inline constexpr std::string_view kLastSeqTooBigMessage =
    "Seqence No. can not be bigger than the last sequence No.";
inline constexpr std::string_view kUpDepthMessage = "Upper layer depth must greater then zero";
inline constexpr std::string_view kSubDepthMessage = "subper layer depth must greater then zero";
inline constexpr std::string_view kSequenceOrderMessage =
    "The first seqence No. must be smaller than the last sequence No.";

// First sequence shown (FirstSeqShown): not below StartSeq (a value beyond 16 bits is refused
// too).
CheckResult checkFirstSeqShown(KolvState& state, std::string_view text);
// Last sequence shown (LastSeqShown): not above LastSeq (a value beyond 16 bits is refused
// too).
CheckResult checkLastSeqShown(KolvState& state, std::string_view text);
// Up- and sub-layer sampling depth (UpLayerDepth, SubLayerDepth): > 0, else 0.2.
CheckResult checkUpLayerDepth(KolvState& state, std::string_view text);
CheckResult checkSubLayerDepth(KolvState& state, std::string_view text);

struct SequenceOrderCheck {
  bool proceed = true;                 // compare FirstSeqShown .. LastSeqShown
  std::optional<std::string> message;  // shown before going on (or refusing)
  bool reset = false;                  // the pair is now StartSeq and LastSeq
};

// Before a comparison of the shown sequences: when FirstSeqShown >= LastSeqShown
// the message is shown and the pair reset to StartSeq and LastSeq; the
// comparison goes on only when that pair is ordered.
SequenceOrderCheck checkSequenceOrder(KolvState& state);

}  // namespace sodwright::kolv
