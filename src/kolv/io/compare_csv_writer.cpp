// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/io/compare_csv_writer.h"

#include <sstream>
#include <vector>

#include "base/number_text.h"
#include "base/text/csv_text.h"
#include "base/text/text_file.h"

namespace sodwright::kolv {

namespace {

using base::exactNumber;
using base::exactNumberSingle;

std::string head(const std::string& name, const std::string& unit) {
  return base::csvField(name + " (" + unit + ")");
}

void writeHeads(std::ostream& out, const std::string& unit, Int16 first, Int16 last, bool endZone) {
  const std::string perKg = unit + "/kg";
  std::vector<std::string> heads{head("x", "m")};
  for (const std::string& s : {std::to_string(first), std::to_string(last)}) {
    for (const std::string& h : {head("P1_" + s, perKg), head("P2_" + s, perKg),
                                 head("L1_" + s, "m"), head("L2_" + s, "m"), head("Elev" + s, "m"),
                                 head("C_UpLayer" + s, unit), head("C_SubLayer" + s, unit),
                                 head("P_UpLayer" + s, perKg), head("P_SubLayer" + s, perKg)})
      heads.push_back(h);
  }
  heads.push_back(head("P3", perKg));
  heads.push_back(head("DeltaElev", "m"));
  heads.push_back(head("SoilLoss", "kg/m2/Seq"));
  if (endZone) heads.push_back("EndZone");
  for (std::size_t i = 0; i < heads.size(); ++i) out << (i == 0 ? "" : ",") << heads[i];
  out << base::kLineEnd;
}

void writeState(std::ostream& out, const TransectData& d, int i, Int16 s) {
  out << ',' << exactNumber(d.PL1(i, s)) << ',' << exactNumber(d.PL2(i, s)) << ','
      << exactNumber(d.DepthL1(i, s)) << ',' << exactNumber(d.DepthL2(i, s)) << ','
      << exactNumber(d.Elev(i, s));
}

}  // namespace

void writeCompareCsv(std::ostream& out, const KolvState& state, Int16 first, Int16 last,
                     const EndZoneFlag& endZone) {
  const TranslocationParameters& p = state.params;
  const TransectData& d = state.data;
  const ComparisonResults& r = state.results;
  writeHeads(out, d.SubstanceUnit, first, last, static_cast<bool>(endZone));
  for (int i = 0; i < p.NodeCount; ++i) {
    out << exactNumberSingle(base::roundToSingle(i * static_cast<double>(p.Interval)));
    writeState(out, d, i, first);
    out << ',' << exactNumber(valueOrZero(r.UpMassFirst(i))) << ','
        << exactNumber(valueOrZero(r.SubMassFirst(i))) << ','
        << exactNumber(valueOrZero(r.UpConcFirst(i))) << ','
        << exactNumberSingle(r.SubConcFirst(i));
    writeState(out, d, i, last);
    out << ',' << exactNumber(valueOrZero(r.UpMassLast(i))) << ','
        << exactNumber(valueOrZero(r.SubMassLast(i))) << ','
        << exactNumber(valueOrZero(r.UpConcLast(i))) << ',' << exactNumberSingle(r.SubConcLast(i))
        << ',' << exactNumber(d.PL3(i)) << ',' << exactNumberSingle(r.DeltaElev(i)) << ','
        << exactNumberSingle(r.SoilLoss(i));
    if (endZone) out << ',' << (endZone(i) ? 1 : 0);
    out << base::kLineEnd;
  }
}

base::Result<> writeCompareCsvFile(const std::string& path, const KolvState& state, Int16 first,
                                   Int16 last, const EndZoneFlag& endZone) {
  if (!state.imported) return base::fail("No transect has been imported.");
  if (!state.data.Elev.contains(0, first) || !state.data.Elev.contains(0, last))
    return base::fail("Sequences " + std::to_string(first) + " and " + std::to_string(last) +
                      " are not both held.");
  std::ostringstream text;
  writeCompareCsv(text, state, first, last, endZone);
  if (auto written = base::writeWholeFile(path, text.str()); !written)
    return base::fail("Cannot write " + path + ": " + written.message());
  return {};
}

}  // namespace sodwright::kolv
