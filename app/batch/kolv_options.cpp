// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/kolv_options.h"

#include <charconv>

#include <CLI/CLI.hpp>

#include "base/text/refusal_text.h"
#include "batch/batch_services.h"
#include "batch/workbook_input.h"
#include "kolv/check_refusals.h"
#include "kolv/parameter_checks.h"

namespace sodwright::batch {
namespace {

using kolv::CheckResult;
using kolv::KolvState;

struct BoxOption {
  const char* name;
  const char* valueName;
  const char* meaning;
  const char* defaultText;
  CheckResult (*check)(KolvState&, std::string_view);
};

// The parameter window's boxes in the order they are applied: left column,
// then right column, top to bottom (the direction list comes first).
constexpr std::array<BoxOption, 16> kBoxOptions = {{
    {"--sequences", "N", "Simulating Sequences, 1 to 50", "1", kolv::checkSeqCount},
    {"--nodes", "N", "Total Data Points simulated, 1 to the points of the file", "all points",
     kolv::checkNodeCount},
    {"--lateral-columns", "N", "Lateral Translocation Columms, >= 0 (kept, not used)", "0",
     kolv::checkLateralColumns},
    {"--sg-weight-front", "X", "SG Weight: Front, >= 0", "0.5", kolv::checkSgWeightFront},
    {"--sg-weight-back", "X", "SG Weight: Back, >= 0", "0.5", kolv::checkSgWeightBack},
    {"--sc-scale", "M", "SC Scale in m, 0 up to (not including) the distribution distance", "0",
     kolv::checkScScale},
    {"--decay1", "PERCENT", "Layer 1 Decay Rate in % per sequence", "0",
     kolv::setDecayRate1Percent},
    {"--decay2", "PERCENT", "Layer 2 Decay Rate in % per sequence", "0",
     kolv::setDecayRate2Percent},
    {"--till-depth", "M", "Tillage Depth in m, > 0", "from the file", kolv::checkTillDepth},
    {"--up-depth", "M", "Up-Layer Depth in m, > 0", "the tillage depth of the file",
     kolv::checkUpLayerDepthParameter},
    {"--sub-depth", "M", "Sub-Layer Depth in m, >= 0", "the tillage depth of the file",
     kolv::checkSubLayerDepthParameter},
    {"--alpha", "M", "Alpha of the translocation distance, m", "from the file", kolv::setAlpha},
    {"--beta", "M/%", "Betta of the translocation distance, m per % slope", "from the file",
     kolv::setBeta},
    {"--gamma", "M2/%", "Gamma of the translocation distance, m2 per %/m curvature",
     "from the file", kolv::setGamma},
    {"--input-frequency", "N", "Input Frequency in sequences, 1 to the simulated sequences", "1",
     kolv::checkInputFrequency},
    {"--input-amount", "MASS/M2",
     "Input Amount of the substance per input, in the transect's substance mass per m2 (mg/m2 "
     "for a file in mg/kg, g/m2 for g/kg); the report's line prints \"kg/m2\" beside it",
     "0", kolv::setInputAmount},
}};
static_assert(kBoxOptions.size() == kKolvBoxCount);

int directionIndex(const std::string& word) {
  if (word == "forward") return kolv::kForward;
  if (word == "backward") return kolv::kBackward;
  if (word == "alternative") return kolv::kAlternative;
  return -1;
}

}  // namespace

bool KolvStudyOptions::anyBoxGiven() const {
  for (const TextOption& box : boxes)
    if (box.given()) return true;
  return false;
}

void addKolvStudyOptions(CLI::App& command, KolvStudyOptions& options) {
  command
      .add_option("INPUT", options.input,
                  "transect data file (.txt, .dat, .csv, .tsv) or workbook (.xls, .xlsx, .ods)")
      ->required();
  addTextOption(command, options.delimiter, "--delimiter", "WORD", kDelimiterMeaning,
                "comma for .csv, tab otherwise");
  addTextOption(
      command, options.base, "--base", "FILE",
      "transect text file imported before a workbook INPUT; it gives the tillage depth, bulk "
      "densities and substance unit a workbook lacks",
      "none");
  addTextOption(command, options.direction, "--direction", "WORD",
                "Tillage Direction: forward, backward or alternative", "forward");
  for (std::size_t i = 0; i < kBoxOptions.size(); ++i) {
    const BoxOption& box = kBoxOptions[i];
    // The window's caption spells it "Betta".
    const std::string alias = std::string_view(box.name) == "--beta" ? "--betta" : "";
    addTextOption(command, options.boxes[i], box.name, box.valueName, box.meaning, box.defaultText,
                  alias);
  }
}

base::Result<> applyKolvBoxes(KolvState& state, const KolvStudyOptions& options) {
  if (options.direction.given()) {
    const int index = directionIndex(options.direction.value);
    if (index < 0) return base::fail("kolv: --direction must be forward, backward or alternative");
    kolv::chooseTillDirection(state, index);
  }
  for (std::size_t i = 0; i < kBoxOptions.size(); ++i) {
    if (!options.boxes[i].given()) continue;
    // A refused value names the option and its value after the box's
    // message, with the true reason and the range the box takes.
    const TextOption& option = options.boxes[i];
    if (const CheckResult taken = kBoxOptions[i].check(state, option.value); !taken)
      return base::fail(
          base::optionRefusalText(kBoxOptions[i].name, option.value, taken.message(),
                                  kolv::refusalOf(kBoxOptions[i].check, state, option.value)));
  }
  return {};
}

int importKolvStudy(KolvState& state, const KolvStudyOptions& options, bool apply) {
  const auto delimiter =
      delimiterOption(options.delimiter.valueOr(defaultDelimiterWord(options.input)));
  if (!delimiter) return 2;
  if (const auto imported =
          importTransectInput(state, options.input, *delimiter, options.base.value);
      !imported.ok()) {
    printMessage(imported.message());
    return 2;
  }
  if (!apply) return 0;
  if (auto applied = applyKolvBoxes(state, options); !applied) {
    printMessage(applied.message());
    return 2;
  }
  return 0;
}

void addThreadsOption(CLI::App& command, TextOption& threads) {
  addTextOption(command, threads, "--threads", "N",
                "worker threads; the results are the same bits on any number", "every core");
}

int threadsOption(const TextOption& threads, const std::string& command) {
  if (!threads.given()) return 0;
  int value = -1;
  const std::string& text = threads.value;
  const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || stop != text.data() + text.size() || value < 1 ||
      value > 1024) {
    printMessage(command + ": --threads must be a whole number from 1 to 1024: " + text);
    return -1;
  }
  return value;
}

}  // namespace sodwright::batch
