// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/grid_report.h"

#include <cassert>
#include <sstream>

#include "base/number_text.h"
#include "base/text/text_file.h"

namespace sodwright::nibal {

namespace {

constexpr std::string_view kShortRule =
    "----------------------------------------------------------------------------";
constexpr std::string_view kLongRule =
    "----------------------------------------------------------------------------------------------"
    "----------";
// The masks of the report: "##0.00" for the coefficients, "######0.00" and
// "#######0.00" for eastings and northings, "###0.000" for elevations and
// "##0.000" for results all give one required integer digit.
constexpr int kParameterDecimals = 2;
constexpr int kCoordinateDecimals = 2;
constexpr int kResultDecimals = 3;

void line(std::ostream& out, std::string_view text) { out << text << base::kLineEnd; }

}  // namespace

void writeGridReportHeading(std::ostream& out, const GridInfo& info, long long nodeCount,
                            const std::string& dateText) {
  line(out, "");
  line(out, "NIBAL");
  line(out, "");
  line(out, dateText);
  line(out, "");
  line(out, kShortRule);
  line(out, "");
  line(out, "Grid Information:");
  line(out, ZoneLine()
                .field("   " + info.Rows + "    Rows ")
                .field(" Row   Spacing = " + info.RowSpacing)
                .text());
  line(out, ZoneLine()
                .field("   " + info.Columns + "  Columns")
                .field("Column Spacing = " + info.ColumnSpacing)
                .text());
  line(out,
       "   Totally, there are  " + base::generalText(nodeCount) + "  Nodes(Points) in the Grid");
  line(out, "");
  line(out, "Tillage Erosion Model:");
  line(out,
       "   Soil Loss = (Betta * Delta SlopeGradient + Gamma * Delta Slope Curvature)/Delta "
       "Distance");
  line(out, "");
  line(out, "Model Parameters:");
  line(out, ZoneLine()
                .field("    Row   Direction Parameters:")
                .field("Betta_R = " + base::formatFixed(info.BettaRow, kParameterDecimals))
                .field("Gamma_R = " + base::formatFixed(info.GammaRow, kParameterDecimals))
                .text());
  line(out, ZoneLine()
                .field("   Column Direction Parameters:")
                .field("Betta_C = " + base::formatFixed(info.BettaCol, kParameterDecimals))
                .field("Gamma_C = " + base::formatFixed(info.GammaCol, kParameterDecimals))
                .text());
  line(out, "");
  line(out, kLongRule);
  line(out, "");
  line(out, "");
  ZoneLine heading;
  for (std::string_view title :
       {" Row", "Col", "Easting", "Northing", "Elev", "DGradCol", "DCurvCol", "DGradRow",
        "DCurvRow", "SoilLossCol", "SoilLossRow", "SoilLossSum"})
    heading.field(title);
  line(out, heading.text());
}

ZoneLine& ZoneLine::field(std::string_view text) {
  if (started_) {
    const std::size_t zoneStart = (text_.size() / kPrintZoneWidth + 1) * kPrintZoneWidth;
    text_.resize(zoneStart, ' ');
  }
  started_ = true;
  text_ += text;
  return *this;
}

std::string reportCoordinateText(const GridCoordinate& value, int decimals) {
  if (const double* number = std::get_if<double>(&value))
    return base::formatFixed(*number, decimals);
  const std::string& text = std::get<std::string>(value);
  if (const std::optional<double> number = base::parseStrictNumber(text))
    return base::formatFixed(*number, decimals);
  return text;
}

bool hasResults(const GridState& state) {
  const GridArray<double>& sum = state.results.SoilLossSum;
  return state.hasGrid() && sum.rows() == state.GridElevation.rows() &&
         sum.columns() == state.GridElevation.columns();
}

std::string gridReportLine(int r, int c, const GridCoordinate& easting,
                           const GridCoordinate& northing, double elevation, const NodeResults& n) {
  ZoneLine row;
  row.field(base::bareText(static_cast<long long>(r)))
      .field(base::bareText(static_cast<long long>(c)))
      .field(reportCoordinateText(easting, kCoordinateDecimals))
      .field(reportCoordinateText(northing, kCoordinateDecimals))
      .field(base::formatFixed(elevation, kResultDecimals));
  for (double value : {n.dGradCol, n.dCurvCol, n.dGradRow, n.dCurvRow, n.soilLossCol, n.soilLossRow,
                       n.soilLossSum})
    row.field(base::formatFixed(value, kResultDecimals));
  return row.text();
}

void writeGridReport(std::ostream& out, const GridState& state, const std::string& dateText) {
  assert(hasResults(state));
  writeGridReportHeading(out, state.info, state.GridNodeCount, dateText);
  const GridResults& res = state.results;
  const int rows = state.GridElevation.rows();
  const int columns = state.GridElevation.columns();
  for (int r = 1; r <= rows; ++r) {
    for (int c = 1; c <= columns; ++c) {
      line(out,
           gridReportLine(
               r, c, state.GridEasting(r, c), state.GridNorthing(r, c), state.GridElevation(r, c),
               {res.DGradCol(r, c), res.DCurvCol(r, c), res.DGradRow(r, c), res.DCurvRow(r, c),
                res.SoilLossCol(r, c), res.SoilLossRow(r, c), res.SoilLossSum(r, c)}));
    }
  }
}

base::Result<> writeGridReportFile(const std::string& path, const GridState& state,
                                   const std::string& dateText) {
  if (!hasResults(state)) return base::fail("the grid has no results to report");
  std::ostringstream report;
  writeGridReport(report, state, dateText);
  return base::writeWholeFile(path, report.str());
}

}  // namespace sodwright::nibal
