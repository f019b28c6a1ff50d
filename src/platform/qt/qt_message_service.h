// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Message boxes of the desktop: QMessageBox with the given title and either
// one OK button or OK and Cancel, and the asked icon; a detail is the box's
// informative text, below the text.

#include "platform/message_service.h"

namespace sodwright::platform {

class QtMessageService : public MessageService {
 public:
  MessageAnswer show(const std::string& text, const std::string& title, MessageButtons buttons,
                     MessageIcon icon, const std::string& detail) override;
};

}  // namespace sodwright::platform
