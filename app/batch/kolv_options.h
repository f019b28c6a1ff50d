// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The options of a KOLV study that `kolv` and `kolv-fit` share: the input,
// its delimiter and base file, the direction list and the parameter
// window's boxes, each applied through the box's own check.

#include <array>
#include <cstddef>
#include <string>

#include "base/result.h"
#include "batch/batch_options.h"
#include "kolv/state/kolv_state.h"

namespace CLI {
class App;
}

namespace sodwright::batch {

inline constexpr std::size_t kKolvBoxCount = 16;
// The index of --sequences among the boxes.
inline constexpr std::size_t kSequencesBox = 0;

struct KolvStudyOptions {
  std::string input;
  TextOption delimiter, base, direction;
  std::array<TextOption, kKolvBoxCount> boxes;
  bool anyBoxGiven() const;
};

// INPUT, --delimiter, --base, --direction and the boxes, in that order.
void addKolvStudyOptions(CLI::App& command, KolvStudyOptions& options);

// The direction list and the boxes as the parameter window applies them; a
// refused value fails with the box's message.
base::Result<> applyKolvBoxes(kolv::KolvState& state, const KolvStudyOptions& options);

}  // namespace sodwright::batch
