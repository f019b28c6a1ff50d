// SPDX-License-Identifier: GPL-3.0-or-later
// sodwright-batch nibal: the grid window's "Import Data" and the parameter
// window's "Run NIBAL", with the typed boxes given as options. Messages the
// windows would show go to stderr; a note lets the run go on, as in the
// window; anything that stops the run exits with status 2.
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <variant>
#include <vector>

#include <CLI/CLI.hpp>

#include "base/files/output_batch.h"
#include "base/number_text.h"
#include "base/text/refusal_text.h"
#include "base/text/report_date.h"
#include "batch/batch_commands.h"
#include "batch/batch_figures.h"
#include "batch/batch_modules.h"
#include "batch/batch_options.h"
#include "batch/batch_services.h"
#include "batch/nibal_raster.h"
#include "batch/workbook_input.h"
#include "nibal/grid_commands.h"
#include "nibal/grid_csv_writer.h"
#include "nibal/grid_messages.h"
#include "nibal/grid_shape.h"
#include "nibal/grid_state.h"
#include "nibal/grid_years.h"
#include "nibal/map_blocks.h"
#include "nibal/map_geometry.h"
#include "platform/import_kind.h"
#include "platform/raster/raster_drivers.h"
#include "platform/raster/result_raster.h"

namespace sodwright::batch {
namespace {

struct NibalOptions {
  std::string input;
  TextOption rows, columns, rowSpacing, columnSpacing, delimiter, bettaRow, gammaRow, bettaCol,
      gammaCol, date, report, raster, writeRaster, csv, map, layer, tile, tileSize, threads,
      colourLimit, years, bulkDensity, passesPerYear, every;
  std::vector<std::string> window;
  CLI::Option* windowOption = nullptr;
  bool cog = false;
  bool quiet = false;
  bool strict = false;
};

int usage(const std::string& text) {
  printMessage("sodwright-batch nibal: " + text +
               "\nRun \"sodwright-batch nibal --help\" for the options.");
  return 2;
}

// The typed limit of the map's colour scale, when it is a number above 0.
std::optional<double> colourLimitOf(const NibalOptions& options) {
  const std::optional<double> limit = base::parseStrictNumber(options.colourLimit.value);
  if (limit && *limit > 0 && std::isfinite(*limit)) return limit;
  return std::nullopt;
}

nibal::GridParameterTexts parameterTexts(const NibalOptions& options) {
  // An option left out keeps the window's text; one given empty is an empty box.
  nibal::GridParameterTexts parameters;
  parameters.BettaRow = options.bettaRow.valueOr(parameters.BettaRow);
  parameters.GammaRow = options.gammaRow.valueOr(parameters.GammaRow);
  parameters.BettaCol = options.bettaCol.valueOr(parameters.BettaCol);
  parameters.GammaCol = options.gammaCol.valueOr(parameters.GammaCol);
  return parameters;
}

// The files a run would write, each with its option: --write-raster OUT.asc
// writes one file per result layer beside OUT, each with the .prj file of the
// DEM's coordinate system beside it. Naming them needs no GDAL.
std::optional<std::vector<base::NamedPath>> outputsOf(
    const NibalOptions& options, const std::optional<nibal::YearsSettings>& years) {
  std::vector<base::NamedPath> outputs = {{"--report", options.report.value},
                                          {"--csv", options.csv.value},
                                          {"--map", options.map.value}};
  if (!options.writeRaster.given()) return outputs;
  std::vector<platform::ResultLayer> layers = {
      {"SoilLossSum", {}, {}}, {"SoilLossRow", {}, {}}, {"SoilLossCol", {}, {}}};
  if (years) {
    layers.clear();
    for (const std::string& name : nibal::yearsBandNames(*years)) layers.push_back({name, {}, {}});
  }
  std::vector<std::string> rasters = platform::resultRasterPaths(options.writeRaster.value, layers);
  if (rasters.empty()) rasters.push_back(options.writeRaster.value);
  for (const std::string& raster : rasters) {
    outputs.push_back({"--write-raster", raster});
    if (platform::driverForPath(raster) == "AAIGrid")
      outputs.push_back(
          {"--write-raster", std::filesystem::path(raster).replace_extension(".prj").string()});
  }
  return outputs;
}

// The files a run reads: INPUT, or the DEM and the side files beside it that
// the raster library reads with it (its coordinate system, world file,
// auxiliary metadata and overviews). Only those that exist are read.
std::vector<base::NamedPath> inputsOf(const NibalOptions& options) {
  std::vector<base::NamedPath> inputs = {{"INPUT", options.input},
                                         {"--raster", options.raster.value}};
  if (options.raster.value.empty()) return inputs;
  const std::filesystem::path dem(options.raster.value);
  for (const std::string& side :
       {std::filesystem::path(dem).replace_extension(".prj").string(),
        std::filesystem::path(dem).replace_extension(".tfw").string(),
        std::filesystem::path(dem).replace_extension(".wld").string(),
        options.raster.value + ".aux.xml", options.raster.value + ".ovr"}) {
    std::error_code ignored;
    if (side != options.raster.value && std::filesystem::exists(side, ignored))
      inputs.push_back({"a side file of --raster", side});
  }
  return inputs;
}

// The raster route: sizes and spacings come from the DEM.
int runRaster(const NibalOptions& options, const std::optional<nibal::YearsSettings>& years) {
  if (!options.input.empty()) return usage("give the DEM with --raster or INPUT, not both");
  for (const TextOption* box : {&options.rows, &options.columns, &options.rowSpacing,
                                &options.columnSpacing, &options.delimiter})
    if (box->given())
      return usage("--rows, --columns, the spacings and --delimiter come from the raster");
  NibalRasterRun run;
  if (options.windowOption->count() > 0) {
    if (options.tile.given()) return usage("give --window or --tile, not both");
    std::int64_t numbers[4];
    for (std::size_t i = 0; i < 4; ++i) {
      const std::optional<std::int64_t> number = wholeNumberOption("--window", options.window[i]);
      if (!number) return 2;
      numbers[i] = *number;
    }
    run.window = nibal::RasterWindow{numbers[0], numbers[1], numbers[2], numbers[3]};
  }
  if (options.tile.given() != options.tileSize.given())
    return usage("--tile and --tile-size go together");
  if (options.tile.given()) {
    const std::optional<std::int64_t> tile = wholeNumberOption("--tile", options.tile.value);
    const std::optional<std::int64_t> size =
        tile ? wholeNumberOption("--tile-size", options.tileSize.value) : std::nullopt;
    if (!size) return 2;
    run.tile = *tile;
    run.tileSize = *size;
  }
  if (options.threads.given()) {
    run.threads = threadsOption(options.threads, "sodwright-batch nibal");
    if (run.threads < 0) return 2;
  }
  if (options.cog && !options.writeRaster.given())
    return usage("--cog makes the --write-raster GeoTIFF cloud-optimized");
  run.cog = options.cog;
  run.quiet = options.quiet;
  run.dem = options.raster.value;
  run.parameters = parameterTexts(options);
  run.report = options.report.valueOr("");
  run.csv = options.csv.valueOr("");
  run.writeRaster = options.writeRaster.valueOr("");
  run.date = options.date.valueOr(base::todayShortDate());
  if (options.map.given()) {
    run.map = options.map.value;
    run.mapLayer = *nibal::layerFromName(options.layer.valueOr("SoilLossSum"));
    if (options.colourLimit.given()) run.colourLimit = colourLimitOf(options);
  }
  run.years = years;
  run.strict = options.strict;
  return runNibalRaster(run);
}

// The years options read, or the exit status after the refusal; none given:
// a run of one year.
std::variant<std::optional<nibal::YearsSettings>, int> yearsOf(const NibalOptions& options) {
  const bool given = options.years.given() || options.bulkDensity.given() ||
                     options.passesPerYear.given() || options.every.given();
  if (!given) return std::optional<nibal::YearsSettings>{};
  if (!options.raster.given()) return usage("--years and its options go with --raster");
  if (options.report.given() || options.csv.given() || options.map.given())
    return usage(
        "a run of years writes --write-raster only; --report, --csv and --map are of "
        "one year");
  if (!options.writeRaster.given()) return usage("a run of years writes --write-raster OUT");
  std::string warning;
  const base::Result<nibal::YearsSettings> settings =
      nibal::readYearsSettings({options.years.value, options.bulkDensity.value,
                                options.passesPerYear.value, options.every.value},
                               warning);
  if (!settings) return usage(settings.message());
  if (!warning.empty()) std::cerr << "nibal: warning: " << warning << '\n';
  return std::optional<nibal::YearsSettings>{*settings};
}

int runNibal(const NibalOptions& options) {
  if (!options.report.given() && !options.csv.given() && !options.writeRaster.given() &&
      !options.map.given())
    return usage("nothing to write: give --report, --csv, --write-raster or --map");
  const auto years = yearsOf(options);
  if (const int* refused = std::get_if<int>(&years)) return *refused;
  const auto& yearsRun = std::get<std::optional<nibal::YearsSettings>>(years);
  const auto outputs = outputsOf(options, yearsRun);
  if (!outputs || !outputsApart("nibal", inputsOf(options), *outputs)) return 2;
  if (options.colourLimit.given() && !options.map.given())
    return usage("--colour-limit bounds the colours of --map");
  if (options.map.given()) {
    base::Result<> named = checkFigureName(options.map.value);
    if (named && !nibal::layerFromName(options.layer.valueOr("SoilLossSum")))
      named = base::fail("unknown map layer: " + options.layer.value);
    if (named && options.colourLimit.given() && !colourLimitOf(options))
      named = base::fail("--colour-limit " + options.colourLimit.value +
                         ": the colour scale's limit must be a number above 0");
    if (!named) {
      printMessage(named.message());
      return 2;
    }
  }
  if (options.raster.given()) return runRaster(options, yearsRun);
  if (options.windowOption->count() > 0 || options.tile.given() || options.tileSize.given() ||
      options.threads.given() || options.cog || options.quiet)
    return usage("--window, --tile, --tile-size, --threads, --cog and --quiet go with --raster");
  if (options.input.empty()) return usage("no INPUT and no --raster");
  if (options.writeRaster.given())
    return usage("--write-raster needs a georeferenced --raster input");
  for (const TextOption* box :
       {&options.rows, &options.columns, &options.rowSpacing, &options.columnSpacing})
    if (!box->given())
      return usage("a grid file needs --rows, --columns, --row-spacing and --column-spacing");

  const auto delimiter =
      delimiterOption(options.delimiter.valueOr(defaultDelimiterWord(options.input)));
  if (!delimiter) return 2;

  StderrMessages messages;
  FixedFileNames files(options.input, options.report.value);
  NoPrograms programs;
  NoBusyFeedback busy;
  platform::AppContext context{messages, files, programs, busy};
  context.activeModel = platform::kNibal;

  nibal::GridState state;
  const nibal::GridSizeTexts sizes{options.rows.value, options.columns.value,
                                   options.rowSpacing.value, options.columnSpacing.value};
  const base::Result<nibal::GridDefinition> check = nibal::checkGridSize(sizes);
  if (!check) {
    const nibal::GridSizeRefusal refused = nibal::gridSizeRefusal(sizes);
    printMessage(
        base::optionRefusalText(refused.option, refused.typed, check.message(), refused.refusal));
    return 2;
  }
  // A raster is read through --raster, where its sizes come from.
  const platform::ImportKind kind = platform::importKindOf(options.input);
  if (kind == platform::ImportKind::Raster) return 2;
  const bool imported =
      platform::isWorkbook(kind)
          ? importGridWorkbookInput(state, context, *check, options.input)
          : nibal::importGridFile(state, context, *check, options.input, kind, *delimiter);
  if (!imported) return 2;
  if (!state.skippedHeading.empty())
    std::cerr << "nibal: " << nibal::skippedHeadingNote(state.skippedHeading) << '\n';
  // Coordinates that contradict the typed rows and columns: said before the
  // run, which goes ahead unless --strict refuses it.
  if (const auto finding = nibal::findGridShapeMismatch(state)) {
    std::cerr << "nibal: " << (options.strict ? "" : "warning: ") << finding->message << '\n';
    if (options.strict) return 2;
  }

  const std::string date = options.date.valueOr(base::todayShortDate());
  base::OutputBatch runOutputs;
  const nibal::RunOutcome outcome =
      nibal::runGridModel(state, parameterTexts(options), context, date);
  // Without --report the save dialog is "cancelled": the results stay for the CSV and the map.
  const nibal::RunOutcome wanted = options.report.given() ? nibal::RunOutcome::ReportWritten
                                                          : nibal::RunOutcome::ReportCancelled;
  if (outcome != wanted) {
    // The report is asked for only once the results are computed: a failure
    // after that is the report's.
    if (outcome == nibal::RunOutcome::Failed && files.saveAsked())
      printMessage(outputKeptLine("--report"));
    return 2;
  }
  if (options.csv.given()) {
    if (auto written = nibal::writeGridCsvFile(options.csv.value, state); !written) {
      printMessage(
          outputFailure("--csv", base::cannotWriteText(options.csv.value, written.message()) +
                                     "\n" + std::string(nibal::kOutputFailed)));
      return 2;
    }
  }
  if (options.map.given()) {
    if (auto written =
            writeMapFigureFile(options.map.value, state, options.layer.valueOr("SoilLossSum"),
                               options.colourLimit.given() ? colourLimitOf(options) : std::nullopt);
        !written) {
      printMessage(outputFailure("--map", written.message()));
      return 2;
    }
  }
  if (auto named = runOutputs.commit(); !named) {
    printMessage(named.message());
    return 2;
  }
  return 0;
}

}  // namespace

Command addNibalCommand(CLI::App& runner) {
  CLI::App* nibal = runner.add_subcommand(
      "nibal",
      "NIBAL grid model: \"Import Data\" of INPUT with the grid window's four boxes, or of an "
      "elevation raster "
      "(--raster, sizes and spacings from the raster, no 32,767-node bound), then \"Run NIBAL\" "
      "with the "
      "parameter window's coefficients, writing the report, the CSV and/or result rasters. The "
      "soil loss is -(Betta x delta slope gradient (%) + Gamma x delta slope curvature (%/m)) / "
      "spacing (m): positive = loss, in kg/m2 for Betta in kg/m/% and Gamma in kg/% (the "
      "report's formula line omits the minus sign).");
  auto options = std::make_shared<NibalOptions>();
  const nibal::GridParameterTexts window;
  nibal->add_option(
      "INPUT", options->input,
      "grid data file (.txt, .dat, .csv, .tsv, .xyz: easting, northing, elevation per node) or "
      "workbook "
      "(.xls, .xlsx, .ods)");
  addTextOption(*nibal, options->raster, "--raster", "DEM",
                "single-band elevation raster (GeoTIFF .tif/.tiff, ESRI ASCII grid .asc) instead "
                "of INPUT: raster "
                "lines are grid rows (north first), raster columns grid columns (west first). "
                "Read a strip of lines at a time, so memory follows the DEM's width and not its "
                "length; a DEM too wide for the memory the run may use (the machine's, within "
                "ulimit -v and -d) is refused before anything is written, and runs in windows "
                "(--window) or tiles (--tile); no-data cells are the edge of the field (level "
                "ground beyond), "
                "their nodes left out of the report and the CSV and counted on standard error",
                "");
  addTextOption(*nibal, options->rows, "--rows", "R", "Rows of the grid (not with --raster)", "");
  addTextOption(*nibal, options->columns, "--columns", "C",
                "Columns of the grid (not with --raster)", "");
  addTextOption(*nibal, options->rowSpacing, "--row-spacing", "M",
                "spacing of the rows in m (not with --raster)", "");
  addTextOption(*nibal, options->columnSpacing, "--column-spacing", "M",
                "spacing of the columns in m (not with --raster)", "");
  addTextOption(*nibal, options->delimiter, "--delimiter", "WORD", kDelimiterMeaning,
                "comma for .csv, space for .xyz, tab otherwise");
  addTextOption(*nibal, options->bettaRow, "--betta-row", "X", "Betta along the rows",
                window.BettaRow, "--beta-row");
  addTextOption(*nibal, options->gammaRow, "--gamma-row", "X", "Gamma along the rows",
                window.GammaRow);
  addTextOption(*nibal, options->bettaCol, "--betta-col", "X", "Betta along the columns",
                window.BettaCol, "--beta-col");
  addTextOption(*nibal, options->gammaCol, "--gamma-col", "X", "Gamma along the columns",
                window.GammaCol);
  addTextOption(
      *nibal, options->report, "--report", "FILE",
      "write the grid report here: one text line per node, so about 190 bytes a node (3 GB for "
      "4,000 x 4,000)",
      "");
  addTextOption(*nibal, options->csv, "--csv", "FILE",
                "write every node as CSV: row, column, easting, northing, elevation and the seven "
                "result grids",
                "");
  addTextOption(*nibal, options->writeRaster, "--write-raster", "OUT",
                "with --raster: write SoilLossSum, SoilLossRow and SoilLossCol as 32-bit floats "
                "georeferenced like "
                "the DEM; OUT.tif holds them as three described bands, OUT.asc gives "
                "OUT_SoilLossSum.asc and so on. The GeoTIFF is tiled and DEFLATE-compressed; "
                "no-data nodes hold the bands' no-data value. Every output is written under a "
                "temporary name and renamed when complete",
                "");
  options->windowOption =
      nibal
          ->add_option("--window", options->window,
                       "with --raster: compute only these DEM cells (column offset, line offset, "
                       "columns, lines, from 0 at the north-west corner: the order of "
                       "gdal_translate -srcwin), reading the neighbours around them from the "
                       "DEM; the outputs cover the window, georeferenced where it lies")
          ->expected(4)
          ->type_name("XOFF YOFF XSIZE YSIZE")
          ->allow_extra_args(false);
  addTextOption(*nibal, options->tile, "--tile", "I",
                "with --raster and --tile-size: compute tile I of the list that "
                "\"sodwright-batch nibal-tiles DEM --tile-size N\" prints",
                "");
  addTextOption(*nibal, options->tileSize, "--tile-size", "N",
                "cells a side of the tiles of --tile (at least 5)", "");
  nibal->add_flag("--cog", options->cog,
                  "with --write-raster OUT.tif: write a Cloud-Optimized GeoTIFF with overviews");
  nibal->add_flag("--quiet", options->quiet,
                  "with --raster: no progress, no count of no-data nodes and no closing line on "
                  "standard error");
  addThreadsOption(*nibal, options->threads,
                   "with --raster: threads that compute the lines of a strip",
                   "the machine's cores");
  addTextOption(
      *nibal, options->map, "--map", "FILE",
      "draw the map of the results into FILE (.png, .svg or .pdf) over a hillshade of the "
      "elevation, eastings and northings on its axes; with --raster each pixel is the mean of "
      "a block of cells, at most 800 x 600 pixels",
      "");
  addTextOption(*nibal, options->layer, "--layer", "NAME",
                "layer of the map: SoilLossSum, SoilLossRow, SoilLossCol, DGradCol, DCurvCol, "
                "DGradRow, DCurvRow "
                "or Elevation",
                "SoilLossSum");
  addTextOption(*nibal, options->colourLimit, "--colour-limit", "X",
                "with --map: the colour scale of a result layer runs from -X to +X, as the map "
                "window's Colour limit box",
                "the 98th percentile of the magnitudes, said in the legend");
  addTextOption(*nibal, options->date, "--date", "TEXT", "date line of the report",
                "today in the locale's short form");
  addTextOption(*nibal, options->years, "--years", "N",
                "with --raster and --bulk-density: run N years, each year's soil loss lowering "
                "the surface (dz = -loss / RHO) before the next; --write-raster then holds the "
                "mean annual SoilLossSum, SoilLossRow and SoilLossCol (kg/m2 per year), the "
                "ElevationChange (m) and the final Elevation",
                "");
  addTextOption(*nibal, options->bulkDensity, "--bulk-density", "RHO",
                "with --years: the soil's bulk density in kg/m3 (a warning outside 500-2,500)", "");
  addTextOption(*nibal, options->passesPerYear, "--passes-per-year", "K",
                "with --years: split each year into K equal steps (the stability estimate "
                "names the least K that keeps the step stable)",
                "1");
  addTextOption(*nibal, options->every, "--every", "M",
                "with --years: add a band of the change every M years, named ElevationChange_Y "
                "and the year",
                "");
  nibal->add_flag("--strict", options->strict,
                  "refuse a grid file whose eastings and northings do not form the rows and "
                  "columns given (exit status 2), and a run of years whose step amplifies "
                  "(exit status 3); without it the warning goes to standard error and the run "
                  "goes ahead");
  return [options] { return runNibal(*options); };
}

}  // namespace sodwright::batch
