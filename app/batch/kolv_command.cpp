// SPDX-License-Identifier: GPL-3.0-or-later
// sodwright-batch kolv: import a transect file, apply the parameter boxes,
// then "Run KOLV" of the parameter window (or, with --first/--last typed
// into the main window's sequence boxes, its "Run&Model"), and write the
// two outputs.
#include <array>
#include <charconv>
#include <iostream>
#include <memory>
#include <string>

#include <CLI/CLI.hpp>

#include "base/text/report_date.h"
#include "batch/batch_commands.h"
#include "batch/batch_figures.h"
#include "batch/batch_options.h"
#include "batch/batch_services.h"
#include "batch/kolv_study_options.h"
#include "batch/workbook_input.h"
#include "kolv/io/compare_csv_writer.h"
#include "kolv/io/compare_report_writer.h"
#include "kolv/io/last_sequence_writer.h"
#include "kolv/kolv_commands.h"
#include "kolv/main_window_checks.h"
#include "kolv/parameter_checks.h"
#include "kolv/stability/stability_end_zones.h"
#include "kolv/stability/stability_warning.h"

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
constexpr std::array<BoxOption, kKolvBoxCount> kBoxOptions = {{
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
    {"--input-amount", "KG/M2", "Input Amount of the substance per input, kg/m2", "0",
     kolv::setInputAmount},
}};

struct KolvOptions {
  KolvStudyOptions study;
  bool strict = false;
  TextOption first, last, report, csv, lastSequence, date, charts, threads;

  // Any option beyond reading and writing back asks for a run.
  bool runRequested() const {
    return study.anyBoxGiven() || study.direction.given() || first.given() || last.given() ||
           report.given() || charts.given();
  }
};

// A box's check as the window runs it on leaving the box; a refused value
// fails with the box's message.
base::Result<> checkBox(kolv::ParameterCheck check, KolvState& state, const TextOption& option) {
  if (!option.given()) return {};
  if (const CheckResult taken = check(state, option.value); !taken)
    return base::fail(taken.message());
  return {};
}

int directionIndex(const std::string& word) {
  if (word == "forward") return kolv::kForward;
  if (word == "backward") return kolv::kBackward;
  if (word == "alternative") return kolv::kAlternative;
  return -1;
}

// The boxes of the parameter window, with the same checks; a refused value is an error.
base::Result<> applyBoxes(KolvState& state, const KolvStudyOptions& options) {
  if (options.direction.given()) {
    const int index = directionIndex(options.direction.value);
    if (index < 0) return base::fail("kolv: --direction must be forward, backward or alternative");
    kolv::chooseTillDirection(state, index);
  }
  for (std::size_t i = 0; i < kBoxOptions.size(); ++i)
    if (auto checked = checkBox(kBoxOptions[i].check, state, options.boxes[i]); !checked)
      return checked;
  return {};
}

base::Result<> writeOutputs(const KolvState& state, const KolvOptions& options, kolv::Int16 first,
                            kolv::Int16 last, bool withReport) {
  if (withReport && options.report.given()) {
    const std::string date = options.date.valueOr(base::todayShortDate());
    if (auto written = kolv::writeCompareReportFile(options.report.value, state, first, last, date);
        !written)
      return written;
  }
  if (withReport && options.csv.given()) {
    if (auto written =
            kolv::writeCompareCsvFile(options.csv.value, state, first, last,
                                      kolv::CompareEndZoneFlag(state.params, first, last));
        !written)
      return written;
  }
  if (withReport && options.charts.given()) {
    if (auto written = writeChartsFigureFile(options.charts.value, state); !written) return written;
  }
  if (options.lastSequence.given()) {
    if (auto written = kolv::writeLastSequenceFile(options.lastSequence.value, state, last);
        !written)
      return written;
  }
  return {};
}

// The exit status of a last step: 0, or 2 after printing why it failed.
int finish(const base::Result<>& step) {
  if (step) return 0;
  printMessage(step.message());
  return 2;
}

