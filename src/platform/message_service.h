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
  bool confirm(const std::string& text, const std::string& title) {
    return show(text, title, MessageButtons::OkCancel, MessageIcon::None) == MessageAnswer::Ok;
  }
};

}  // namespace sodwright::platform
