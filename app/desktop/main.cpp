// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program: the platform services, one state object per model,
// the window hub with the model windows registered, and the start-up window.
#include <QApplication>

#include "desktop/model_windows.h"
#include "platform/app_context.h"
#include "platform/qt/qt_busy_indicator.h"
#include "platform/qt/qt_file_dialog_service.h"
#include "platform/qt/qt_message_service.h"
#include "platform/qt/qt_program_starter.h"
#include "shared_ui/patience_note.h"
#include "shared_ui/window_hub.h"
#if defined(SODWRIGHT_HAVE_WORKBOOKS)
#include "platform/workbook/file_workbook_reader.h"
#endif

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Sodwright"));

  sodwright::platform::QtMessageService messages;
  sodwright::platform::QtFileDialogService fileDialogs;
  sodwright::platform::QtProgramStarter programs;
  sodwright::platform::QtBusyIndicator busy([] { return new sodwright::shared_ui::PatienceNote; });
  sodwright::platform::AppContext context{messages, fileDialogs, programs, busy};
#if defined(SODWRIGHT_HAVE_WORKBOOKS)
  sodwright::platform::FileWorkbookReader workbooks;
  context.workbooks = &workbooks;
#endif

  // The model states outlive the hub, which destroys the windows using them.
  sodwright::desktop::ModelStates states;
  sodwright::shared_ui::WindowHub hub(context);
  sodwright::desktop::registerModelWindows(hub, states);

  hub.showStartupWindow(true);
  return app.exec();
}