int runKolv(const KolvOptions& options) {
  const int threads = threadsOption(options.threads, "kolv");
  if (threads < 0) return 2;
  if (!delimiterOption(options.study.delimiter.valueOr(defaultDelimiterWord(options.study.input))))
    return 2;
  if (options.charts.given()) {
    if (auto named = checkFigureName(options.charts.value); !named) {
      printMessage(named.message());
      return 2;
    }
  }
  KolvState state;
  if (!options.runRequested()) {
    if (const int status = importKolvStudy(state, options.study, false); status != 0) return status;
    // Import and write back: the imported sequence is the starting one.
    return finish(
        writeOutputs(state, options, state.params.StartSeq, state.params.StartSeq, false));
  }
  if (const int status = importKolvStudy(state, options.study, true); status != 0) return status;
  // Parameters that amplify surface noise: said before the run, which goes
  // ahead unless --strict refuses it.
  if (const auto warning = kolv::beforeRunWarning(kolv::assessRun(state), true)) {
    std::cerr << "kolv: warning: " << *warning << '\n';
    if (options.strict) return 3;
  }

  StderrMessages messages;
  kolv::CommandOutcome outcome;
  if (options.first.given() || options.last.given()) {
    // The main window's sequence boxes, then its "Run&Model". An unordered
    // pair is an error here, not a reset: the report would not hold the
    // pair asked for.
    if (auto first = checkBox(kolv::checkFirstSeqShown, state, options.first); !first)
      return finish(first);
    if (auto last = checkBox(kolv::checkLastSeqShown, state, options.last); !last)
      return finish(last);
    outcome = kolv::runModel(state, messages, threads);
    if (outcome.pairReset) return 2;
  } else {
    outcome = kolv::runKolv(state, messages, threads);
  }
  if (!outcome.simulated || !outcome.compared) return 2;
  if (const auto grown = kolv::afterRunWarning(kolv::checkRunStability(state), true)) {
    std::cerr << "kolv: warning: " << *grown << '\n';
  }
  return finish(writeOutputs(state, options, outcome.first, outcome.last, true));
}

}  // namespace

Command addKolvCommand(CLI::App& runner) {
  CLI::App* kolv = runner.add_subcommand("kolv",
                                         "KOLV transect model: import INPUT, set the parameter "
                                         "boxes, run and compare as \"Run KOLV\" does and "
                                         "write the reports. With no option beyond --delimiter, "
                                         "--base, --last-sequence and --date the "
                                         "transect is imported and written back unchanged.");
  auto options = std::make_shared<KolvOptions>();
  addKolvStudyOptions(*kolv, options->study);
  addTextOption(*kolv, options->first, "--first", "SEQ",
                "first sequence compared, as typed into the main window's First box",
                "the starting sequence");
  addTextOption(*kolv, options->last, "--last", "SEQ",
                "last sequence compared, as typed into the main window's Last box",
                "the last simulated sequence");
  addTextOption(*kolv, options->report, "--report", "FILE",
                "write the comparison report (Compare Results)", "not written");
  addTextOption(
      *kolv, options->csv, "--csv", "FILE",
      "write the comparison as CSV: the report's 22 columns, names with units, every digit",
      "not written");
  addTextOption(*kolv, options->lastSequence, "--last-sequence", "FILE",
                "write the transect at the last compared sequence in the import layout",
                "not written");
  addTextOption(*kolv, options->charts, "--charts", "FILE",
                "draw the four charts of the compared pair into FILE (.png, .svg or .pdf)", "");
  addTextOption(*kolv, options->date, "--date", "TEXT", "date line of the comparison report",
                "today in the locale's short form");
  kolv->add_flag(
      "--strict", options->strict,
      "refuse a run whose parameters amplify surface noise (exit status 3); without it the "
      "warning goes to standard error and the run goes ahead");
  addThreadsOption(*kolv, options->threads);
  return [options] { return runKolv(*options); };
}

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
    addTextOption(command, options.boxes[i], box.name, box.valueName, box.meaning, box.defaultText);
  }
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
  if (auto applied = applyBoxes(state, options); !applied) return finish(applied);
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
