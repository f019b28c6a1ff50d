#include "transect/main_window_checks.h"

#include <cmath>

#include "shell/number_fit.h"
#include "shell/number_text.h"

namespace sodwright::kolv {
namespace {

// The typed value rounded halves to even, not yet limited to 16 bits.
double roundedSequence(std::string_view text) {
  return std::nearbyint(shell::parseLeadingNumber(text));
}

CheckResult checkDepth(double& depth, std::string_view text, std::string_view message) {
  if (text.empty()) return Taken::Ignored;
  const double value = shell::parseLeadingNumber(text);
  if (!(value > 0.0) || !shell::fitsDouble(value)) {
    depth = 0.2;
    return shell::fail(message);
  }
  depth = value;
  return Taken::Stored;
}

}  // namespace

CheckResult checkFirstSeqShown(KolvState& state, std::string_view text) {
  if (text.empty()) return Taken::Ignored;
  TranslocationParameters& p = state.params;
  const double value = roundedSequence(text);
  if (!(value >= p.StartSeq) || !shell::roundToInt16(value)) {
    // A value beyond 16 bits gets this box's own message too.
    p.FirstSeqShown = p.StartSeq;
    return shell::fail(kFirstSeqTooSmallMessage);
  }
  p.FirstSeqShown = *shell::roundToInt16(value);
  return Taken::Stored;
}

CheckResult checkLastSeqShown(KolvState& state, std::string_view text) {
  if (text.empty()) return Taken::Ignored;
  TranslocationParameters& p = state.params;
  const double value = roundedSequence(text);
  if (!(value <= p.LastSeq) || !shell::roundToInt16(value)) {
    p.LastSeqShown = p.LastSeq;
    return shell::fail(kLastSeqTooBigMessage);
  }
  p.LastSeqShown = *shell::roundToInt16(value);
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
