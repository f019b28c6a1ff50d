// sodwright-batch nibal: the grid window's "Import Data" and the parameter
// window's "Run NIBAL", with the typed boxes given as options. Messages the
// windows would show go to stderr; a note lets the run go on, as in the
// window; anything that stops the run exits with status 2.
#include <CLI/CLI.hpp>
#include <memory>
#include <string>

#include "batch/batch_commands.h"
#include "batch/batch_figures.h"
#include "batch/batch_options.h"
#include "batch/batch_services.h"
#include "batch/workbook_input.h"
#include "grid/grid_commands.h"
#include "grid/grid_state.h"
#include "grid/map_geometry.h"
#include "shell/report_date.h"

namespace sodwright::batch {
namespace {

struct NibalOptions {
  std::string input;
  TextOption rows, columns, rowSpacing, columnSpacing, delimiter, bettaRow, gammaRow, bettaCol, gammaCol, date,
      report, map, layer;
};

int runNibal(const NibalOptions& options) {
  const auto delimiter = delimiterOption(options.delimiter.valueOr("tab"));
  if (!delimiter) return 2;
  if (options.map.given()) {
    std::string problem = figureNameProblem(options.map.value);
    if (problem.empty() && !nibal::layerFromName(options.layer.valueOr("SoilLossSum")))
      problem = "unknown map layer: " + options.layer.value;
    if (!problem.empty()) {
      printMessage(problem);
      return 2;
    }
  }

  StderrMessages messages;
  FixedFileNames files(options.input, options.report.value);
  NoPrograms programs;
  NoBusyFeedback busy;
  platform::AppContext context{messages, files, programs, busy};
  context.activeModel = platform::kNibal;
  context.importDelimiter = *delimiter;

  nibal::GridState state;
  const nibal::GridBoxTexts boxes{options.rows.value, options.columns.value, options.rowSpacing.value,
                                  options.columnSpacing.value};
  const nibal::ImportStep step = nibal::beginGridImport(state, boxes, context);
  if (step == nibal::ImportStep::ReadWorkbook) {
    if (!importGridWorkbookInput(state, context)) return 2;
  } else if (step != nibal::ImportStep::AskDelimiter || !nibal::ImportGridText(state, context)) {
    return 2;
  }

  // An option left out keeps the window's text; one given empty is an empty box.
  nibal::GridParameterTexts parameters;
  parameters.BettaRow = options.bettaRow.valueOr(parameters.BettaRow);
  parameters.GammaRow = options.gammaRow.valueOr(parameters.GammaRow);
  parameters.BettaCol = options.bettaCol.valueOr(parameters.BettaCol);
  parameters.GammaCol = options.gammaCol.valueOr(parameters.GammaCol);
  const std::string date = options.date.valueOr(shell::todayShortDate());
  const nibal::RunOutcome outcome = nibal::RunGridModel(state, parameters, context, date);
  if (outcome != nibal::RunOutcome::ReportWritten) return 2;
  if (options.map.given()) {
    if (const std::string error = writeMapFigure(state, options.map.value, options.layer.valueOr("SoilLossSum"));
        !error.empty()) {
      printMessage(error);
      return 2;
    }
  }
  return 0;
}

}  // namespace

Command addNibalCommand(CLI::App& runner) {
  CLI::App* nibal = runner.add_subcommand(
      "nibal",
      "NIBAL grid model: \"Import Data\" of INPUT with the grid window's four boxes, then \"Run NIBAL\" with "
      "the parameter window's coefficients, writing the report.");
  auto options = std::make_shared<NibalOptions>();
  const nibal::GridParameterTexts window;
  nibal->add_option("INPUT", options->input,
                    "grid data file (.txt, .dat: easting, northing, elevation per node) or workbook "
                    "(.xls, .xlsx, .ods)")
      ->required();
  addTextOption(*nibal, options->rows, "--rows", "R", "Rows of the grid", "")->required();
  addTextOption(*nibal, options->columns, "--columns", "C", "Columns of the grid", "")->required();
  addTextOption(*nibal, options->rowSpacing, "--row-spacing", "M", "spacing of the rows in m", "")->required();
  addTextOption(*nibal, options->columnSpacing, "--column-spacing", "M", "spacing of the columns in m", "")
      ->required();
  addTextOption(*nibal, options->delimiter, "--delimiter", "WORD", kDelimiterMeaning, "tab");
  addTextOption(*nibal, options->bettaRow, "--betta-row", "X", "Betta along the rows", window.BettaRow);
  addTextOption(*nibal, options->gammaRow, "--gamma-row", "X", "Gamma along the rows", window.GammaRow);
  addTextOption(*nibal, options->bettaCol, "--betta-col", "X", "Betta along the columns", window.BettaCol);
  addTextOption(*nibal, options->gammaCol, "--gamma-col", "X", "Gamma along the columns", window.GammaCol);
  addTextOption(*nibal, options->report, "--report", "FILE", "write the grid report here", "")->required();
  addTextOption(*nibal, options->map, "--map", "FILE", "draw the map of the results into FILE (.png, .svg or .pdf)",
                "");
  addTextOption(*nibal, options->layer, "--layer", "NAME",
                "layer of the map: SoilLossSum, SoilLossRow, SoilLossCol, DGradCol, DCurvCol, DGradRow, DCurvRow "
                "or Elevation",
                "SoilLossSum");
  addTextOption(*nibal, options->date, "--date", "TEXT", "date line of the report",
                "today in the locale's short form");
  return [options] { return runNibal(*options); };
}

}  // namespace sodwright::batch
