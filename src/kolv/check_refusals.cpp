// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/check_refusals.h"

#include <string>

#include "base/number_text.h"
#include "kolv/main_window_checks.h"

namespace sodwright::kolv {
namespace {

std::string whole(Int16 value) { return base::generalText(static_cast<long long>(value)); }
std::string single(float value) { return base::generalTextSingle(value); }

// The range of a check; empty for a function that is not one of the checks.
std::string acceptedRange(ParameterCheck check, const TranslocationParameters& p) {
  constexpr const char* kAnySingle = "any number up to 3.402823E+38 in size";
  if (check == checkSeqCount) return "a whole number of sequences from 1 to 50";
  if (check == checkNodeCount)
    return "1 to the data points of the file, " + whole(p.DataPointCount);
  if (check == checkLateralColumns) return "a whole number from 0 to 32767";
  if (check == checkSgWeightFront)
    return "0 or more, not 0 while SG Weight: Back is 0 (it is " + single(p.SgWeightBack) + ")";
  if (check == checkSgWeightBack)
    return "0 or more, not 0 while SG Weight: Front is 0 (it is " + single(p.SgWeightFront) + ")";
  if (check == checkScScale)
    return "0 m up to, not including, the distribution distance, " + single(p.DistrDistance) + " m";
  if (check == checkTillDepth || check == checkUpLayerDepthParameter ||
      check == checkUpLayerDepth || check == checkSubLayerDepth)
    return "a depth above 0 m";
  if (check == checkSubLayerDepthParameter) return "a depth of 0 m or more";
  if (check == checkInputFrequency)
    return "1 to the number of simulating sequences, " + whole(p.SeqCount);
  if (check == setAlpha || check == setBeta || check == setGamma || check == setInputAmount)
    return kAnySingle;
  if (check == setDecayRate1Percent || check == setDecayRate2Percent)
    return "any number up to 1.797693E+310 % in size";
  if (check == checkFirstSeqShown)
    return "the starting sequence, " + whole(p.StartSeq) + ", or later, up to 32767";
  if (check == checkLastSeqShown)
    return "the last simulated sequence, " + whole(p.LastSeq) + ", or earlier";
  return {};
}

// A reason the range does not give by itself.
std::string reasonOf(ParameterCheck check, const TranslocationParameters& p,
                     std::string_view typed) {
  const bool numbered = check != setAlpha && check != setBeta && check != setGamma &&
                        check != setInputAmount && check != setDecayRate1Percent &&
                        check != setDecayRate2Percent;
  // These boxes read a text without a number as 0, which their range refuses.
  if (numbered && base::lacksNumber(typed)) return "not a number, read as 0";
  const bool weight = check == checkSgWeightFront || check == checkSgWeightBack;
  if (weight && base::parseLeadingNumber(typed) == 0.0 &&
      (check == checkSgWeightFront ? p.SgWeightBack : p.SgWeightFront) == 0.0f)
    return "both SG weights would be 0";
  if (check == checkInputFrequency && base::parseLeadingNumber(typed) >= p.SeqCount + 1.0)
    return "more than the simulating sequences";
  return {};
}

}  // namespace

base::Refusal refusalOf(ParameterCheck check, const KolvState& state, std::string_view typed) {
  return {reasonOf(check, state.params, typed), acceptedRange(check, state.params)};
}

}  // namespace sodwright::kolv
