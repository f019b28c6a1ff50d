#include "transect/compare_report_writer.h"

#include <sstream>

#include "shell/number_text.h"
#include "shell/text_file.h"
#include "transect/stability_warning.h"

namespace sodwright::kolv {
namespace {

using shell::bareText;
using shell::bareTextSingle;
using shell::formatMask;

const std::string kHyphens(76, '-');

std::string directionText(Int16 code) {
  if (code == kForward) return "Forward";
  if (code == kBackward) return "Backward";
  return "Alternative Direction";
}

void writeHeader(std::ostream& out, const TranslocationParameters& p, Int16 first, Int16 last,
                 std::string_view dateText, const std::string& warning) {
  const std::string_view end = shell::kLineEnd;
  out << end << "KOLV Results Report" << end << warning << end << dateText << end << end << kHyphens << end << end;
  out << "SequenceNo:   " << formatMask(first, "###0") << "   To   " << formatMask(last, "###0") << end;
  out << "Tillage Direction:   " << directionText(p.TillDirection) << end;
  out << "Data Points:   " << formatMask(p.NodeCount, "######0") << end;
  out << "DistributionDistance= " << bareTextSingle(p.DistrDistance) << " m\tInterval = " << bareTextSingle(p.Interval)
      << " m" << end;
  out << "Lamda=  " << bareTextSingle(p.Alpha) << "  +  " << bareTextSingle(p.Beta) << " * SG  +  "
      << bareTextSingle(p.Gamma) << " * SC" << end;
  out << "BD_Lr1 = " << bareText(p.BulkDensity1) << " kg / m3\tBD_Lr2 = " << bareText(p.BulkDensity2)
      << " kg / m3\tBD_Lr3 = " << bareText(p.BulkDensity3) << " kg / m3" << end;
  out << "Tillage_Depth = " << bareText(p.TillDepth) << " m\tUpLayer_Depth = " << bareText(p.UpLayerDepth)
      << " m\tSubLayer_Depth = " << bareText(p.SubLayerDepth) << " m" << end;
  out << "DecayRate_Lr1 = " << bareText(100.0 * p.DecayRate1) << " %\tDecayRate_Lr2 = " << bareText(100.0 * p.DecayRate2)
      << " %" << end;
  out << "Input_Frequency = " << bareText(static_cast<long long>(p.InputFrequency))
      << " Sequences every input\tInput_Amount = " << bareText(p.InputAmount) << " kg/m2" << end;
  out << end << kHyphens << end << end;
}

void writeColumnHeads(std::ostream& out, const std::string& unit, Int16 first, Int16 last) {
  const std::string f = std::to_string(first);
  const std::string l = std::to_string(last);
  const std::string perKg = unit + "/kg";
  out << " x ";
  for (const std::string& s : {f, l}) {
    out << "\tP1_" << s << "\tP2_" << s << "\tL1_" << s << "\tL2_" << s << "\tElev" << s << "\tC_UpLayer" << s
        << "\tC_SubLayer" << s << "\tP_UpLayer" << s << "\tP_SubLayer" << s;
  }
  out << "\tP3\tDeltaElev\tSoilLoss" << shell::kLineEnd;
  out << "  ";
  for (int twice = 0; twice < 2; ++twice) {
    out << '\t' << perKg << '\t' << perKg << "\t m \t m \t m \t" << unit << '\t' << unit << '\t' << perKg << '\t'
        << perKg;
  }
  out << '\t' << perKg << "\t m \tkg/m2/Seq" << shell::kLineEnd;
}

// The five columns of one sequence's state at point i.
void writeState(std::ostream& out, const TransectData& d, int i, Int16 s) {
  out << '\t' << formatMask(d.PL1(i, s), "######0.0000") << '\t' << formatMask(d.PL2(i, s), "#######0.0000") << '\t'
      << formatMask(d.DepthL1(i, s), "####0.000") << '\t' << formatMask(d.DepthL2(i, s), "####0.000") << '\t'
      << formatMask(d.Elev(i, s), "####0.0000");
}

}  // namespace

void WriteCompareReport(std::ostream& out, const KolvState& state, Int16 first, Int16 last,
                        std::string_view dateText) {
  const TranslocationParameters& p = state.params;
  const TransectData& d = state.data;
  const ComparisonResults& r = state.results;
  // An unstable run says so in the empty line under the title: no line moves.
  const auto warning = ResultsWarning(state, true);
  writeHeader(out, p, first, last, dateText, warning ? kReportWarningPrefix + *warning : std::string());
  writeColumnHeads(out, d.SubstanceUnit, first, last);
  for (int i = 0; i < p.NodeCount; ++i) {
    const float x = shell::roundToSingle(i * static_cast<double>(p.Interval));
    out << formatMask(x, "###0.00");
    writeState(out, d, i, first);
    out << '\t' << formatMask(valueOrZero(r.UpMassFirst(i)), "####0.0000") << '\t'
        << formatMask(valueOrZero(r.SubMassFirst(i)), "##0.0000") << '\t'
        << formatMask(valueOrZero(r.UpConcFirst(i)), "####0.0000") << '\t'
        << formatMask(r.SubConcFirst(i), "####0.0000");
    writeState(out, d, i, last);
    out << '\t' << formatMask(valueOrZero(r.UpMassLast(i)), "####0.0000") << '\t'
        << formatMask(valueOrZero(r.SubMassLast(i)), "######0.0000") << '\t'
        << formatMask(valueOrZero(r.UpConcLast(i)), "####0.0000") << '\t'
        << formatMask(r.SubConcLast(i), "####0.0000") << '\t' << formatMask(d.PL3(i), "######0.0000") << '\t'
        << formatMask(r.DeltaElev(i), "####0.0000") << '\t' << formatMask(r.SoilLoss(i), "####0.000")
        << shell::kLineEnd;
  }
}

std::optional<std::string> writeCompareReportFile(const std::string& path, const KolvState& state, Int16 first,
                                                  Int16 last, std::string_view dateText) {
  if (!state.imported) return std::string("No transect has been imported.");
  if (!state.data.Elev.contains(0, first) || !state.data.Elev.contains(0, last))
    return "Sequences " + std::to_string(first) + " and " + std::to_string(last) + " are not both held.";
  std::ostringstream text;
  WriteCompareReport(text, state, first, last, dateText);
  if (auto error = shell::writeWholeFile(path, text.str())) return "Cannot write " + path + ": " + *error;
  return std::nullopt;
}

}  // namespace sodwright::kolv
