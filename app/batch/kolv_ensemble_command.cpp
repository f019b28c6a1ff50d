// SPDX-License-Identifier: GPL-3.0-or-later
// sodwright-batch kolv-ensemble: the study as `kolv` sets it up, run many
// times with parameters drawn from the stated distributions; percentiles per
// node of the last sequence to CSV, the spread of the mean and maximum soil
// loss and a sensitivity line to standard output.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <iostream>
#include <memory>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "base/files/output_batch.h"
#include "base/number_text.h"
#include "base/text/csv_text.h"
#include "base/text/report_date.h"
#include "batch/batch_commands.h"
#include "batch/batch_figures.h"
#include "batch/batch_options.h"
#include "batch/batch_services.h"
#include "batch/kolv_options.h"
#include "kolv/io/compare_report_writer.h"
#include "kolv/io/last_sequence_writer.h"
#include "kolv/stability/stability_warning.h"
#include "kolv/study/ensemble_csv_writer.h"
#include "kolv/study/ensemble_run.h"
#include "kolv/study/study_runs.h"
#include "platform/system_memory.h"

namespace sodwright::batch {
namespace {

constexpr const char* kName = "kolv-ensemble";

struct EnsembleOptions {
  KolvStudyOptions study;
  std::vector<std::string> vary;
  TextOption runs, seed, percentiles, csv, charts, threads, report, lastSequence, date;
  bool dropUnstable = false;
  bool includeEndZones = false;
  bool strict = false;
};

int refuse(const std::string& text) {
  printMessage(std::string(kName) + ": " + text);
  return 2;
}

// A whole number from `least` up, the whole text.
template <class T>
std::optional<T> wholeNumber(const std::string& text, T least) {
  T value{};
  const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || stop != text.data() + text.size() || value < least)
    return std::nullopt;
  return value;
}

std::string number(double value) {
  if (std::isnan(value)) return "n/a";
  return base::generalText(value, 6);
}

std::string signedNumber(double value) {
  if (std::isnan(value)) return "n/a (constant)";
  // The sign always written, as "%+.3f" writes it.
  return (std::signbit(value) ? "" : "+") + base::nearestFixedText(value, 3);
}

std::string percentileName(double p) { return "p" + number(p); }

void printSummary(const kolv::EnsembleResult& r, const kolv::EnsembleSetup& setup,
                  const kolv::KolvState& study) {
  std::cout << kName << ": " << r.ran << " members run (seed " << setup.seed << "), " << r.kept
            << " summarised; sequences " << study.params.StartSeq << " to " << study.params.LastSeq
            << " compared\n";
  std::cout << "unstable: " << r.unstable << " members flagged by the stability estimate"
            << (setup.dropUnstable ? " (left out)" : " (kept; --drop-unstable leaves them out)")
            << "\n";
  if (r.failed > 0)
    std::cout << "failed: " << r.failed << " members (left out); the first: " << r.firstFailure
              << "\n";
  const std::string nodes = kolv::summaryNodesText(r.summary, study.params.LastSeq);
  std::cout << "soil loss, kg/m2/Seq (nearest-rank percentiles of the members"
            << (nodes.empty() ? "" : "; " + nodes) << ")";
  for (double p : r.percentiles) std::cout << "\t" << percentileName(p);
  std::cout << "\tstudy run\n";
  std::cout << "mean over the nodes";
  for (double v : r.meanLossPercentiles) std::cout << "\t" << number(v);
  std::cout << "\t" << number(r.studyMeanLoss) << "\n";
  std::cout << "maximum over the nodes";
  for (double v : r.maxLossPercentiles) std::cout << "\t" << number(v);
  std::cout << "\t" << number(r.studyMaxLoss) << "\n";
  std::vector<std::size_t> order(setup.varied.size());
  std::iota(order.begin(), order.end(), 0);
  const auto strength = [&](std::size_t k) {
    return std::isnan(r.sensitivity[k]) ? -1.0 : std::fabs(r.sensitivity[k]);
  };
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return strength(a) > strength(b); });
  std::cout << "sensitivity (Spearman rank correlation with the mean soil loss, strongest first; "
               "in brackets the partial rank correlation, the other varied parameters taken out):";
  for (std::size_t k : order)
    std::cout << " " << kolv::ensembleParameterName(setup.varied[k].parameter) << " "
              << signedNumber(r.sensitivity[k]) << " (PRCC "
              << signedNumber(r.partialSensitivity[k]) << ")" << (k == order.back() ? "" : ",");
  std::cout << "\n";
}

