// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/parameter_checks.h"

#include <cmath>
#include <functional>
#include <utility>

#include "base/number_fit.h"
#include "base/number_text.h"
#include "kolv/main_window_checks.h"

namespace sodwright::kolv {
namespace {

CheckResult accepted() { return Taken::Stored; }
CheckResult ignored() { return Taken::Ignored; }
CheckResult rejected(std::string_view message) { return base::fail(message); }

std::string integerText(Int16 value) { return base::generalText(static_cast<long long>(value)); }

// A Single weight box: >= 0 (and finite once stored), and not zero together
// with the other weight, since the engine divides by their sum.
CheckResult checkWeight(float& weight, float other, std::string_view text) {
  if (text.empty()) return ignored();
  const float value = base::roundToSingle(base::parseLeadingNumber(text));
  if (!(value >= 0.0f) || std::isinf(value)) {
    weight = 0.5f;
    return rejected(kPositiveMessage);
  }
  if (value == 0.0f && other == 0.0f) {
    weight = 0.5f;
    return rejected(kBothWeightsZeroMessage);
  }
  weight = value;
  return accepted();
}

CheckResult checkDepth(double& depth, std::string_view text, bool zeroAllowed) {
  if (text.empty()) return ignored();
  const double value = base::parseLeadingNumber(text);
  if ((zeroAllowed ? !(value >= 0.0) : !(value > 0.0)) || !base::fitsDouble(value)) {
    depth = 0.2;
    return rejected(kPositiveMessage);
  }
  depth = value;
  return accepted();
}

// A box without a range of its own: any number its field can hold. A value
// that does not fit is refused and the box shows the value kept.
CheckResult setSingle(float& field, std::string_view text) {
  if (text.empty()) return ignored();
  const double value = base::parseLeadingNumber(text);
  if (!base::fitsSingle(value)) return rejected(kOutOfRangeMessage);
  field = base::roundToSingle(value);
  return accepted();
}

// A rate typed in % and held as a fraction.
CheckResult setPercent(double& field, std::string_view text) {
  if (text.empty()) return ignored();
  const double value = base::parseLeadingNumber(text) / 100.0;
  if (!base::fitsDouble(value)) return rejected(kOutOfRangeMessage);
  field = value;
  return accepted();
}

}  // namespace

CheckResult checkSeqCount(KolvState& state, std::string_view text) {
  if (text.empty()) return ignored();
  TranslocationParameters& p = state.params;
  const double value = base::parseLeadingNumber(text);
  CheckResult result = accepted();
  // A value up to 0.5 passes "above 0" but would store 0 sequences: a run
  // of nothing and a comparison of a sequence with itself.
  const auto count = base::roundToInt16(value);
  if (!(value > 0.0) || value > 50.0 || !count || *count == 0) {
    p.SeqCount = 50;
    result = rejected(kSeqCountMessage);
  } else {
    p.SeqCount = *count;
  }
  p.LastSeq = static_cast<Int16>(p.StartSeq + p.SeqCount);
  p.LastSeqShown = p.LastSeq;
  return result;
}

CheckResult checkNodeCount(KolvState& state, std::string_view text) {
  if (text.empty()) return ignored();
  TranslocationParameters& p = state.params;
  const auto count = base::roundToInt16(base::parseLeadingNumber(text));
  if (!count || *count > p.DataPointCount || *count < 1) {
    p.NodeCount = p.DataPointCount;
    return rejected(kNodeCountMessage);
  }
  p.NodeCount = *count;
  return accepted();
}

CheckResult checkLateralColumns(KolvState& state, std::string_view text) {
  if (text.empty()) return ignored();
  const auto columns = base::roundToInt16(base::parseLeadingNumber(text));
  if (!columns || *columns < 0) {
    state.params.LateralColumns = 0;
    return rejected(kLateralMessage);
  }
  state.params.LateralColumns = *columns;
  return accepted();
}

CheckResult checkSgWeightFront(KolvState& state, std::string_view text) {
  return checkWeight(state.params.SgWeightFront, state.params.SgWeightBack, text);
}

CheckResult checkSgWeightBack(KolvState& state, std::string_view text) {
  return checkWeight(state.params.SgWeightBack, state.params.SgWeightFront, text);
}

std::string scScaleText(float scScale) {
  // Each step rounded to Single: 0.7 (held as 0.699999988) shows 0.7, not 0.6.
  const float tenfold = scScale * 10.0f;
  const float shown = std::floor(tenfold) / 10.0f;
  return base::generalTextSingle(shown);
}

CheckResult checkScScale(KolvState& state, std::string_view text) {
  if (text.empty()) return ignored();
  TranslocationParameters& p = state.params;
  // The box still shows the held value cut to one decimal: it was not
  // edited, and leaving it keeps the value as held.
  if (text == scScaleText(p.ScScale) && p.ScScale >= 0.0f && p.ScScale < p.DistrDistance)
    return accepted();
  const float value = base::roundToSingle(base::parseLeadingNumber(text));
  if (!(value >= 0.0f) || !(value < p.DistrDistance)) {
    p.ScScale = p.DistrDistance;
    return rejected(kScScaleRangeMessage);
  }
  p.ScScale = value;
  return accepted();
}

CheckResult checkTillDepth(KolvState& state, std::string_view text) {
  return checkDepth(state.params.TillDepth, text, false);
}

CheckResult checkUpLayerDepthParameter(KolvState& state, std::string_view text) {
  return checkDepth(state.params.UpLayerDepth, text, false);
}

CheckResult checkSubLayerDepthParameter(KolvState& state, std::string_view text) {
  return checkDepth(state.params.SubLayerDepth, text, true);
}

CheckResult checkInputFrequency(KolvState& state, std::string_view text) {
  if (text.empty()) return ignored();
  TranslocationParameters& p = state.params;
  const auto frequency = base::floorToInt16(base::parseLeadingNumber(text));
  if (!frequency || *frequency < 1 || *frequency > p.SeqCount) {
    p.InputFrequency = 1;
    return rejected(kInputFrequencyMessage);
  }
  p.InputFrequency = *frequency;
  return accepted();
}

CheckResult setAlpha(KolvState& state, std::string_view text) {
  return setSingle(state.params.Alpha, text);
}
CheckResult setBeta(KolvState& state, std::string_view text) {
  return setSingle(state.params.Beta, text);
}
CheckResult setGamma(KolvState& state, std::string_view text) {
  return setSingle(state.params.Gamma, text);
}

CheckResult setDecayRate1Percent(KolvState& state, std::string_view text) {
  return setPercent(state.params.DecayRate1, text);
}

CheckResult setDecayRate2Percent(KolvState& state, std::string_view text) {
  return setPercent(state.params.DecayRate2, text);
}

CheckResult setInputAmount(KolvState& state, std::string_view text) {
  if (text.empty()) return ignored();
  const double value = base::parseLeadingNumber(text);
  // Each input is added into the layer sums, which are held as Singles.
  if (!base::fitsSingle(value)) return rejected(kOutOfRangeMessage);
  state.params.InputAmount = value;
  return accepted();
}

std::string keptValueText(const KolvState& state, ParameterCheck check) {
  using Text = std::function<std::string(const TranslocationParameters&)>;
  auto single = [](float TranslocationParameters::*field) {
    return Text(
        [field](const TranslocationParameters& p) { return base::generalTextSingle(p.*field); });
  };
  auto real = [](double TranslocationParameters::*field, double scale = 1.0) {
    return Text([field, scale](const TranslocationParameters& p) {
      return base::generalText(p.*field * scale);
    });
  };
  auto integer = [](Int16 TranslocationParameters::*field) {
    return Text([field](const TranslocationParameters& p) { return integerText(p.*field); });
  };
  using P = TranslocationParameters;
  const std::pair<ParameterCheck, Text> keptTexts[] = {
      {checkSeqCount, integer(&P::SeqCount)},
      {checkNodeCount, integer(&P::NodeCount)},
      {checkLateralColumns, integer(&P::LateralColumns)},
      {checkSgWeightFront, single(&P::SgWeightFront)},
      {checkSgWeightBack, single(&P::SgWeightBack)},
      {checkScScale, single(&P::ScScale)},
      {checkTillDepth, real(&P::TillDepth)},
      {checkUpLayerDepthParameter, real(&P::UpLayerDepth)},
      {checkSubLayerDepthParameter, real(&P::SubLayerDepth)},
      {checkInputFrequency, integer(&P::InputFrequency)},
      {setAlpha, single(&P::Alpha)},
      {setBeta, single(&P::Beta)},
      {setGamma, single(&P::Gamma)},
      {setDecayRate1Percent, real(&P::DecayRate1, 100.0)},
      {setDecayRate2Percent, real(&P::DecayRate2, 100.0)},
      {setInputAmount, real(&P::InputAmount)},
      {checkFirstSeqShown, integer(&P::FirstSeqShown)},
      {checkLastSeqShown, integer(&P::LastSeqShown)},
      {checkUpLayerDepth, real(&P::UpLayerDepth)},
      {checkSubLayerDepth, real(&P::SubLayerDepth)},
  };
  for (const auto& [known, text] : keptTexts)
    if (known == check) return text(state.params);
  return {};
}

void chooseTillDirection(KolvState& state, int listIndex) {
  if (listIndex < 0 || listIndex > 2) return;
  state.params.TillDirection = static_cast<Int16>(listIndex);
  state.params.DirectionSign = listIndex == kBackward ? Int16{-1} : Int16{1};
}

}  // namespace sodwright::kolv
