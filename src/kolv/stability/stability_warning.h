// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The words the program uses about an unstable run: before it (from the
// estimate and the engine measurement) and after it (from the check of the
// stored results). The same words go to the parameter window, the main
// window, the reports and the batch runner; `plain` gives them in ASCII for
// text files and terminals.

#include <optional>
#include <string>

#include "kolv/stability/stability_check.h"
#include "kolv/stability/stability_estimate.h"
#include "kolv/stability/stability_probe.h"

namespace sodwright::kolv {

// What is known before a run. The verdict is the estimate's, so that it
// agrees with the limit the warning names; the engine's measurement is
// quoted beside it as the check.
struct RunAssessment {
  StabilityEstimate estimate;
  MeasuredGrowth measured;
  bool unstable() const { return estimate.unstable(); }
};

// The estimate, then, when it flags the run, the engine measurement seeded
// with its most amplified wave (not measured for a stable run).
RunAssessment assessRun(const KolvState& state);

// "These parameters amplify surface noise by 1.15× per pass (measured:
// 1.13×); keep TD·Betta·100/dx² below 0.36 (now 1.50) or use a longer
// interval" (or, when the curvature term alone is too strong, the advice for
// Gamma and SC Scale); nothing when the run is stable.
std::optional<std::string> beforeRunWarning(const RunAssessment& assessment, bool plain);

// beforeRunWarning(assessRun(state), plain), the estimate worked out in
// full only for parameters found unstable (a stable run's warning is nothing).
std::optional<std::string> beforeRunWarning(const KolvState& state, bool plain);

// "Unstable results: surface noise doubled by sequence 13 (1.08× per pass)";
// nothing when the check found nothing.
std::optional<std::string> afterRunWarning(const RunStabilityCheck& check, bool plain);

// The warning that goes with a run's results (main window, reports, batch):
// the check of the stored columns when it found growth, else the estimate
// from the parameters when they are unstable (cheap: no engine pass).
// Nothing before a run or when both are content.
std::optional<std::string> resultsWarning(const KolvState& state, bool plain);

// Reports write it in place of an empty line of their layout, so that no
// other line moves: "WARNING: " and the results warning.
inline constexpr const char* kReportWarningPrefix = "WARNING: ";

}  // namespace sodwright::kolv
