// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/model_windows.h"

// The window headers hand out their parameter windows inline, so those
// classes must be complete here too.
#include "bando/ui/bando_window_factory.h"
#include "kolv/ui/kolv_main_window.h"
#include "kolv/ui/kolv_parameter_window.h"
#include "kolv/ui/kolv_table_model.h"
#include "nibal/ui/grid_parameter_window.h"
#include "nibal/ui/grid_table_model.h"
#include "nibal/ui/grid_window.h"

namespace sodwright::desktop {

void registerModelWindows(shared_ui::WindowHub& hub, ModelStates& states) {
  platform::AppContext& context = hub.context();

  hub.setViewerModelFactory(platform::kKolv, kolv::kolvViewerModelFactory(states.kolv));
  hub.setViewerModelFactory(platform::kNibal, nibal::gridViewerModelFactory(states.grid));

  hub.setModelWindowFactory(platform::kKolv, [&states, &context, &hub]() -> QWidget* {
    return new kolv::KolvMainWindow(states.kolv, context, hub);
  });
  hub.setModelWindowFactory(platform::kNibal, [&states, &context, &hub]() -> QWidget* {
    return new nibal::GridWindow(states.grid, context, hub);
  });
  // Builds the lookup tables afresh on every visit.
  hub.setModelWindowFactory(platform::kBando,
                            bando::bandoWindowFactory(states.bando, context, hub));
}

}  // namespace sodwright::desktop
