#pragma once
// Comparison of a first and a last simulated sequence: elevation change,
// soil loss per sequence, and substance amount and concentration in the up
// and sub sampling layers at every node.

#include "platform/message_service.h"
#include "transect/kolv_state.h"

namespace sodwright::kolv {

// Fills state.results for nodes 0 .. NodeCount - 1. Requires first < last
// (callers refuse other pairs with their own message).
void CompareSequences(KolvState& state, Int16 first, Int16 last, double upDepth, double subDepth,
                      platform::MessageService& messages);

}  // namespace sodwright::kolv
