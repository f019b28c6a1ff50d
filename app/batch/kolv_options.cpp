// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/kolv_options.h"

#include <CLI/CLI.hpp>

#include "base/text/refusal_text.h"
#include "batch/batch_services.h"
#include "batch/workbook_input.h"
#include "kolv/check_refusals.h"
#include "kolv/parameter_checks.h"
#include "kolv/parameter_table.h"

namespace sodwright::batch {
namespace {

using kolv::CheckResult;
using kolv::KolvState;

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
  for (std::size_t i = 0; i < kolv::kKolvParameterCount; ++i) {
    const kolv::KolvParameterInfo& box = kolv::kolvParameters()[i];
    // The window's caption spells it "Betta".
    const std::string alias = box.id == kolv::KolvParameter::Beta ? "--betta" : "";
    addTextOption(command, options.boxes[i], std::string("--") + box.name, box.valueName,
                  box.meaning, box.defaultText, alias);
  }
}

base::Result<> applyKolvBoxes(KolvState& state, const KolvStudyOptions& options) {
  if (options.direction.given()) {
    const int index = directionIndex(options.direction.value);
    if (index < 0) return base::fail("kolv: --direction must be forward, backward or alternative");
    kolv::chooseTillDirection(state, index);
  }
  for (std::size_t i = 0; i < kolv::kKolvParameterCount; ++i) {
    if (!options.boxes[i].given()) continue;
    // A refused value names the option and its value after the box's
    // message, with the true reason and the range the box takes.
    const TextOption& option = options.boxes[i];
    const kolv::KolvParameterInfo& box = kolv::kolvParameters()[i];
    if (const CheckResult taken = box.check(state, option.value); !taken)
      return base::fail(base::optionRefusalText(std::string("--") + box.name, option.value,
                                                taken.message(),
                                                kolv::refusalOf(box.check, state, option.value)));
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

}  // namespace sodwright::batch
