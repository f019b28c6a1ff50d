// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/study/ensemble_csv_writer.h"

#include <sstream>

#include "base/number_text.h"
#include "base/text/csv_text.h"
#include "base/text/text_file.h"

namespace sodwright::kolv {

std::string ensembleCsvText(const EnsembleResult& r) {
  const KolvState& study = r.studyRun;
  std::ostringstream out;
  out << base::csvField("x (m)");
  const std::string& unit = study.data.SubstanceUnit;
  for (int q = 0; q < kQuantityCount; ++q) {
    const std::string name = ensembleQuantityName(static_cast<EnsembleQuantity>(q), unit);
    for (double p : r.percentiles) out << ',' << base::csvField(name + " p" + base::generalText(p));
    out << ',' << base::csvField(name + " run");
  }
  out << ",EndZone" << base::kLineEnd;
  for (int i = 0; i < r.nodes; ++i) {
    out << base::exactNumberSingle(
        base::roundToSingle(i * static_cast<double>(study.params.Interval)));
    for (int q = 0; q < kQuantityCount; ++q) {
      for (const auto& band : r.band[q]) out << ',' << base::exactNumber(band[i]);
      out << ',' << base::exactNumber(r.deterministic[q][i]);
    }
    out << ',' << (inLastEndZone(study.params, i) ? 1 : 0) << base::kLineEnd;
  }
  return out.str();
}

}  // namespace sodwright::kolv
