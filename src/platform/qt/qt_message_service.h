// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Message boxes of the desktop: QMessageBox with the given title and either
// one OK button or OK and Cancel, and the asked icon.

#include "platform/message_service.h"

namespace sodwright::platform {

class QtMessageService : public MessageService {
 public:
  MessageAnswer show(const std::string& text, const std::string& title, MessageButtons buttons,
                     MessageIcon icon) override;
  void informWithDetail(const std::string& text, const std::string& detail) override;

 private:
  MessageAnswer showBox(const std::string& text, const std::string& detail,
                        const std::string& title, MessageButtons buttons, MessageIcon icon);
};

}  // namespace sodwright::platform
