// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/nibal_raster.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <memory>
#include <vector>

#include "base/text/refusal_text.h"
#include "base/text/text_file.h"
#include "batch/batch_services.h"
#include "nibal/grid_csv_writer.h"
#include "nibal/grid_messages.h"
#include "nibal/grid_report.h"
#include "nibal/raster/raster_grid.h"

namespace sodwright::batch {

namespace {

// An output file opened before the run and written row by row during it.
struct StreamedFile {
  std::string path;
  std::ofstream out;
  std::vector<char> buffer = std::vector<char>(1 << 20);

  bool open() {
    out.rdbuf()->pubsetbuf(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    out.open(path, std::ios::binary | std::ios::trunc);
    return out.is_open();
  }
  // Whether everything reached the file.
  bool close() {
    out.flush();
    const bool good = out.good();
    out.close();
    return good && !out.fail();
  }
};

// The streams say no more than that they failed; errno holds the system's reason.
int cannotWrite(const std::string& path) {
  printMessage(std::string(nibal::kOutputFailed) + "\n" +
               base::cannotWriteText(path, std::strerror(errno)));
  return 2;
}

}  // namespace

int runNibalRaster(const NibalRasterRun& run) {
  const base::Result<platform::ElevationRaster> read =
      platform::readElevationRaster(run.dem, platform::kMostBatchNodes);
  if (!read.ok()) {
    printMessage(read.message());
    return 2;
  }
  const platform::ElevationRaster& dem = *read;
  const platform::RasterGeometry& g = dem.geometry;

  // The coefficients as the parameter window reads its boxes, with its notes.
  nibal::GridInfo info;
  for (std::string_view note : nibal::readGridParameters(info, run.parameters))
    printMessage(std::string(nibal::kNoteTitle) + ": " + std::string(note));
  if (nibal::allParametersMissing(info)) {
    printMessage(std::string(nibal::kAllMissingTitle) + ": " + std::string(nibal::kAllMissing));
    return 2;
  }
  const nibal::GridDefinition definition = nibal::gridDefinition(g);
  info.Rows = definition.rowsText;
  info.Columns = definition.columnsText;
  info.RowSpacing = definition.rowSpacingText;
  info.ColumnSpacing = definition.columnSpacingText;

  std::unique_ptr<StreamedFile> report;
  std::unique_ptr<StreamedFile> csvFile;
  std::unique_ptr<nibal::GridCsvWriter> csv;
  if (!run.report.empty()) {
    report = std::make_unique<StreamedFile>();
    report->path = run.report;
    if (!report->open()) return cannotWrite(run.report);
    nibal::writeGridReportHeading(report->out, info, g.nodeCount(), run.date);
  }
  if (!run.csv.empty()) {
    csvFile = std::make_unique<StreamedFile>();
    csvFile->path = run.csv;
    if (!csvFile->open()) return cannotWrite(run.csv);
    csv = std::make_unique<nibal::GridCsvWriter>(csvFile->out);
  }

  const nibal::GridCoefficients coefficients{info.BettaRow, info.GammaRow, info.BettaCol,
                                             info.GammaCol};
  const auto eachRow = [&](int r, const std::vector<nibal::NodeResults>& nodes) {
    const nibal::GridCoordinate northing = g.northing(r);
    for (int c = 0; c < g.columns; ++c) {
      const nibal::GridCoordinate easting = g.easting(c);
      const double z =
          dem.elevation[static_cast<std::size_t>(r) * static_cast<std::size_t>(g.columns) + c];
      const nibal::NodeResults& n = nodes[static_cast<std::size_t>(c)];
      if (report)
        report->out << nibal::gridReportLine(r + 1, c + 1, easting, northing, z, n)
                    << base::kLineEnd;
      if (csv) csv->node(r + 1, c + 1, easting, northing, z, n);
    }
  };
  const bool streaming = report || csv;
  const base::Result<std::vector<platform::ResultLayer>> layers = nibal::runRasterGrid(
      dem, coefficients, streaming ? nibal::RowResults(eachRow) : nibal::RowResults());
  if (!layers.ok()) {
    printMessage(layers.message());
    return 2;
  }
  if (report && !report->close()) return cannotWrite(run.report);
  if (csvFile && !csvFile->close()) return cannotWrite(run.csv);
  if (!run.writeRaster.empty()) {
    const base::Result<std::vector<std::string>> written =
        platform::writeResultRasterFiles(run.writeRaster, g, *layers);
    if (!written.ok()) {
      printMessage(std::string(nibal::kOutputFailed) + "\n" + written.message());
      return 2;
    }
  }
  return 0;
}

}  // namespace sodwright::batch
