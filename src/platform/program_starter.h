// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Hands a file or an address to another program of the desktop, without
// waiting for it: reports open in the default text editor, help pages in the
// default web browser.

#include <string>
#include <string_view>

#include "platform/message_service.h"

namespace sodwright::platform {

class ProgramStarter {
 public:
  virtual ~ProgramStarter() = default;
  // False when the desktop has no program to hand it to.
  virtual bool openTextFile(const std::string& path) = 0;
  virtual bool openWebAddress(const std::string& address) = 0;
};

// Where a desktop without a matching program leaves the user: the report is
// written all the same, and the guide is a file they can open themselves.
inline std::string reportNotShownMessage(const std::string& path) {
  return "The report was written to " + path + "\nbut no program was found to show it.";
}
inline std::string helpNotShownMessage(const std::string& address) {
  std::string_view where = address;
  if (where.substr(0, 7) == "file://") where.remove_prefix(7);
  if (const auto anchor = where.find('#'); anchor != std::string_view::npos)
    where = where.substr(0, anchor);
  return "No web browser was found to show the help.\nThe guide is at " + std::string(where);
}

inline void showWrittenReport(ProgramStarter& programs, MessageService& messages,
                              const std::string& path) {
  if (!programs.openTextFile(path)) messages.inform(reportNotShownMessage(path));
}
inline void showHelpPage(ProgramStarter& programs, MessageService& messages,
                         const std::string& address) {
  if (!programs.openWebAddress(address)) messages.inform(helpNotShownMessage(address));
}

}  // namespace sodwright::platform
