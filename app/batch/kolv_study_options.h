// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The options of `kolv` that set up a study (the input and its import, the
// direction and the parameter window's boxes), shared by the subcommands
// that run KOLV studies so that each takes them in the same words.

#include <array>
#include <string>

#include "batch/batch_options.h"
#include "kolv/state/kolv_state.h"

namespace CLI {
class App;
}

namespace sodwright::batch {

inline constexpr std::size_t kKolvBoxCount = 16;

struct KolvStudyOptions {
  std::string input;
  TextOption delimiter, base, direction;
  std::array<TextOption, kKolvBoxCount> boxes;
  bool anyBoxGiven() const;
};

// Declares INPUT, --delimiter, --base, --direction and the boxes' options.
void addKolvStudyOptions(CLI::App& command, KolvStudyOptions& options);

// Imports the input and applies the direction and the boxes with the
// parameter window's checks. Returns 0, or 2 after printing why not.
int importKolvStudy(kolv::KolvState& state, const KolvStudyOptions& options, bool applyBoxes);

// Declares --threads N (workers; 0 or left out: every core).
void addThreadsOption(CLI::App& command, TextOption& threads);
// The thread count, or -1 after printing why the text is refused.
int threadsOption(const TextOption& threads, const std::string& command);

}  // namespace sodwright::batch
