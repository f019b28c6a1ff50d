// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The options of a KOLV study that `kolv`, `kolv-fit` and `kolv-ensemble`
// share: the input, its delimiter and base file, the direction list and the
// parameter window's boxes (one option per row of the parameter table), each
// applied through the box's own check.

#include <array>
#include <cstddef>
#include <string>

#include "base/result.h"
#include "batch/batch_options.h"
#include "kolv/parameter_table.h"
#include "kolv/state/kolv_state.h"

namespace CLI {
class App;
}

namespace sodwright::batch {

inline constexpr std::size_t kKolvBoxCount = kolv::kKolvParameterCount;
// The index of --sequences among the boxes.
inline constexpr std::size_t kSequencesBox =
    static_cast<std::size_t>(kolv::KolvParameter::Sequences);

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

// Imports the input and, with `apply`, applies the direction and the
// boxes with the parameter window's checks. Returns 0, or 2 after printing
// why not.
int importKolvStudy(kolv::KolvState& state, const KolvStudyOptions& options, bool apply);

}  // namespace sodwright::batch
