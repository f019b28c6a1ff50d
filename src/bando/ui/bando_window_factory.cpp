// SPDX-License-Identifier: GPL-3.0-or-later
#include "bando/ui/bando_window_factory.h"

#include <memory>

#include <QPointer>

#include "bando/ui/indicator_window.h"

namespace sodwright::bando {

shared_ui::WindowHub::WindowFactory bandoWindowFactory(BandoState& state,
                                                       platform::AppContext& context,
                                                       shared_ui::WindowHub& hub) {
  // The window "Quit" hid is the one shown again, as the user left it; a
  // closed one is gone and the next visit makes a new one.
  auto kept = std::make_shared<QPointer<IndicatorWindow>>();
  return [&state, &context, &hub, kept]() -> QWidget* {
    initBandoTables(state.tables);
    if (!*kept) *kept = new IndicatorWindow(state, context, hub);
    return kept->data();
  };
}

}  // namespace sodwright::bando
