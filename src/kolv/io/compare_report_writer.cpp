// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/io/compare_report_writer.h"

#include <sstream>

#include "base/number_text.h"
#include "base/text/text_file.h"
#include "kolv/stability/stability_warning.h"

namespace sodwright::kolv {
namespace {

using base::bareText;
using base::bareTextSingle;
using base::formatMask;

const std::string kHyphens(76, '-');

std::string directionText(Int16 code) {
  if (code == kForward) return "Forward";
  if (code == kBackward) return "Backward";
  return "Alternative Direction";
}

void writeHeader(std::ostream& out, const TranslocationParameters& p, Int16 first, Int16 last,
                 std::string_view dateText, const std::string& warning) {
  const std::string_view end = base::kLineEnd;
  out << end << "KOLV Results Report" << end << warning << end << dateText << end << end << kHyphens
      << end << end;
  out << "SequenceNo:   " << formatMask(first, "###0") << "   To   " << formatMask(last, "###0")
      << end;
  out << "Tillage Direction:   " << directionText(p.TillDirection) << end;
  out << "Data Points:   " << formatMask(p.NodeCount, "######0") << end;
  out << "DistributionDistance= " << bareTextSingle(p.DistrDistance)
      << " m\tInterval = " << bareTextSingle(p.Interval) << " m" << end;
  out << "Lamda=  " << bareTextSingle(p.Alpha) << "  +  " << bareTextSingle(p.Beta) << " * SG  +  "
      << bareTextSingle(p.Gamma) << " * SC" << end;
  out << "BD_Lr1 = " << bareText(p.BulkDensity1)
      << " kg / m3\tBD_Lr2 = " << bareText(p.BulkDensity2)
      << " kg / m3\tBD_Lr3 = " << bareText(p.BulkDensity3) << " kg / m3" << end;
  out << "Tillage_Depth = " << bareText(p.TillDepth)
      << " m\tUpLayer_Depth = " << bareText(p.UpLayerDepth)
      << " m\tSubLayer_Depth = " << bareText(p.SubLayerDepth) << " m" << end;
  out << "DecayRate_Lr1 = " << bareText(100.0 * p.DecayRate1)
      << " %\tDecayRate_Lr2 = " << bareText(100.0 * p.DecayRate2) << " %" << end;
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
    out << "\tP1_" << s << "\tP2_" << s << "\tL1_" << s << "\tL2_" << s << "\tElev" << s
        << "\tC_UpLayer" << s << "\tC_SubLayer" << s << "\tP_UpLayer" << s << "\tP_SubLayer" << s;
  }
  out << "\tP3\tDeltaElev\tSoilLoss" << base::kLineEnd;
  out << "  ";
  for (int twice = 0; twice < 2; ++twice) {
    out << '\t' << perKg << '\t' << perKg << "\t m \t m \t m \t" << unit << '\t' << unit << '\t'
        << perKg << '\t' << perKg;
  }
  out << '\t' << perKg << "\t m \tkg/m2/Seq" << base::kLineEnd;
}

constexpr base::FixedMask kX = base::maskOf("###0.00");
constexpr base::FixedMask kP1 = base::maskOf("######0.0000");
constexpr base::FixedMask kP2 = base::maskOf("#######0.0000");
constexpr base::FixedMask kDepth = base::maskOf("####0.000");
constexpr base::FixedMask kElev = base::maskOf("####0.0000");
constexpr base::FixedMask kAmount = base::maskOf("####0.0000");
constexpr base::FixedMask kSubMassFirst = base::maskOf("##0.0000");
constexpr base::FixedMask kSubMassLast = base::maskOf("######0.0000");
constexpr base::FixedMask kSoilLoss = base::maskOf("####0.000");

// Appends a tab and the masked value.
void field(std::string& line, double value, base::FixedMask mask) {
  line += '\t';
  base::appendMasked(line, value, mask);
}

// The five columns of one sequence's state at point i.
void appendState(std::string& line, const TransectData& d, int i, Int16 s) {
  field(line, d.PL1(i, s), kP1);
  field(line, d.PL2(i, s), kP2);
  field(line, d.DepthL1(i, s), kDepth);
  field(line, d.DepthL2(i, s), kDepth);
  field(line, d.Elev(i, s), kElev);
}

}  // namespace

namespace {

// The rows of points from .. to - 1, appended to `text`.
void appendRows(std::string& text, const KolvState& state, Int16 first, Int16 last, int from,
                int to) {
  const TranslocationParameters& p = state.params;
  const TransectData& d = state.data;
  const ComparisonResults& r = state.results;
  std::string& line = text;
  const std::size_t start = text.size();
  for (int i = from; i < to; ++i) {
    base::appendMasked(line, base::roundToSingle(i * static_cast<double>(p.Interval)), kX);
    appendState(line, d, i, first);
    field(line, valueOrZero(r.UpMassFirst(i)), kAmount);
    field(line, valueOrZero(r.SubMassFirst(i)), kSubMassFirst);
    field(line, valueOrZero(r.UpConcFirst(i)), kAmount);
    field(line, r.SubConcFirst(i), kAmount);
    appendState(line, d, i, last);
    field(line, valueOrZero(r.UpMassLast(i)), kAmount);
    field(line, valueOrZero(r.SubMassLast(i)), kSubMassLast);
    field(line, valueOrZero(r.UpConcLast(i)), kAmount);
    field(line, r.SubConcLast(i), kAmount);
    field(line, d.PL3(i), kP1);
    field(line, r.DeltaElev(i), kElev);
    field(line, r.SoilLoss(i), kSoilLoss);
    line += base::kLineEnd;
    // The first row's length, with room to spare, sizes the text for all,
    // so that it is not copied as it grows.
    if (i == from) {
      const std::size_t row = text.size() - start;
      text.reserve(start + row * static_cast<std::size_t>(to - from) * 9 / 8);
    }
  }
}

// The header and the column heads.
void writeHead(std::ostream& out, const KolvState& state, Int16 first, Int16 last,
               std::string_view dateText) {
  // An unstable run says so in the empty line under the title: no line moves.
  const auto warning = resultsWarning(state, true);
  writeHeader(out, state.params, first, last, dateText,
              warning ? kReportWarningPrefix + *warning : std::string());
  writeColumnHeads(out, state.data.SubstanceUnit, first, last);
}

}  // namespace

void writeCompareReport(std::ostream& out, const KolvState& state, Int16 first, Int16 last,
                        std::string_view dateText) {
  writeHead(out, state, first, last, dateText);
  std::string rows;
  appendRows(rows, state, first, last, 0, state.params.NodeCount);
  out << rows;
}

base::Result<> writeCompareReportFile(const std::string& path, const KolvState& state, Int16 first,
                                      Int16 last, std::string_view dateText) {
  if (!state.imported) return base::fail("No transect has been imported.");
  if (!state.data.Elev.contains(0, first) || !state.data.Elev.contains(0, last))
    return base::fail("Sequences " + std::to_string(first) + " and " + std::to_string(last) +
                      " are not both held.");
  std::ostringstream head;
  writeHead(head, state, first, last, dateText);
  std::string text = head.str();
  appendRows(text, state, first, last, 0, state.params.NodeCount);
  if (auto written = base::writeWholeFile(path, text); !written)
    return base::fail("Cannot write " + path + ": " + written.message());
  return {};
}

}  // namespace sodwright::kolv
