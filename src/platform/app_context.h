// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The platform services and shared values every window receives.

#include <cstdint>

#include "platform/busy_indicator.h"
#include "platform/file_dialog.h"
#include "platform/message_service.h"
#include "platform/program_starter.h"
#include "platform/workbook.h"

namespace sodwright::platform {

// Which model is in use: 0 before the first choice, then 1 KOLV, 2 NIBAL, 3 BANDO.
enum ActiveModelCode : std::int16_t { kNoModel = 0, kKolv = 1, kNibal = 2, kBando = 3 };

struct AppContext {
  MessageService& messages;
  FileDialogService& fileDialogs;
  ProgramStarter& programs;
  BusyIndicator& busy;
  WorkbookReader* workbooks = nullptr;  // null until a reader is installed
  std::int16_t activeModel = kNoModel;
};

}  // namespace sodwright::platform
