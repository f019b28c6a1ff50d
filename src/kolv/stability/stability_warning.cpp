// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/stability/stability_warning.h"

#include <cmath>

#include "base/number_text.h"

namespace sodwright::kolv {

namespace {

std::string figure(double value) { return base::nearestFixedText(value, value >= 10 ? 0 : 2); }

std::string times(bool plain) { return plain ? " x" : "\u00d7"; }

}  // namespace

RunAssessment assessRun(const KolvState& state) {
  RunAssessment a;
  a.estimate = estimateStability(state);
  // The measurement is quoted only beside a warning; a stable run is spared
  // its dozen passes over the whole transect.
  if (a.estimate.unstable()) a.measured = measureGrowth(state, a.estimate.wavelength);
  return a;
}

std::optional<std::string> beforeRunWarning(const RunAssessment& a, bool plain) {
  if (!a.unstable()) return std::nullopt;
  std::string text = "These parameters amplify surface noise by " + figure(a.estimate.growth) +
                     times(plain) + " per pass";
  if (a.measured.measured) text += " (measured: " + figure(a.measured.perPass) + times(plain) + ")";
  text += "; ";
  const double limit = a.estimate.diffusionLimit;
  if (limit > 0 && std::isfinite(limit)) {
    text += plain ? "keep TD*Betta*100/dx^2 below " : "keep TD\u00b7Betta\u00b7100/dx\u00b2 below ";
    text += figure(limit) + " (now " + figure(a.estimate.diffusionNumber) +
            ") or use a longer interval";
  } else {
    text += "the curvature term alone does: lower Gamma or use a longer SC Scale";
  }
  return text;
}

std::optional<std::string> beforeRunWarning(const KolvState& state, bool plain) {
  if (!parametersUnstable(state)) return std::nullopt;
  return beforeRunWarning(assessRun(state), plain);
}

std::optional<std::string> afterRunWarning(const RunStabilityCheck& check, bool plain) {
  if (!check.unstable()) return std::nullopt;
  return "Unstable results: surface noise doubled by sequence " +
         std::to_string(check.firstUnstableSequence) + " (" + figure(check.growthPerPass) +
         times(plain) + " per pass); see Trustworthy runs in the guide";
}

std::optional<std::string> resultsWarning(const KolvState& state, bool plain) {
  if (!state.simulated) return std::nullopt;
  if (auto after = afterRunWarning(checkRunStability(state), plain)) return after;
  // Stable parameters say nothing: the verdict alone settles that.
  if (!parametersUnstable(state)) return std::nullopt;
  RunAssessment estimateOnly;
  estimateOnly.estimate = estimateStability(state);
  return beforeRunWarning(estimateOnly, plain);
}

}  // namespace sodwright::kolv
