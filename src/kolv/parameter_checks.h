#pragma once
// The checks of the KOLV parameter window's boxes, run when a box loses the
// focus, and the direction list. Each takes the typed text and stores the
// value in the state. A refused value is the Result's failure, with the
// message to show; the check has then stored the value kept, and
// keptBoxText gives the text the box shows instead.

#include <string>
#include <string_view>

#include "base/result.h"
#include "kolv/state/kolv_state.h"

namespace sodwright::kolv {

// How a check took a box's text it did not refuse: stored, or passed over
// (an empty box).
enum class Taken { Stored, Ignored };

using CheckResult = base::Result<Taken>;
using BoxCheck = CheckResult (*)(KolvState&, std::string_view);

// What a box shows after `check` refused its text: the value kept, read back
// from the state. Covers the checks of both KOLV windows.
std::string keptBoxText(const KolvState& state, BoxCheck check);

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

// TxtSeq: SeqCount 1..50 (a value that rounds to 0 is refused too); then
// LastSeq = StartSeq + SeqCount and LastSeqShown = LastSeq.
CheckResult checkSeqCount(KolvState& state, std::string_view text);
// TxtNodes: NodeCount 1..DataPointCount.
CheckResult checkNodeCount(KolvState& state, std::string_view text);
// TxtLateralCol: LateralColumns >= 0.
CheckResult checkLateralColumns(KolvState& state, std::string_view text);
// TxtSGWtF, TxtSGWtB: >= 0, and not both 0.
CheckResult checkSgWeightFront(KolvState& state, std::string_view text);
CheckResult checkSgWeightBack(KolvState& state, std::string_view text);
// TxtSCScl: 0 <= ScScale < DistrDistance. The box's own text for the held
// value (see scScaleBoxText) leaves that value as it is.
CheckResult checkScScale(KolvState& state, std::string_view text);
// What TxtSCScl shows for ScScale: one decimal, rounded down.
std::string scScaleBoxText(float scScale);
// TxtTillD, TxtUpLrD: > 0; TxtSubLrD: >= 0; finite.
CheckResult checkTillDepth(KolvState& state, std::string_view text);
CheckResult checkUpLayerDepthParameter(KolvState& state, std::string_view text);
CheckResult checkSubLayerDepthParameter(KolvState& state, std::string_view text);
// TxtInputFrq: floor of the value, 1..SeqCount.
CheckResult checkInputFrequency(KolvState& state, std::string_view text);
// TxtAlpha, TxtBetta, TxtGamma, TxtDRate1, TxtDRate2 (typed in %), TxtInputAmt:
// any number the field can hold; one beyond it (1E+39 for a Single, an
// infinite Double) gets kOutOfRangeMessage and the box shows the value kept.
CheckResult setAlpha(KolvState& state, std::string_view text);
CheckResult setBeta(KolvState& state, std::string_view text);
CheckResult setGamma(KolvState& state, std::string_view text);
CheckResult setDecayRate1Percent(KolvState& state, std::string_view text);
CheckResult setDecayRate2Percent(KolvState& state, std::string_view text);
CheckResult setInputAmount(KolvState& state, std::string_view text);

// CboTDirect: list index 0 Forward, 1 Backward, 2 Alternative; sets
// TillDirection and DirectionSign (+1, -1, +1). Other indices change nothing.
void chooseTillDirection(KolvState& state, int listIndex);

}  // namespace sodwright::kolv
