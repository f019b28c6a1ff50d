// SPDX-License-Identifier: GPL-3.0-or-later
// sodwright-batch kolv-fit: fit KOLV coefficients to a transect measured
// after some sequences of tillage, and say how sure the fit is.
#include <algorithm>
#include <cstdint>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "base/files/output_batch.h"
#include "base/text/text_file.h"
#include "batch/batch_commands.h"
#include "batch/batch_figures.h"
#include "batch/batch_options.h"
#include "batch/batch_services.h"
#include "batch/kolv_options.h"
#include "batch/workbook_input.h"
#include "kolv/fit/fit_report.h"
#include "kolv/fit/fit_solver.h"

namespace sodwright::batch {
namespace {

using kolv::KolvState;

// The exit status of a fit that did not converge (its best values are still
// reported).
constexpr int kNotConverged = 4;

struct KolvFitOptions {
  KolvStudyOptions study;
  TextOption observed, against, residuals, json, figure, maxRuns, threads, observedDelimiter,
      starts, bootstrap, seed;
  std::vector<std::string> fit;
  std::vector<std::string> bounds;
};

int fail(const std::string& message) {
  printMessage(message);
  return 2;
}

std::vector<std::string> splitNames(const std::vector<std::string>& texts) {
  std::vector<std::string> names;
  for (const std::string& text : texts) {
    std::stringstream in(text);
    std::string name;
    while (std::getline(in, name, ','))
      if (!name.empty()) names.push_back(name);
  }
  return names;
}

base::Result<int> countOption(const TextOption& option, const char* name, int fallback) {
  if (!option.given()) return fallback;
  try {
    std::size_t used = 0;
    const int value = std::stoi(option.value, &used);
    if (used == option.value.size() && value >= 0) return value;
  } catch (const std::exception&) {
  }
  return base::fail(std::string("kolv-fit: ") + name + " must be a whole number >= 0");
}

int runKolvFit(const KolvFitOptions& options) {
  if (!outputsApart("kolv-fit",
                    {{"INPUT", options.study.input},
                     {"--observed", options.observed.value},
                     {"--base", options.study.base.value}},
                    {{"--residuals", options.residuals.value},
                     {"--json", options.json.value},
                     {"--figure", options.figure.value}}))
    return 2;
  const auto delimiter =
      delimiterOption(options.study.delimiter.valueOr(defaultDelimiterWord(options.study.input)));
  if (!delimiter) return 2;
  const auto observedDelimiter = delimiterOption(
      options.observedDelimiter.valueOr(defaultDelimiterWord(options.observed.value)));
  if (!observedDelimiter) return 2;
  const auto column = kolv::fitColumnNamed(options.against.valueOr("elevation"));
  if (!column)
    return fail("kolv-fit: --against must be elevation, pl1, pl2, pl3, upper-mass or total-mass");
  const auto maxRuns = countOption(options.maxRuns, "--max-runs", 0);
  if (!maxRuns) return fail(maxRuns.message());
  const auto starts = countOption(options.starts, "--starts", kolv::kDefaultFitStarts);
  if (!starts || *starts < 1) return fail("kolv-fit: --starts must be a whole number, 1 or more");
  const auto bootstrap = countOption(options.bootstrap, "--bootstrap", 0);
  if (options.bootstrap.given() && (!bootstrap || *bootstrap < 1))
    return fail("kolv-fit: --bootstrap must be a whole number, 1 or more");
  const auto seed = countOption(options.seed, "--seed", 1);
  if (!seed) return fail(seed.message());
  const int threads = threadsOption(options.threads, "kolv-fit");
  if (threads < 0) return 2;
  if (options.figure.given())
    if (auto named = checkFigureName(options.figure.value); !named) return fail(named.message());
  if (options.study.boxes[kSequencesBox].given())
    return fail(
        "kolv-fit: --sequences is not taken: the observed file's sequence says how many "
        "sequences to simulate");

  KolvState study;
  if (const auto imported =
          importTransectInput(study, options.study.input, *delimiter, options.study.base.value);
      !imported.ok())
    return fail(imported.message());
  KolvState measured;
  if (!isWorkbookInput(options.observed.value)) {
    // Read line by line, as INPUT is: the import refuses a point value that
    // is not a number, naming its line and field, and a line too long.
    if (const auto imported =
            kolv::importTransectText(measured, options.observed.value, *observedDelimiter);
        !imported.ok())
      return fail("kolv-fit: observed file: " + imported.message());
  } else if (const auto imported = importTransectInput(
                 measured, options.observed.value, *observedDelimiter, options.study.base.value);
             !imported.ok()) {
    return fail("kolv-fit: observed file: " + imported.message());
  }
  // The Fit dialog's preparation, with the options in place of its boxes.
  const auto prepared = kolv::prepareFit(
      study, measured, splitNames(options.fit), options.bounds, *column,
      [&options](KolvState& fitted) { return applyKolvBoxes(fitted, options.study); });
  if (!prepared) return fail(prepared.message());
  if (auto startable = kolv::checkFitStarts(prepared->study, prepared->setup, *starts); !startable)
    return fail(startable.message());

  kolv::FitOptions fitOptions;
  fitOptions.maxRuns = *maxRuns;
  fitOptions.threads = threads;
  fitOptions.starts = *starts;
  fitOptions.bootstrap = bootstrap ? *bootstrap : 0;
  fitOptions.seed = static_cast<std::uint64_t>(*seed);
  const kolv::FitResult result =
      kolv::fitStudy(prepared->study, prepared->setup, prepared->observed, fitOptions);
  kolv::FitReportContext context;
  context.observedName = options.observed.value;
  context.column = *column;
  context.substanceUnit = prepared->study.data.SubstanceUnit;
  context.startSequence = prepared->study.params.StartSeq;
  context.observedSequence = prepared->observed.sequence;
  context.points = prepared->study.params.NodeCount;
  std::cout << kolv::fitReportText(result, context);
  base::OutputBatch outputs;
  if (options.residuals.given())
    if (auto written = writeTextOutput("--residuals", options.residuals.value,
                                       kolv::fitResidualsCsv(result, context));
        !written)
      return fail(written.message());
  if (options.json.given())
    if (auto written =
            writeTextOutput("--json", options.json.value, kolv::fitReportJson(result, context));
        !written)
      return fail(written.message());
  if (options.figure.given())
    if (auto written = writeFitFigureFile(options.figure.value, result, context); !written)
      return fail(outputFailure("--figure", written.message()));
  if (auto named = outputs.commit(); !named) return fail(named.message());
  if (!result.converged) {
    printMessage("kolv-fit: " + result.stopReason + "; the values above are the best found");
    return kNotConverged;
  }
  // A search that ends normally on a sum its parameters do not move (none
  // has an influence on the compared column) has fitted nothing.
  if (std::none_of(result.parameters.begin(), result.parameters.end(),
                   [](const kolv::FittedParameter& f) { return f.determined; })) {
    printMessage(
        "kolv-fit: no fitted parameter is determined by the observed values (see \"not "
        "determined\" above): nothing was fitted");
    return kNotConverged;
  }
  return 0;
}

}  // namespace

Command addKolvFitCommand(CLI::App& runner) {
  CLI::App* command = runner.add_subcommand(
      "kolv-fit",
      "Fit KOLV coefficients to a measured transect: simulate INPUT up to the sequence of the "
      "--observed file and find the --fit parameters that minimise the sum of squared "
      "differences of the --against column over the points outside the end zones (NLopt, "
      "bounded and derivative-free, from --starts points within the bounds). Reports values, "
      "standard errors, 95 % intervals from the Jacobian and from the profile likelihood "
      "(and from a residual bootstrap with --bootstrap), correlations, every distinct minimum "
      "and whether the data tell it from the best, RMSE, points used, model runs and time. "
      "Exit status 0 when the fit converged and the starts agree, 2 on bad input or options, "
      "4 when it did not converge, minima the data do not tell apart remain (the best values "
      "found are reported) or it determined none of the fitted parameters.");
  auto options = std::make_shared<KolvFitOptions>();
  addKolvStudyOptions(*command, options->study);
  addTextOption(*command, options->observed, "--observed", "FILE",
                "the transect measured later, in the import layout (text, CSV or workbook): "
                "same points and interval as INPUT, its sequence number after INPUT's",
                "")
      ->required();
  addTextOption(*command, options->observedDelimiter, "--observed-delimiter", "WORD",
                "field delimiter of a text --observed file (words as --delimiter)",
                "comma for .csv, tab otherwise");
  command
      ->add_option("--fit", options->fit,
                   "parameters to fit, separated by commas: alpha, beta (Betta), gamma, "
                   "till-depth; each starts at INPUT's value (or its box)")
      ->type_name("NAMES")
      ->required();
  addTextOption(*command, options->against, "--against", "WHAT",
                "column compared: elevation, pl1, pl2, pl3, upper-mass (substance of layer 1) "
                "or total-mass (layers 1 and 2)",
                "elevation");
  command
      ->add_option("--bounds", options->bounds,
                   std::string("bounds of a fitted parameter, NAME=LO:HI (repeat for more) "
                               "[default: ") +
                       kolv::fitBoundsHelp() + "]")
      ->type_name("NAME=LO:HI");
  addTextOption(*command, options->residuals, "--residuals", "FILE",
                "write distance, observed, simulated, residual and end-zone flag as CSV",
                "not written");
  addTextOption(*command, options->json, "--json", "FILE", "write the results as JSON for scripts",
                "not written");
  addTextOption(*command, options->figure, "--figure", "FILE",
                "draw observed and simulated profiles with the residuals below into FILE (.png, "
                ".svg or .pdf)",
                "not drawn");
  addTextOption(*command, options->maxRuns, "--max-runs", "N",
                "model runs the search may make before it stops unconverged; 0 gives the default "
                "(there is no unlimited search)",
                "300 + 150 per fitted parameter");
  addTextOption(*command, options->starts, "--starts", "N",
                "local searches: the first from INPUT's values, the others from the points of a "
                "Halton design over the bounds; every distinct minimum is reported",
                std::to_string(kolv::kDefaultFitStarts));
  addTextOption(*command, options->bootstrap, "--bootstrap", "N",
                "add residual-bootstrap percentile intervals from N replicates", "no bootstrap");
  addTextOption(*command, options->seed, "--seed", "S",
                "seed of the bootstrap's draws (the same intervals on any thread count)", "1");
  addThreadsOption(*command, options->threads, "threads for the runs beside the optimum",
                   "one per core");
  return [options] { return runKolvFit(*options); };
}

}  // namespace sodwright::batch
