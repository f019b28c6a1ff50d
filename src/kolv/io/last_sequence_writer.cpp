// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/io/last_sequence_writer.h"

#include <sstream>

#include "base/number_text.h"
#include "base/text/text_file.h"
#include "kolv/stability/stability_warning.h"

namespace sodwright::kolv {

using base::bareText;
using base::bareTextSingle;
using base::formatMask;

void writeLastSequence(std::ostream& out, const KolvState& state, Int16 sequence) {
  const TranslocationParameters& p = state.params;
  const TransectData& d = state.data;
  const std::string s = std::to_string(sequence);
  const std::string_view end = base::kLineEnd;
  const std::string unit = d.SubstanceUnit + "/kg";
  out << "Sequence=\t" << formatMask(sequence, "##0") << "\tDataPoints:\t"
      << bareText(static_cast<long long>(p.NodeCount)) << end;
  out << "DistributionDistance=\t" << bareTextSingle(p.DistrDistance) << "\tm\tInterval =\t"
      << bareTextSingle(p.Interval) << "\tm" << end;
  out << "Lamda=\t" << bareTextSingle(p.Alpha) << "\t+\t" << bareTextSingle(p.Beta) << "\t*SG+\t"
      << bareTextSingle(p.Gamma) << "\t*SC" << end;
  out << "Tillage_Depth =\t" << bareText(p.TillDepth) << "\tm" << end;
  out << "BD1 =\t" << bareText(p.BulkDensity1) << "\tkg / m3\tBD2 =\t" << bareText(p.BulkDensity2)
      << "\tkg / m3\tBD3 =\t" << bareText(p.BulkDensity3) << "\tkg / m3" << end;
  // An unstable run says so in the empty line 6, which the import skips.
  if (const auto warning = resultsWarning(state, true)) out << kReportWarningPrefix << *warning;
  out << end;
  out << "P1_" << s << "\tP2_" << s << "\tP3_" << s << "\tL1_" << s << "\tL2_" << s << "\t Z " << s
      << end;
  out << unit << '\t' << unit << '\t' << unit << "\t m \t m \t m " << end;
  constexpr base::FixedMask kP1 = base::maskOf("######0.000000");
  constexpr base::FixedMask kP2 = base::maskOf("#######0.000000");
  constexpr base::FixedMask kDepthL1 = base::maskOf("###0.0000");
  constexpr base::FixedMask kDepthL2 = base::maskOf("##0.0000");
  constexpr base::FixedMask kElev = base::maskOf("##0.000000");
  std::string line;
  for (int i = 0; i < p.NodeCount; ++i) {
    line.clear();
    base::appendMasked(line, d.PL1(i, sequence), kP1);
    line += '\t';
    base::appendMasked(line, d.PL2(i, sequence), kP2);
    line += '\t';
    base::appendMasked(line, d.PL3(i), kP2);
    line += '\t';
    base::appendMasked(line, d.DepthL1(i, sequence), kDepthL1);
    line += '\t';
    base::appendMasked(line, d.DepthL2(i, sequence), kDepthL2);
    line += '\t';
    base::appendMasked(line, d.Elev(i, sequence), kElev);
    line += end;
    out << line;
  }
}

base::Result<std::string> lastSequenceFileText(const KolvState& state, Int16 sequence) {
  if (!state.imported) return base::fail("No transect has been imported.");
  if (!state.data.Elev.contains(0, sequence))
    return base::fail("Sequence " + std::to_string(sequence) + " is not held (sequences " +
                      std::to_string(state.data.Elev.seqLower()) + " to " +
                      std::to_string(state.data.Elev.seqUpper()) + ").");
  std::ostringstream text;
  writeLastSequence(text, state, sequence);
  return text.str();
}

base::Result<> writeLastSequenceText(const std::string& path,
                                     const base::Result<std::string>& text) {
  if (!text) return base::fail(text.message());
  if (auto written = base::writeWholeFile(path, *text); !written)
    return base::fail("Cannot write " + path + ": " + written.message());
  return {};
}

base::Result<> writeLastSequenceFile(const std::string& path, const KolvState& state,
                                     Int16 sequence) {
  return writeLastSequenceText(path, lastSequenceFileText(state, sequence));
}

}  // namespace sodwright::kolv
