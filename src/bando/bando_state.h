// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The whole state of the BANDO indicator: its tables, the selections of the
// five pick lists, the two input modes and the results of the last run.
// One object, made at start-up and handed to the indicator window, the
// erosivity calculator and the batch runner.

#include <optional>

#include "bando/bando_tables.h"

namespace sodwright::bando {

struct BandoState {
  BandoTables tables;  // rebuilt by InitBANDOTables each time BANDO is chosen

  // Positions in the pick lists; 0 is the first item every list shows at start.
  Int16 SlopeClassIdx = 0;
  Int16 SurfaceFormIdx = 0;
  Int16 CropTypeIdx = 0;
  Int16 RegionIdx = 0;
  Int16 TillSysIdx = 0;

  // Input modes: 1 = EI from typed slope data, 0 = from the slope tables;
  // 1 = Et from the calculator's ImplEt, 0 = from CropErosivity. The GO
  // buttons set them from their check boxes; list picks reset them to 0.
  Int16 UseSlopeData = 0;
  Int16 UseTillageData = 0;

  float ErodibilityEI = 0.0f;  // % m / ha, last run
  float ErosivityEt = 0.0f;    // kg / m / %, last run
  float RateAt = 0.0f;         // t / ha / yr, last run
  float ImplEt = 0.0f;         // kg / m / %, total of the calculator's last OK
};

// A pick in one of the indicator window's five lists: the list's mode flag
// goes back to 0 (table mode), and a position that is one of the list's items
// is stored in its index. Returns the stored position, or empty when
// `position` is not an item (no selection), in which case no index changes.
// The implement list belongs to the calculator and is rejected here.
std::optional<Int16> PickListItem(BandoState& state, BandoList list, int position);

}  // namespace sodwright::bando
