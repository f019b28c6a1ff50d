#include "app/desktop/model_windows.h"

#include "grid/ui/frmGridInfo.h"
#include "grid/ui/grid_table_model.h"
#include "shell/ui/kolv_table_model.h"

namespace sodwright::desktop {

void registerModelWindows(shell::WindowHub& hub, ModelStates& states) {
  platform::AppContext& context = hub.context();

  hub.setViewerModelFactory(platform::kKolv, [&states] {
    return new shell::KolvTableModel(states.kolv, shell::kolvViewerSequence(states.kolv));
  });
  hub.setViewerModelFactory(platform::kNibal, nibal::gridViewerModelFactory(states.grid));

  hub.setModelWindowFactory(platform::kNibal, [&states, &context, &hub]() -> QWidget* {
    return new nibal::frmGridInfo(states.grid, context, hub);
  });
}

}  // namespace sodwright::desktop
