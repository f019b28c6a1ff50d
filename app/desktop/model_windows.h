// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The three model states of the desktop program and the registration of
// their windows and viewer tables with the hub.

#include "bando/bando_state.h"
#include "kolv/state/kolv_state.h"
#include "nibal/grid_state.h"
#include "shared_ui/window_hub.h"

namespace sodwright::desktop {

struct ModelStates {
  kolv::KolvState kolv;
  nibal::GridState grid;
  bando::BandoState bando;
};

void registerModelWindows(shared_ui::WindowHub& hub, ModelStates& states);

}  // namespace sodwright::desktop