int runEnsembleCommand(const EnsembleOptions& options) {
  if (!outputsApart(kName, {{"INPUT", options.study.input}, {"--base", options.study.base.value}},
                    {{"--csv", options.csv.value},
                     {"--charts", options.charts.value},
                     {"--report", options.report.value},
                     {"--last-sequence", options.lastSequence.value}}))
    return 2;
  kolv::EnsembleSetup setup;
  if (!options.runs.given()) return refuse("--runs N is required");
  const auto runs = wholeNumber<long long>(options.runs.value, 1);
  if (!runs) return refuse("--runs must be a whole number of at least 1: " + options.runs.value);
  setup.runs = static_cast<std::size_t>(*runs);
  if (options.seed.given()) {
    const auto seed = wholeNumber<std::uint64_t>(options.seed.value, 0);
    if (!seed)
      return refuse("--seed must be a whole number from 0 to 18446744073709551615: " +
                    options.seed.value);
    setup.seed = *seed;
  }
  if (options.percentiles.given()) {
    auto percentiles = kolv::parsePercentiles(options.percentiles.value);
    if (!percentiles) return refuse(percentiles.message());
    setup.percentiles = std::move(*percentiles);
  }
  if (options.vary.empty()) return refuse("give at least one --vary NAME=DIST");
  for (const std::string& text : options.vary) {
    auto varied = kolv::parseVariedParameter(text);
    if (!varied) return refuse(varied.message());
    for (const auto& earlier : setup.varied)
      if (earlier.parameter == varied->parameter)
        return refuse(std::string("--vary ") + kolv::ensembleParameterName(varied->parameter) +
                      " is given twice; vary each parameter once");
    setup.varied.push_back(*varied);
  }
  setup.threads = threadsOption(options.threads, kName);
  if (setup.threads < 0) return 2;
  setup.dropUnstable = options.dropUnstable;
  setup.includeEndZones = options.includeEndZones;
  if (options.charts.given()) {
    if (auto named = checkFigureName(options.charts.value); !named) return refuse(named.message());
  }

  kolv::KolvState imported;
  if (const int status = importKolvStudy(imported, options.study, true); status != 0) return status;
  // As the Uncertainty dialog sets up the window's study.
  const kolv::KolvState study = kolv::studyFromBoxes(imported);
  if (const auto warning = kolv::beforeRunWarning(study, true)) {
    std::cerr << kName << ": warning: the study's own parameters: " << *warning << '\n';
    if (options.strict) return 3;
  }
  auto result = kolv::runEnsemble(study, setup, platform::usableMemoryBytes());
  if (!result) return refuse(result.message());
  printSummary(*result, setup, study);
  base::OutputBatch outputs;
  if (options.csv.given()) {
    if (auto written = writeTextOutput("--csv", options.csv.value, kolv::ensembleCsvText(*result));
        !written)
      return refuse(written.message());
  }
  if (options.charts.given()) {
    if (auto written = writeEnsembleChartsFile(options.charts.value, *result); !written)
      return refuse(outputFailure("--charts", written.message()));
  }
  // The study's own run, as kolv writes it.
  const kolv::KolvState& own = result->studyRun;
  if (options.report.given()) {
    if (auto written = kolv::writeCompareReportFile(options.report.value, own, own.params.StartSeq,
                                                    own.params.LastSeq,
                                                    options.date.valueOr(base::todayShortDate()));
        !written)
      return refuse(outputFailure("--report", written.message()));
  }
  if (options.lastSequence.given()) {
    if (auto written =
            kolv::writeLastSequenceFile(options.lastSequence.value, own, own.params.LastSeq);
        !written)
      return refuse(outputFailure("--last-sequence", written.message()));
  }
  if (auto named = outputs.commit(); !named) return refuse(named.message());
  return 0;
}

