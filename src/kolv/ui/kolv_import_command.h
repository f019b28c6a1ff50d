// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The import command of the KOLV main window ("&Import"): the file and, for
// text, the delimiter come from the shared import request; this command
// follows the kind rules and reads the transect. The window supplies what
// becomes visible: the Run menu's state and what follows a successful import.

#include <functional>
#include <string>

#include <QObject>

#include "base/result.h"
#include "kolv/state/kolv_state.h"
#include "platform/app_context.h"

namespace sodwright::shared_ui {
class WindowHub;
struct ImportChoice;
}  // namespace sodwright::shared_ui

namespace sodwright::kolv {

inline constexpr const char* kWorkbookNotReadMessage =
    "Sorry, workbooks can not be read on this computer. Please save the data as a tab-delimited "
    "text file.";
inline constexpr const char* kDatabaseNotReadMessage =
    "Sorry, this version can not read database tables. Please save the data as a tab-delimited "
    "text file.";

class KolvImportCommand : public QObject {
  Q_OBJECT

 public:
  struct Effects {
    std::function<void()> textFileChosen;  // the delimiter dialog comes next
    std::function<void()> imported;        // the transect is in the state
    std::function<void()> showMainWindow;
  };

  KolvImportCommand(KolvState& state, platform::AppContext& context, shared_ui::WindowHub& hub,
                    Effects effects, QObject* parent = nullptr);

  // Asks for the file and follows the kind rules. A text file is read once
  // the delimiter dialog's OK has given the delimiter.
  void start();

  // The name chosen in the open dialog, kept until the next import.
  const std::string& fileName() const { return fileName_; }

 private:
  void chosen(const shared_ui::ImportChoice& choice);
  // Runs the import (under the busy pointer and note when `busy`); on failure
  // the message is shown and the transect held before stays.
  void read(const std::function<base::Result<>()>& import, bool busy);

  KolvState& state_;
  platform::AppContext& context_;
  shared_ui::WindowHub& hub_;
  Effects effects_;
  std::string fileName_;
};

}  // namespace sodwright::kolv
