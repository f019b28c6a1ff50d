// SPDX-License-Identifier: GPL-3.0-or-later
#include "bando/bando_state.h"

#include <stdexcept>

namespace sodwright::bando {

std::optional<Int16> PickListItem(BandoState& state, BandoList list, int position) {
  Int16* index = nullptr;
  switch (list) {
    case BandoList::SlopeClass:
      state.UseSlopeData = 0;
      index = &state.SlopeClassIdx;
      break;
    case BandoList::SurfaceForm:
      state.UseSlopeData = 0;
      index = &state.SurfaceFormIdx;
      break;
    case BandoList::CropType:
      state.UseTillageData = 0;
      index = &state.CropTypeIdx;
      break;
    case BandoList::Region:
      state.UseTillageData = 0;
      index = &state.RegionIdx;
      break;
    case BandoList::TillageSystem:
      state.UseTillageData = 0;
      index = &state.TillSysIdx;
      break;
    case BandoList::Implement:
      throw std::invalid_argument("the implement list is not one of the indicator window's lists");
  }
  const auto itemCount = static_cast<int>(itemsOf(list).size());
  if (position < 0 || position >= itemCount) return std::nullopt;
  *index = static_cast<Int16>(position);
  return *index;
}

}  // namespace sodwright::bando
