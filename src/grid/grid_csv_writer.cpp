#include "grid/grid_csv_writer.h"

#include <sstream>

#include "grid/grid_report.h"
#include "shell/csv_text.h"
#include "shell/text_file.h"

namespace sodwright::nibal {

namespace {

std::string coordinateField(const GridCoordinate& value) {
  if (const double* number = std::get_if<double>(&value)) return shell::exactNumber(*number);
  return shell::csvField(std::get<std::string>(value));
}

}  // namespace

GridCsvWriter::GridCsvWriter(std::ostream& out) : out_(out) {
  out_ << "Row,Col,Easting,Northing,Elevation,DGradCol (%),DCurvCol (%/length),DGradRow "
          "(%),DCurvRow (%/length),"
          "SoilLossCol,SoilLossRow,SoilLossSum"
       << shell::kLineEnd;
}

void GridCsvWriter::node(int r, int c, const GridCoordinate& easting,
                         const GridCoordinate& northing, double elevation, const NodeResults& n) {
  out_ << r << ',' << c << ',' << coordinateField(easting) << ',' << coordinateField(northing)
       << ',' << shell::exactNumber(elevation);
  for (double value : {n.dGradCol, n.dCurvCol, n.dGradRow, n.dCurvRow, n.soilLossCol, n.soilLossRow,
                       n.soilLossSum})
    out_ << ',' << shell::exactNumber(value);
  out_ << shell::kLineEnd;
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
  return shell::writeWholeFile(path, text.str());
}

}  // namespace sodwright::nibal
