// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Open and save dialogs of the desktop. The program's filters, written as
// "description|pattern|description|pattern", are turned into Qt's form and
// matched without regard to case, so "*.TXT" also offers "data.txt".

#include <QString>
#include <QStringList>

#include "platform/file_dialog.h"

namespace sodwright::platform {

// "Text files(*.TXT)|*.TXT" -> {"Text files(*.TXT) (*.[tT][xX][tT])"}: each
// pair gives one Qt filter, shown by its description, whose patterns match
// in any case.
QStringList qtNameFilters(const std::string& filter);

class QtFileDialogService : public FileDialogService {
 public:
  std::string askOpenFileName(const std::string& filter) override;
  std::string askSaveFileName(const std::string& filter) override;

 private:
  QString lastDirectory_;  // the dialogs open where the last one was left
};

}  // namespace sodwright::platform
