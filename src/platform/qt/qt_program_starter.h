// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Hands files and addresses to the desktop without waiting: a report file
// opens in the program the desktop uses for text files, an address in the
// default web browser.

#include <QUrl>

#include "platform/program_starter.h"

namespace sodwright::platform {

// The address a report file opens with: a file:// URL of its absolute path.
QUrl urlForFile(const std::string& path);
// A web address as given; a plain path is taken as a local file.
QUrl urlForAddress(const std::string& address);

class QtProgramStarter : public ProgramStarter {
 public:
  bool openTextFile(const std::string& path) override;
  bool openWebAddress(const std::string& address) override;
};

}  // namespace sodwright::platform
