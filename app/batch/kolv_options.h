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

// Imports the input and, with `applyBoxes`, applies the direction and the
// boxes with the parameter window's checks. Returns 0, or 2 after printing
// why not.
int importKolvStudy(kolv::KolvState& state, const KolvStudyOptions& options, bool applyBoxes);

// Declares --threads N (workers; left out: every core).
void addThreadsOption(CLI::App& command, TextOption& threads);
// The thread count (0 when left out), or -1 after printing why the text is refused.
int threadsOption(const TextOption& threads, const std::string& command);

}  // namespace sodwright::batch
