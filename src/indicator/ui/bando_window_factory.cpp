#include "indicator/ui/bando_window_factory.h"

#include <QPointer>
#include <memory>

#include "indicator/ui/FrmBANDO_Main.h"

namespace sodwright::bando {

shell::WindowHub::WindowFactory bandoWindowFactory(BandoState& state, platform::AppContext& context,
                                                   shell::WindowHub& hub) {
  // The window "Quit" hid is the one shown again, as the user left it; a
  // closed one is gone and the next visit makes a new one.
  auto kept = std::make_shared<QPointer<FrmBANDO_Main>>();
  return [&state, &context, &hub, kept]() -> QWidget* {
    InitBANDOTables(state.tables);
    if (!*kept) *kept = new FrmBANDO_Main(state, context, hub);
    return kept->data();
  };
}

}  // namespace sodwright::bando
