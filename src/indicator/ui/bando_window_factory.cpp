#include "indicator/ui/bando_window_factory.h"

#include <memory>

#include "indicator/ui/FrmBANDO_Main.h"

namespace sodwright::bando {

shell::WindowHub::WindowFactory bandoWindowFactory(BandoState& state, platform::AppContext& context,
                                                   shell::WindowHub& hub) {
  auto memo = std::make_shared<BandoWindowMemo>();
  return [&state, &context, &hub, memo]() -> QWidget* {
    InitBANDOTables(state.tables);
    return new FrmBANDO_Main(state, context, hub, memo);
  };
}

}  // namespace sodwright::bando
