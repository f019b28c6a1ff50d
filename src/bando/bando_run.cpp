// SPDX-License-Identifier: GPL-3.0-or-later
#include "bando/bando_run.h"

#include <cmath>

#include "base/number_text.h"

namespace sodwright::bando {
namespace {

using base::formatMask;

// Erodibility from the slope tables, in single precision.
void erodibilityFromTables(BandoState& state, BandoRunOutcome& out) {
  const Int16 s = state.SlopeClassIdx;
  const Int16 f = state.SurfaceFormIdx;
  const float gradient = maxSlopeGradientAt(state.tables, s, f);
  const float length = convexSlopeLengthAt(state.tables, s, f);
  const Int16 area = ConvexAreaAt(state.tables, s, f);
  state.ErodibilityEI = gradient * 10000.0f / length;
  out.msgText = formatMask(gradient, kSlopeMask);
  out.cslText = formatMask(length, kSlopeMask);
  out.caText = formatMask(area, kSlopeMask);
  out.eiText = formatMask(state.ErodibilityEI, kEiMask);
}

// Erodibility from typed slope data, formed in double precision and stored
// as a Single. Returns false when the run ends here.
bool erodibilityFromSlopeData(BandoState& state, const SlopeDataTexts& typed,
                              BandoRunOutcome& out) {
  const double gradient = base::parseLeadingNumber(typed.maxSlopeGradient);
  const double length = base::parseLeadingNumber(typed.convexSlopeLength);
  if (!(gradient > 0.0 && length > 0.0)) {
    out.erodibilityMessages.emplace_back(kPleaseInputData);
    out.stop = RunStop::Erodibility;
    out.focus = RunFocus::MaxSlopeGradient;
    return false;
  }
  const float ei = base::roundToSingle(gradient * 10000.0 / length);
  if (!std::isfinite(ei)) {
    // Slope data too large for a Single: no sensible erodibility to show.
    out.erodibilityMessages.emplace_back(kCheckInputData);
    out.stop = RunStop::Erodibility;
    out.focus = RunFocus::MaxSlopeGradient;
    return false;
  }
  state.ErodibilityEI = ei;
  out.eiText = formatMask(ei, kEiMask);
  if (typed.convexArea.empty()) out.erodibilityMessages.emplace_back(kConvexAreaMissing);
  return true;
}

}  // namespace

std::optional<std::string_view> classForRate(float rateAt) {
  if (rateAt >= 33.0f) return "Severe";
  if (rateAt >= 22.0f) return "High";
  if (rateAt >= 11.0f) return "Medium";
  if (rateAt >= 6.0f) return "Low";
  if (rateAt >= 0.0f) return "Tolerable";
  return std::nullopt;
}

BandoRunOutcome runBando(BandoState& state, const SlopeDataTexts& typed) {
  BandoRunOutcome out;

  if (state.UseSlopeData != 0) {
    if (!erodibilityFromSlopeData(state, typed, out)) return out;
  } else {
    erodibilityFromTables(state, out);
  }

  float et = state.ImplEt;
  if (state.UseTillageData == 0) {
    et = cropErosivityAt(state.tables, state.CropTypeIdx, state.RegionIdx, state.TillSysIdx);
    if (!(et >= 0.0f)) {
      out.etNoteVisible = true;
      out.stop = RunStop::Erosivity;
      out.focus = RunFocus::CropType;
      return out;
    }
  }
  state.ErosivityEt = et;
  out.etText = formatMask(et, kEtMask);

  state.RateAt = state.ErosivityEt * state.ErodibilityEI / 1000.0f;
  if (!std::isfinite(state.RateAt)) {
    // A product beyond single precision has neither a shown value nor a class.
    out.messages.emplace_back(kCheckInputData);
    out.stop = RunStop::Class;
    return out;
  }
  out.atText = formatMask(state.RateAt, kRateMask);

  const auto riskClass = classForRate(state.RateAt);
  if (!riskClass) {
    out.messages.emplace_back(kCheckInputData);
    out.stop = RunStop::Class;
    return out;
  }
  out.classText = std::string(*riskClass);
  return out;
}

}  // namespace sodwright::bando
