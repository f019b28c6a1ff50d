#include "desktop/model_windows.h"

// The window headers hand out their parameter windows inline, so those
// classes must be complete here too.
#include "grid/ui/FrmModelParameter.h"
#include "grid/ui/frmGridInfo.h"
#include "grid/ui/grid_table_model.h"
#include "indicator/ui/bando_window_factory.h"
#include "shell/ui/kolv_table_model.h"
#if __has_include("transect/ui/FrmKOLV_Main.h")
#include "transect/ui/FrmKOLVParameter.h"
#include "transect/ui/FrmKOLV_Main.h"
#define SODWRIGHT_HAVE_KOLV_WINDOW 1
#endif

namespace sodwright::desktop {

void registerModelWindows(shell::WindowHub& hub, ModelStates& states) {
  platform::AppContext& context = hub.context();

  hub.setViewerModelFactory(platform::kKolv, [&states] {
    return new shell::KolvTableModel(states.kolv, shell::kolvViewerSequence(states.kolv));
  });
  hub.setViewerModelFactory(platform::kNibal, nibal::gridViewerModelFactory(states.grid));

#if defined(SODWRIGHT_HAVE_KOLV_WINDOW)
  hub.setModelWindowFactory(platform::kKolv, [&states, &context, &hub]() -> QWidget* {
    return new kolv::ui::FrmKOLV_Main(states.kolv, context, hub);
  });
#endif
  hub.setModelWindowFactory(platform::kNibal, [&states, &context, &hub]() -> QWidget* {
    return new nibal::frmGridInfo(states.grid, context, hub);
  });
  // Builds the lookup tables afresh on every visit.
  hub.setModelWindowFactory(platform::kBando, bando::bandoWindowFactory(states.bando, context, hub));
}

}  // namespace sodwright::desktop
