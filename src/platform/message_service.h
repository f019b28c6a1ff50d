// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Modal message boxes: one OK button, or OK and Cancel, with a title and an
// optional icon.

#include <string>

#include "platform/app_title.h"

namespace sodwright::platform {

enum class MessageButtons { Ok, OkCancel };
enum class MessageAnswer { Ok, Cancel };
// None: a plain box (a question mark when it asks OK / Cancel).
enum class MessageIcon { None, Information, Warning, Critical };

class MessageService {
 public:
  virtual ~MessageService() = default;
  virtual MessageAnswer show(const std::string& text, const std::string& title,
                             MessageButtons buttons, MessageIcon icon) = 0;

  // The common case: an OK box titled with the program's name.
  void inform(const std::string& text) {
    show(text, std::string(kProgramTitle), MessageButtons::Ok, MessageIcon::None);
  }
  void inform(const std::string& text, const std::string& title,
              MessageIcon icon = MessageIcon::None) {
    show(text, title, MessageButtons::Ok, icon);
  }
  // An OK box whose text is followed by `detail` as its informative text (in
  // smaller type under it); a service without one shows the detail after a
  // blank line.
  virtual void informWithDetail(const std::string& text, const std::string& detail) {
    show(text + "\n\n" + detail, std::string(kProgramTitle), MessageButtons::Ok, MessageIcon::None);
  }
  bool confirm(const std::string& text, const std::string& title) {
    return show(text, title, MessageButtons::OkCancel, MessageIcon::None) == MessageAnswer::Ok;
  }
};

}  // namespace sodwright::platform
