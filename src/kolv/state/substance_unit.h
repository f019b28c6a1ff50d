// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The unit of Input Amount. The engine adds the amount to the substance mass
// held per m² of the layers, which is in the transect's own mass unit (mg for
// a file in mg/kg), so the amount is that mass per m², whatever the comparison
// report's line has always printed beside it.

#include <string>
#include <string_view>

namespace sodwright::kolv {

// "mg/m2" for the SubstanceUnit "mg"; `squareMetre` lets a window write "m²".
inline std::string inputAmountUnit(std::string_view substanceUnit,
                                   std::string_view squareMetre = "m2") {
  const std::string mass =
      substanceUnit.empty() ? std::string("substance mass") : std::string(substanceUnit);
  return mass + "/" + std::string(squareMetre);
}

}  // namespace sodwright::kolv
