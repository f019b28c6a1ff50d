#pragma once
// Modal message boxes: one OK button, or OK and Cancel, with a title.

#include <string>

#include "platform/app_title.h"

namespace sodwright::platform {

enum class MessageButtons { Ok, OkCancel };
enum class MessageAnswer { Ok, Cancel };

class MessageService {
 public:
  virtual ~MessageService() = default;
  virtual MessageAnswer show(const std::string& text, const std::string& title,
                             MessageButtons buttons) = 0;

  // The common case: an OK box titled with the program's name.
  void inform(const std::string& text) { show(text, std::string(kProgramTitle), MessageButtons::Ok); }
  void inform(const std::string& text, const std::string& title) {
    show(text, title, MessageButtons::Ok);
  }
  bool confirm(const std::string& text, const std::string& title) {
    return show(text, title, MessageButtons::OkCancel) == MessageAnswer::Ok;
  }
};

}  // namespace sodwright::platform
