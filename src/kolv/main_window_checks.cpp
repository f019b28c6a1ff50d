// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/main_window_checks.h"

#include <cmath>

#include "base/number_fit.h"
#include "base/number_text.h"

namespace sodwright::kolv {
namespace {

// The typed value rounded halves to even, not yet limited to 16 bits.
double roundedSequence(std::string_view text) {
  return std::nearbyint(base::parseLeadingNumber(text));
}

CheckResult checkDepth(double& depth, std::string_view text, std::string_view message) {
  if (text.empty()) return Taken::Ignored;
  const double value = base::parseLeadingNumber(text);
  if (!(value > 0.0) || !base::fitsDouble(value)) {
    depth = 0.2;
    return base::fail(message);
  }
  depth = value;
  return Taken::Stored;
}

}  // namespace

CheckResult checkFirstSeqShown(KolvState& state, std::string_view text) {
  if (text.empty()) return Taken::Ignored;
  TranslocationParameters& p = state.params;
  const double value = roundedSequence(text);
  if (!(value >= p.StartSeq) || !base::roundToInt16(value)) {
    // A value beyond 16 bits gets this box's own message too.
    p.FirstSeqShown = p.StartSeq;
    return base::fail(kFirstSeqTooSmallMessage);
  }
  p.FirstSeqShown = *base::roundToInt16(value);
  return Taken::Stored;
}

CheckResult checkLastSeqShown(KolvState& state, std::string_view text) {
  if (text.empty()) return Taken::Ignored;
  TranslocationParameters& p = state.params;
  const double value = roundedSequence(text);
  if (!(value <= p.LastSeq) || !base::roundToInt16(value)) {
    p.LastSeqShown = p.LastSeq;
    return base::fail(kLastSeqTooBigMessage);
  }
  p.LastSeqShown = *base::roundToInt16(value);
  return Taken::Stored;
}

CheckResult checkUpLayerDepth(KolvState& state, std::string_view text) {
  return checkDepth(state.params.UpLayerDepth, text, kUpDepthMessage);
}

CheckResult checkSubLayerDepth(KolvState& state, std::string_view text) {
  return checkDepth(state.params.SubLayerDepth, text, kSubDepthMessage);
}

SequenceOrderCheck checkSequenceOrder(KolvState& state) {
  TranslocationParameters& p = state.params;
  SequenceOrderCheck check;
  if (p.FirstSeqShown < p.LastSeqShown) return check;
  check.message = std::string(kSequenceOrderMessage);
  check.reset = true;
  p.FirstSeqShown = p.StartSeq;
  p.LastSeqShown = p.LastSeq;
  check.proceed = p.FirstSeqShown < p.LastSeqShown;
  return check;
}

}  // namespace sodwright::kolv
