// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/grid_csv_writer.h"

#include <sstream>

#include "base/text/csv_text.h"
#include "base/text/text_file.h"
#include "nibal/grid_report.h"
#include "nibal/soil_loss_text.h"

namespace sodwright::nibal {

namespace {

std::string coordinateField(const GridCoordinate& value) {
  if (const double* number = std::get_if<double>(&value)) return base::exactNumber(*number);
  return base::csvField(std::get<std::string>(value));
}

}  // namespace

GridCsvWriter::GridCsvWriter(std::ostream& out) : out_(out) {
  out_ << "Row,Col,Easting,Northing,Elevation,DGradCol (%),DCurvCol (%/length),DGradRow "
          "(%),DCurvRow (%/length),"
       << kSoilLossColHead << ',' << kSoilLossRowHead << ',' << kSoilLossSumHead << base::kLineEnd;
}

std::string gridCsvRecord(int r, int c, const GridCoordinate& easting,
                          const GridCoordinate& northing, double elevation, const NodeResults& n) {
  std::string record = std::to_string(r) + ',' + std::to_string(c) + ',' +
                       coordinateField(easting) + ',' + coordinateField(northing) + ',' +
                       base::exactNumber(elevation);
  for (double value : {n.dGradCol, n.dCurvCol, n.dGradRow, n.dCurvRow, n.soilLossCol, n.soilLossRow,
                       n.soilLossSum})
    record += ',' + base::exactNumber(value);
  return record;
}

void GridCsvWriter::node(int r, int c, const GridCoordinate& easting,
                         const GridCoordinate& northing, double elevation, const NodeResults& n) {
  out_ << gridCsvRecord(r, c, easting, northing, elevation, n) << base::kLineEnd;
}

void writeGridCsv(std::ostream& out, const GridState& state) {
  GridCsvWriter csv(out);
  const GridResults& res = state.results;
  for (int r = 1; r <= state.GridElevation.rows(); ++r)
    for (int c = 1; c <= state.GridElevation.columns(); ++c)
      csv.node(r, c, state.GridEasting(r, c), state.GridNorthing(r, c), state.GridElevation(r, c),
               {res.DGradCol(r, c), res.DCurvCol(r, c), res.DGradRow(r, c), res.DCurvRow(r, c),
                res.SoilLossCol(r, c), res.SoilLossRow(r, c), res.SoilLossSum(r, c)});
}

base::Result<> writeGridCsvFile(const std::string& path, const GridState& state) {
  if (!hasResults(state)) return base::fail("the grid has no results to write");
  std::ostringstream text;
  writeGridCsv(text, state);
  return base::writeWholeFile(path, text.str());
}

}  // namespace sodwright::nibal