std::string parameterList() {
  std::string text;
  for (const auto& info : kolv::ensembleParameters())
    text += std::string("\n  ") + info.name + ": " + info.meaning;
  return text;
}

}  // namespace

Command addKolvEnsembleCommand(CLI::App& runner) {
  CLI::App* command = runner.add_subcommand(
      kName,
      "KOLV ensemble: the study as kolv sets it up (INPUT and the same parameter options), run "
      "--runs times with the --vary parameters drawn from their distributions, and compared "
      "(the starting against the last sequence). Writes per node the percentiles of the "
      "members, the study's own run and the end-zone flag to --csv, and prints the percentiles "
      "of the mean and maximum soil loss over the nodes outside the end zones of the last "
      "sequence, and each varied parameter's Spearman and partial rank correlation (PRCC: "
      "ranks, the other parameters' ranks regressed out of both sides, the residuals "
      "correlated) with that mean soil loss.\n"
      "Percentiles are nearest-rank: of n members the value of rank ceil(p*n/100) (at least 1), "
      "always one member's value. A draw outside a parameter's range is drawn again, at most " +
          std::to_string(kolv::kMaxDraws) +
          " times in a row, then the ensemble is refused. Member m draws from std::mt19937_64 "
          "seeded with splitmix64(splitmix64(S) + m) (S the seed), uniform numbers "
          "(53 bits + 0.5) / 2^53, normal by Box-Muller (cosine branch), lognormal as "
          "MEDIAN * GSD^z, uniform and triangular by their inverse distribution functions, "
          "in the order of the --vary options: the same seed gives the same bits on any "
          "number of threads.\n"
          "Parameters (NAME):" +
          parameterList() +
          "\nDistributions (DIST): normal:MEAN:SD (SD >= 0), lognormal:MEDIAN:GSD (MEDIAN > 0, "
          "GSD >= 1), uniform:LO:HI (LO <= HI), triangular:LO:MODE:HI (LO <= MODE <= HI); "
          "SD 0, GSD 1 and LO = HI give a constant.");
  auto options = std::make_shared<EnsembleOptions>();
  addKolvStudyOptions(*command, options->study);
  addTextOption(*command, options->runs, "--runs", "N", "members of the ensemble, at least 1", "");
  command
      ->add_option("--vary", options->vary,
                   "NAME=DIST: a parameter and its distribution; "
                   "repeat for each parameter varied")
      ->type_name("NAME=DIST");
  addTextOption(*command, options->seed, "--seed", "S", "seed of the draws, 0 to 2^64 - 1", "1");
  addTextOption(*command, options->percentiles, "--percentiles", "LIST",
                "percentiles, ascending, each 0 to 100", "5,50,95");
  addTextOption(*command, options->csv, "--csv", "FILE",
                "write per node of the last sequence each quantity's percentiles, the "
                "study's own run (Input Amount in substance mass per m2) and whether the node "
                "lies in an end zone (EndZone 1 or 0)",
                "not written");
  addTextOption(*command, options->charts, "--charts", "FILE",
                "draw the four charts with the band of the outer percentiles around the median "
                "(the middle one) into FILE (.png, .svg or .pdf)",
                "");
  addTextOption(*command, options->report, "--report", "FILE",
                "write the comparison report of the study's own run (Compare Results)",
                "not written");
  addTextOption(*command, options->lastSequence, "--last-sequence", "FILE",
                "write the study's own run at the last sequence in the import layout",
                "not written");
  addTextOption(*command, options->date, "--date", "TEXT", "date line of the comparison report",
                "today in the locale's short form");
  command->add_flag("--drop-unstable", options->dropUnstable,
                    "leave out the members whose parameters the stability estimate flags "
                    "(they are counted either way)");
  command->add_flag("--include-end-zones", options->includeEndZones,
                    "take the mean and maximum soil loss, the sensitivity and the charts' scales "
                    "over every node, the end zones of the last sequence included (left out "
                    "otherwise)");
  command->add_flag("--strict", options->strict,
                    "refuse (exit status 3) when the study's own parameters amplify surface noise");
  addThreadsOption(*command, options->threads);
  return [options] { return runEnsembleCommand(*options); };
}

}  // namespace sodwright::batch
