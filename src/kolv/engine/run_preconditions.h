// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a run needs before it starts. A run that cannot be carried out is
// refused with a message and changes nothing.

#include <optional>
#include <string>

#include "base/result.h"
#include "kolv/state/kolv_state.h"

namespace sodwright::kolv {

inline constexpr const char* kRunNoTransectMessage =
    "Please import a transect before running the model.";
// The same words as the weight boxes use when both would be zero.
inline constexpr const char* kRunNoWeightMessage =
    "SG Weight: Front and SG Weight: Back cannot both be zero. At least one of them must be "
    "greater than zero.";
inline constexpr const char* kRunScScaleMessage =
    "SC scale must set to be lower than the distribution distance in this model.";
inline constexpr const char* kRunTillDepthMessage = "The tillage depth must be greater than zero.";
inline constexpr const char* kRunTooFewNodesMessage =
    "The model needs a transect of at least 2 data points. Please raise the total data points.";
inline constexpr const char* kRunZeroDivisorMessage =
    "The data point interval and the bulk densities of layers 1 and 2 must be greater than zero. "
    "Please check your data file.";

// The highest sequence a run may reach on a transect of `nodeCount` nodes
// whose arrays hold the nodes nodeLower .. nodeUpper (an import gives
// -3D-10 .. 3D+P+10). The end zones of sequence s take their slope seeds at
// nodes 2s, 2s+1 and N-2s-2, N-2s-1 and must stay inside that range:
// 2s+1 <= nodeUpper and N-2s-2 >= nodeLower. Where the zones meet (N <= 4s)
// the downstream one, computed second, decides. Beyond the range no import
// or pass has filled the cells the seeds would be read from, so wider
// arrays would only make the seeds up; such runs are refused.
int highestRunSequence(int nodeCount, int nodeLower, int nodeUpper);

// Fails with the message that refuses the run; succeeds when it can go.
base::Result<> checkRunPreconditions(const KolvState& state);

}  // namespace sodwright::kolv
