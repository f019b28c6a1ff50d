// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The checks of the KOLV parameters as typed, and the choice of the tillage
// direction. Each takes the typed text and stores the value in the state. A
// refused value is the Result's failure, with the message to show; the check
// has then stored the value kept, and keptValueText gives its text.

#include <string>
#include <string_view>

#include "base/result.h"
#include "kolv/state/kolv_state.h"

namespace sodwright::kolv {

// How a check took a text it did not refuse: stored, or passed over (an
// empty text).
enum class Taken { Stored, Ignored };

using CheckResult = base::Result<Taken>;
using ParameterCheck = CheckResult (*)(KolvState&, std::string_view);

// The text of the value kept after `check` refused a text, read back from
// the state. Covers the parameter checks and the shown-pair checks.
std::string keptValueText(const KolvState& state, ParameterCheck check);

inline constexpr std::string_view kSeqCountMessage =
    "This program can lony run 50 sequences at one time. Please refer to the help file for more "
    "information.";
inline constexpr std::string_view kNodeCountMessage =
    "Dooooon't try to fool me, Buddy! You don't have so many data points.";
inline constexpr std::string_view kLateralMessage =
    "Dooooon't try to fool me, Buddy! Anyways, Lateral movement has not been included in this "
    "model.";
inline constexpr std::string_view kPositiveMessage =
    "Dooooon't try to fool me, Buddy! You got to have a positive value here.";
inline constexpr std::string_view kBothWeightsZeroMessage =
    "SG Weight: Front and SG Weight: Back cannot both be zero. At least one of them must be "
    "greater than zero.";
inline constexpr std::string_view kScScaleRangeMessage =
    "SC scale must set to be lower than the distribution distance in this model.";
inline constexpr std::string_view kInputFrequencyMessage =
    "Dooooon't try to fool me, Buddy! Input frequency must be greater or equal to 1.";
inline constexpr std::string_view kOutOfRangeMessage =
    "This number is too large for this box. Please input a smaller one.";
inline constexpr std::string_view kReadOnlyMessage = "Please don't change this value!";
inline constexpr std::string_view kSelectFromListMessage = "Please select from the list.";

// Simulating sequences (SeqCount): 1..50 (a value that rounds to 0 is refused too); then
// LastSeq = StartSeq + SeqCount and LastSeqShown = LastSeq.
CheckResult checkSeqCount(KolvState& state, std::string_view text);
// Total data points (NodeCount): 1..DataPointCount.
CheckResult checkNodeCount(KolvState& state, std::string_view text);
// Lateral translocation columns (LateralColumns): >= 0.
CheckResult checkLateralColumns(KolvState& state, std::string_view text);
// SG weight front and back (SgWeightFront, SgWeightBack): >= 0, and not both 0.
CheckResult checkSgWeightFront(KolvState& state, std::string_view text);
CheckResult checkSgWeightBack(KolvState& state, std::string_view text);
// SC scale (ScScale): 0 <= ScScale < DistrDistance. The held value's own text
// (see scScaleText) leaves that value as it is.
CheckResult checkScScale(KolvState& state, std::string_view text);
// The text of ScScale: one decimal, rounded down.
std::string scScaleText(float scScale);
// Tillage depth (TillDepth), up-layer depth (UpLayerDepth): > 0; sub-layer depth
// (SubLayerDepth): >= 0; finite.
CheckResult checkTillDepth(KolvState& state, std::string_view text);
CheckResult checkUpLayerDepthParameter(KolvState& state, std::string_view text);
CheckResult checkSubLayerDepthParameter(KolvState& state, std::string_view text);
// Input frequency (InputFrequency): floor of the value, 1..SeqCount.
CheckResult checkInputFrequency(KolvState& state, std::string_view text);
// Alpha, Beta, Gamma, the layer decay rates (DecayRate1, DecayRate2, typed in
// %) and the input amount (InputAmount): any number the field can hold; one
// beyond it (1E+39 for a Single, an infinite Double) gets kOutOfRangeMessage
// and the value kept stays.
CheckResult setAlpha(KolvState& state, std::string_view text);
CheckResult setBeta(KolvState& state, std::string_view text);
CheckResult setGamma(KolvState& state, std::string_view text);
CheckResult setDecayRate1Percent(KolvState& state, std::string_view text);
CheckResult setDecayRate2Percent(KolvState& state, std::string_view text);
CheckResult setInputAmount(KolvState& state, std::string_view text);

// Tillage direction: choice 0 Forward, 1 Backward, 2 Alternative; sets
// TillDirection and DirectionSign (+1, -1, +1). Other indices change nothing.
void chooseTillDirection(KolvState& state, int listIndex);

}  // namespace sodwright::kolv
