// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What stands in for the windows' services in the batch runner: messages go
// to standard error, the file dialogs answer with the names given on the
// command line, and nothing is opened or shown.

#include <iostream>
#include <string>
#include <string_view>
#include <utility>

#include "nibal/grid_messages.h"
#include "platform/app_context.h"

namespace sodwright::batch {

// Writes a message with its line end, so that the next one starts a line.
inline void printMessage(std::string_view text) {
  std::cerr << text;
  if (text.empty() || text.back() != '\n') std::cerr << '\n';
}

// The window's "Out put data failed. ..." names no reason; on the command
// line the true one (a full disk, a folder that may not be written) comes
// first and the window's text after it. Other messages stay as they are.
inline std::string reasonFirst(std::string_view message) {
  const std::string_view window = nibal::kOutputFailed;
  if (message.size() <= window.size() || message.substr(0, window.size()) != window ||
      message[window.size()] != '\n')
    return std::string(message);
  return std::string(message.substr(window.size() + 1)) + "\n" + std::string(window);
}

// A box titled with the program's name prints as its text; a box with a
// title of its own ("Note", "Kiding?") prints as "title: text"; a detail
// follows on a line of its own. Every box is answered OK: a note lets the
// run go on, as in the window.
class StderrMessages : public platform::MessageService {
 public:
  platform::MessageAnswer show(const std::string& text, const std::string& title,
                               platform::MessageButtons, platform::MessageIcon,
                               const std::string& detail) override {
    if (title != platform::kProgramTitle) std::cerr << title << ": ";
    if (!detail.empty() && text == nibal::kOutputFailed) {
      printMessage(detail);
      printMessage(text);
      return platform::MessageAnswer::Ok;
    }
    printMessage(text);
    if (!detail.empty()) printMessage(detail);
    return platform::MessageAnswer::Ok;
  }
};

// The open dialog picks the input file, the save dialog the report file.
class FixedFileNames : public platform::FileDialogService {
 public:
  FixedFileNames(std::string input, std::string report)
      : input_(std::move(input)), report_(std::move(report)) {}
  std::string askOpenFileName(const std::string&) override { return input_; }
  std::string askSaveFileName(const std::string&) override {
    saveAsked_ = true;
    return report_;
  }
  // Whether a run got as far as asking where its report goes.
  bool saveAsked() const { return saveAsked_; }

 private:
  std::string input_;
  std::string report_;
  bool saveAsked_ = false;
};

// Nothing to open and nothing to show without a desktop.
class NoPrograms : public platform::ProgramStarter {
 public:
  bool openTextFile(const std::string&) override { return true; }
  bool openWebAddress(const std::string&) override { return true; }
};

class NoBusyFeedback : public platform::BusyIndicator {
 public:
  void setBusyPointer(bool) override {}
  void showNote() override {}
  void hideNote() override {}
  void closeNote() override {}
};

}  // namespace sodwright::batch
