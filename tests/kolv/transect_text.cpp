// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/transect_text.h"

#include <cstdio>
#include <sstream>

namespace sodwright::kolv::testing {

std::string transectText(const TransectHeader& h, const std::vector<std::string>& rows,
                         char delimiter, const std::string& lineEnd) {
  const std::string t(1, delimiter);
  const std::string u = h.unit + "/kg";
  std::string text;
  text += "Sequence=" + t + h.sequence + t + "DataPoints:" + t + h.points + lineEnd;
  text += "DistributionDistance=" + t + h.distrDistance + t + "m" + t + "Interval =" + t +
          h.interval + t + "m" + lineEnd;
  text += "Lamda=" + t + h.alpha + t + "+" + t + h.beta + t + "*SG+" + t + h.gamma + t + "*SC" +
          lineEnd;
  text += "Tillage_Depth =" + t + h.tillDepth + t + "m" + lineEnd;
  text += "BD1 =" + t + h.bd1 + t + "kg / m3" + t + "BD2 =" + t + h.bd2 + t + "kg / m3" + t +
          "BD3 =" + t + h.bd3 + t + "kg / m3" + lineEnd;
  text += lineEnd;
  text += "P1_" + h.sequence + t + "P2_" + t + "P3_" + t + "L1_" + t + "L2_" + t + " Z " + lineEnd;
  text += u + t + u + t + u + t + " m " + t + " m " + t + " m " + lineEnd;
  for (const auto& row : rows) text += row + lineEnd;
  return text;
}

std::vector<std::string> pointRows(int count, char delimiter) {
  std::vector<std::string> rows;
  for (int i = 0; i < count; ++i) {
    char buffer[200];
    std::snprintf(buffer, sizeof buffer, "%.8f%c%.8f%c%.8f%c%.6f%c%.6f%c%.8f",
                  10.0 + 0.12345678 * i, delimiter, 8.0 - 0.0312345 * i, delimiter,
                  1.0 + 0.001234567 * (i % 7), delimiter, 0.2 + 0.00012345 * (i % 5), delimiter,
                  0.05 + 0.00031 * (i % 3), delimiter, 100.0 - 0.0123456789 * i);
    rows.emplace_back(buffer);
  }
  return rows;
}

std::string describeState(const KolvState& s) {
  const TranslocationParameters& p = s.params;
  std::ostringstream out;
  out.precision(17);
  out << p.StartSeq << ' ' << p.SeqCount << ' ' << p.LastSeq << ' ' << p.FileSeqNo << ' '
      << p.NodeCount << ' ' << p.DataPointCount << ' ' << p.Interval << ' ' << p.DistrDistance
      << ' ' << p.DistrNodes << ' ' << p.TillDepth << ' ' << p.UpLayerDepth << ' '
      << p.SubLayerDepth << ' ' << p.BulkDensity1 << ' ' << p.BulkDensity2 << ' ' << p.BulkDensity3
      << ' ' << p.Alpha << ' ' << p.Beta << ' ' << p.Gamma << ' ' << p.TillDirection << ' '
      << p.DirectionSign << ' ' << p.LateralColumns << ' ' << p.SgWeightFront << ' '
      << p.SgWeightBack << ' ' << p.ScScale << ' ' << p.DecayRate1 << ' ' << p.DecayRate2 << ' '
      << p.InputFrequency << ' ' << p.InputAmount << ' ' << p.FirstSeqShown << ' ' << p.LastSeqShown
      << ' ' << s.imported << ' ' << s.simulated << '\n';
  const TransectData& d = s.data;
  out << d.SubstanceUnit << ' ' << d.Elev.nodeLower() << ' ' << d.Elev.nodeUpper() << ' '
      << d.Elev.seqUpper() << ' ' << s.results.DeltaElev.lower() << ' '
      << s.results.DeltaElev.upper() << '\n';
  if (d.Elev.seqUpper() >= p.FileSeqNo) {
    for (int i = 0; i < p.DataPointCount; ++i)
      out << d.PL1(i, p.FileSeqNo) << ' ' << d.PL2(i, p.FileSeqNo) << ' ' << d.PL3(i) << ' '
          << d.DepthL1(i, p.FileSeqNo) << ' ' << d.DepthL2(i, p.FileSeqNo) << ' '
          << d.Elev(i, p.FileSeqNo) << '\n';
  }
  return out.str();
}

}  // namespace sodwright::kolv::testing
