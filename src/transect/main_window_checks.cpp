#include "transect/main_window_checks.h"

#include <cmath>

#include "shell/number_fit.h"
#include "shell/number_text.h"

namespace sodwright::kolv {
namespace {

std::string integerText(Int16 value) { return shell::generalText(static_cast<long long>(value)); }

// The typed value rounded halves to even, not yet limited to 16 bits.
double roundedSequence(std::string_view text) {
  return std::nearbyint(shell::parseLeadingNumber(text));
}

CheckResult checkDepth(double& depth, std::string_view text, std::string_view message) {
  if (text.empty()) return CheckResult{CheckOutcome::Ignored, {}, {}};
  const double value = shell::parseLeadingNumber(text);
  if (!(value > 0.0) || !shell::fitsDouble(value)) {
    depth = 0.2;
    return CheckResult{CheckOutcome::Rejected, std::string(message), "0.2"};
  }
  depth = value;
  return {};
}

}  // namespace

CheckResult checkFirstSeqShown(KolvState& state, std::string_view text) {
  if (text.empty()) return CheckResult{CheckOutcome::Ignored, {}, {}};
  TranslocationParameters& p = state.params;
  const double value = roundedSequence(text);
  if (!(value >= p.StartSeq) || !shell::roundToInt16(value)) {
    // A value beyond 16 bits gets this box's own message too.
    p.FirstSeqShown = p.StartSeq;
    return CheckResult{CheckOutcome::Rejected, std::string(kFirstSeqTooSmallMessage),
                       integerText(p.StartSeq)};
  }
  p.FirstSeqShown = *shell::roundToInt16(value);
  return {};
}

CheckResult checkLastSeqShown(KolvState& state, std::string_view text) {
  if (text.empty()) return CheckResult{CheckOutcome::Ignored, {}, {}};
  TranslocationParameters& p = state.params;
  const double value = roundedSequence(text);
  if (!(value <= p.LastSeq) || !shell::roundToInt16(value)) {
    p.LastSeqShown = p.LastSeq;
    return CheckResult{CheckOutcome::Rejected, std::string(kLastSeqTooBigMessage),
                       integerText(p.LastSeq)};
  }
  p.LastSeqShown = *shell::roundToInt16(value);
  return {};
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
