#pragma once
// The import command of the KOLV main window ("&Import"): the open dialog
// with the data-file filter, the rules by file extension, the delimiter
// dialog of the hub and the text import. The window supplies what becomes
// visible: the Run menu's state and what follows a successful import.

#include <QObject>
#include <functional>
#include <string>

#include "platform/app_context.h"
#include "transect/kolv_state.h"

namespace sodwright::shell {
class WindowHub;
}

namespace sodwright::kolv {

inline constexpr const char* kUnknownFileMessage =
    "Sorry, program can not handle this file. Please convert your data into Excel, Text or DBF "
    "file";
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

  KolvImportCommand(KolvState& state, platform::AppContext& context, shell::WindowHub& hub,
                    Effects effects, QObject* parent = nullptr);

  // Asks for the file and follows the extension rules. A text file is read
  // once the delimiter dialog's OK has stored the delimiter.
  void start();

  // The name chosen in the open dialog, kept until the next import.
  const std::string& fileName() const { return fileName_; }

 private:
  void importWorkbook();
  void onDelimiterChosen(char delimiter);
  void onDelimiterQuit();

  KolvState& state_;
  platform::AppContext& context_;
  shell::WindowHub& hub_;
  Effects effects_;
  std::string fileName_;
  bool waiting_ = false;
};

}  // namespace sodwright::kolv
