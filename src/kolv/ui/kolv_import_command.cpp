// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/ui/kolv_import_command.h"

#include <new>
#include <optional>

#include "base/text/import_messages.h"
#include "kolv/io/transect_import.h"
#include "kolv/io/transect_workbook_import.h"
#include "platform/busy_indicator.h"
#include "shared_ui/import_file_request.h"

namespace sodwright::kolv {

KolvImportCommand::KolvImportCommand(KolvState& state, platform::AppContext& context,
                                     shared_ui::WindowHub& hub, Effects effects, QObject* parent)
    : QObject(parent), state_(state), context_(context), hub_(hub), effects_(std::move(effects)) {}

void KolvImportCommand::start() {
  const shared_ui::ImportRequest request{platform::kImportFilter, shared_ui::DelimiterStart::Tab,
                                         platform::kKolv};
  const bool waiting =
      shared_ui::askImportFile(hub_, context_, request, this,
                               {[this](const shared_ui::ImportChoice& choice) { chosen(choice); },
                                [this] { effects_.showMainWindow(); }});
  if (waiting) effects_.textFileChosen();
}

void KolvImportCommand::chosen(const shared_ui::ImportChoice& choice) {
  using platform::ImportKind;
  fileName_ = choice.path;
  if (choice.cancelled()) return;  // nothing changes
  switch (choice.kind) {
    case ImportKind::Text:
      read([&] { return importTransectText(state_, fileName_, choice.delimiter); }, false);
      return;
    case ImportKind::Xls:
    case ImportKind::Xlsx:
    case ImportKind::Ods:
      if (!context_.workbooks) {
        context_.messages.inform(kWorkbookNotReadMessage);
        return;
      }
      read([&] { return importTransectWorkbook(state_, *context_.workbooks, fileName_); }, true);
      return;
    case ImportKind::Database:
      context_.messages.inform(kDatabaseNotReadMessage);
      return;
    case ImportKind::Raster:  // only the grid reads rasters
    case ImportKind::Unsupported:
      break;
  }
  context_.messages.inform(std::string(base::kUnsupportedFile));
}

void KolvImportCommand::read(const std::function<base::Result<>()>& import, bool busy) {
  base::Result<> result;
  {
    // A workbook takes its time; a text file is read at once.
    std::optional<platform::BusyScope> pointer;
    if (busy) pointer.emplace(context_.busy);
    try {
      result = import();
    } catch (const std::bad_alloc&) {
      result = base::fail(base::importOutOfMemoryMessage());
    }
  }
  if (!result) {
    // The previous transect stays as it was; the user may try again.
    context_.messages.inform(result.message());
    return;
  }
  effects_.imported();
}

}  // namespace sodwright::kolv
