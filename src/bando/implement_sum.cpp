// SPDX-License-Identifier: GPL-3.0-or-later
#include "bando/implement_sum.h"

#include <cmath>
#include <stdexcept>

#include "base/number_text.h"

namespace sodwright::bando {

bool pickAllowed(std::string_view previousRowPassesText) {
  return std::floor(base::parseLeadingNumber(previousRowPassesText)) > 0.0;
}

std::optional<Int16> ReadPasses(std::string_view passesText) {
  return base::roundToInt16(base::parseLeadingNumber(passesText));
}

ImplementSum sumImplementErosivity(const BandoTables& tables, std::span<const ImplementRow> rows) {
  if (rows.size() > kCalculatorRows) throw std::invalid_argument("the calculator has ten rows");
  ImplementSum sum;
  for (std::size_t k = 0; k < rows.size(); ++k) {
    const ImplementRow& row = rows[k];
    const std::optional<Int16> passes = ReadPasses(row.passesText);
    // Passes beyond the 16-bit range are as unusable as negative ones.
    if (!passes || *passes < 0) {
      sum.messages.emplace_back(kDataInputWrong);
      sum.refusedRows.push_back(k + 1);
      continue;
    }
    const float perPass = implementErosivityAt(tables, row.implement);
    sum.total = static_cast<float>(*passes) * perPass + sum.total;
  }
  sum.totalText = base::generalTextSingle(sum.total);
  return sum;
}

ImplementSum applyCalculatorOk(BandoState& state, std::span<const ImplementRow> rows) {
  ImplementSum sum = sumImplementErosivity(state.tables, rows);
  state.ImplEt = sum.total;
  return sum;
}

}  // namespace sodwright::bando
