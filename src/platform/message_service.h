// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Modal message boxes: one OK button, or OK and Cancel, with a title and an
// optional icon. A box may add a detail below its text: the true reason and
// range of a refused value, or the file and the system's reason of a failed
// write, while the text itself stays as users know it.

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
                             MessageButtons buttons, MessageIcon icon,
                             const std::string& detail) = 0;

  // The common case: an OK box titled with the program's name.
  void inform(const std::string& text) {
    show(text, std::string(kProgramTitle), MessageButtons::Ok, MessageIcon::None, {});
  }
  // An OK box titled with the program's name, with `detail` below its text.
  void informWithDetail(const std::string& text, const std::string& detail) {
    show(text, std::string(kProgramTitle), MessageButtons::Ok, MessageIcon::None, detail);
  }
  void inform(const std::string& text, const std::string& title,
              MessageIcon icon = MessageIcon::None) {
    show(text, title, MessageButtons::Ok, icon, {});
  }
  bool confirm(const std::string& text, const std::string& title) {
    return show(text, title, MessageButtons::OkCancel, MessageIcon::None, {}) == MessageAnswer::Ok;
  }
};

}  // namespace sodwright::platform
