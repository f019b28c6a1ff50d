// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the chooser opens BANDO: the lookup tables are built afresh on every
// visit, then the indicator window is shown: as "Quit" left it, or new after
// the user closed it.

#include "bando/bando_state.h"
#include "platform/app_context.h"
#include "shared_ui/window_hub.h"

namespace sodwright::bando {

shared_ui::WindowHub::WindowFactory bandoWindowFactory(BandoState& state,
                                                       platform::AppContext& context,
                                                       shared_ui::WindowHub& hub);

}  // namespace sodwright::bando
