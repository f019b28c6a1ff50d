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

#include "base/files/output_batch.h"
#include "base/text/refusal_text.h"
#include "base/text/report_date.h"
#include "batch/batch_commands.h"
#include "batch/batch_figures.h"
#include "batch/batch_options.h"
#include "batch/batch_services.h"
#include "batch/kolv_options.h"
#include "kolv/check_refusals.h"
#include "kolv/io/compare_csv_writer.h"
#include "kolv/io/compare_report_writer.h"
#include "kolv/io/last_sequence_writer.h"
#include "kolv/kolv_commands.h"
#include "kolv/main_window_checks.h"
#include "kolv/parameter_checks.h"
#include "kolv/stability/stability_end_zones.h"
#include "kolv/stability/stability_warning.h"
#include "kolv/state/transect_setup.h"

namespace sodwright::batch {
namespace {

using kolv::CheckResult;
using kolv::KolvState;

struct KolvOptions {
  KolvStudyOptions study;
  bool strict = false;
  TextOption first, last, report, csv, lastSequence, date, charts, threads;

  // Any option beyond reading and writing back asks for a run: the
  // comparison outputs (report, CSV, charts) exist only after one.
  bool runRequested() const {
    return study.anyBoxGiven() || study.direction.given() || first.given() || last.given() ||
           report.given() || csv.given() || charts.given();
  }
};

// A box's check as the window runs it on leaving the box; a refused value
// fails with the option and its value, the box's message, the true reason
// and the range the box takes.
base::Result<> checkBox(kolv::ParameterCheck check, KolvState& state, const TextOption& option,
                        std::string_view name) {
  if (!option.given()) return {};
  if (const CheckResult taken = check(state, option.value); !taken)
    return base::fail(base::optionRefusalText(name, option.value, taken.message(),
                                              kolv::refusalOf(check, state, option.value)));
  return {};
}

base::Result<> writeOutputs(const KolvState& state, const KolvOptions& options, kolv::Int16 first,
                            kolv::Int16 last, bool withReport) {
  base::OutputBatch outputs;
  if (withReport && options.report.given()) {
    const std::string date = options.date.valueOr(base::todayShortDate());
    if (auto written = kolv::writeCompareReportFile(options.report.value, state, first, last, date);
        !written)
      return base::fail(outputFailure("--report", written.message()));
  }
  if (withReport && options.csv.given()) {
    if (auto written =
            kolv::writeCompareCsvFile(options.csv.value, state, first, last,
                                      kolv::CompareEndZoneFlag(state.params, first, last));
        !written)
      return base::fail(outputFailure("--csv", written.message()));
  }
  if (withReport && options.charts.given()) {
    if (auto written = writeChartsFigureFile(options.charts.value, state); !written)
      return base::fail(outputFailure("--charts", written.message()));
  }
  if (options.lastSequence.given()) {
    if (auto written = kolv::writeLastSequenceText(options.lastSequence.value,
                                                   kolv::lastSequenceFileText(state, last));
        !written)
      return base::fail(outputFailure("--last-sequence", written.message()));
  }
  return outputs.commit();
}

// The exit status of a last step: 0, or 2 after printing why it failed.
int finish(const base::Result<>& step) {
  if (step) return 0;
  printMessage(step.message());
  return 2;
}

int runKolv(const KolvOptions& options) {
  if (!outputsApart("kolv", {{"INPUT", options.study.input}, {"--base", options.study.base.value}},
                    {{"--report", options.report.value},
                     {"--csv", options.csv.value},
                     {"--last-sequence", options.lastSequence.value},
                     {"--charts", options.charts.value}}))
    return 2;
  const int threads = threadsOption(options.threads, "kolv");
  if (threads < 0) return 2;
  const auto delimiter =
      delimiterOption(options.study.delimiter.valueOr(defaultDelimiterWord(options.study.input)));
  if (!delimiter) return 2;
  if (options.charts.given()) {
    if (auto named = checkFigureName(options.charts.value); !named) {
      printMessage(named.message());
      return 2;
    }
  }
  KolvState state;
  if (const int status = importKolvStudy(state, options.study, false); status != 0) return status;
  if (!options.runRequested()) {
    // Import and write back: the imported sequence is the starting one.
    return finish(
        writeOutputs(state, options, state.params.StartSeq, state.params.StartSeq, false));
  }
  if (auto applied = applyKolvBoxes(state, options.study); !applied) return finish(applied);
  // Parameters that amplify surface noise: said before the run, which goes
  // ahead unless --strict refuses it.
  if (const auto warning = kolv::beforeRunWarning(state, true)) {
    std::cerr << "kolv: warning: " << *warning << '\n';
    if (options.strict) return 3;
  }

  StderrMessages messages;
  kolv::CommandOutcome outcome;
  // Only the columns the outputs read are kept (kolv::keepReportedColumnsOnly):
  // a long study takes the memory of a few sequences, since a fresh page
  // costs more than the sums that fill it.
  if (options.first.given() || options.last.given()) {
    // The main window's sequence boxes, then its "Run&Model". An unordered
    // pair is an error here, not a reset: the report would not hold the
    // pair asked for.
    if (auto first = checkBox(kolv::checkFirstSeqShown, state, options.first, "--first"); !first)
      return finish(first);
    if (auto last = checkBox(kolv::checkLastSeqShown, state, options.last, "--last"); !last)
      return finish(last);
    kolv::keepReportedColumnsOnly(state);
    outcome = kolv::runModel(state, messages, threads);
    if (outcome.pairReset) return 2;
  } else {
    kolv::keepReportedColumnsOnly(state);
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
      "write the comparison as CSV, 23 columns: the report's 22 and EndZone (1 for a point in "
      "an end zone of the compared sequences), names with units, every digit",
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

}  // namespace sodwright::batch
