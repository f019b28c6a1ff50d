#pragma once
// The three model states of the desktop program and the registration of
// their windows and viewer tables with the hub.

#include "grid/grid_state.h"
#include "indicator/bando_state.h"
#include "shell/ui/window_hub.h"
#include "transect/kolv_state.h"

namespace sodwright::desktop {

struct ModelStates {
  kolv::KolvState kolv;
  nibal::GridState grid;
  bando::BandoState bando;
};

void registerModelWindows(shell::WindowHub& hub, ModelStates& states);

}  // namespace sodwright::desktop
