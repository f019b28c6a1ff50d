#pragma once
// The KOLV engine: one tillage pass per sequence from StartSeq, each pass
// reading column s and writing column s + 1 of the transect arrays.

#include <optional>
#include <string>

#include "platform/message_service.h"
#include "transect/kolv_state.h"

namespace sodwright::kolv {

// Simulates the sequences StartSeq .. LastSeq - 1 into columns StartSeq + 1 ..
// LastSeq. Notes shown during the run (the layer note) go through `messages`.
// Returns the message to show when the run is refused before it starts (and
// then nothing is changed); empty when the run went through.
std::optional<std::string> RunTranslocation(KolvState& state, platform::MessageService& messages);

}  // namespace sodwright::kolv
