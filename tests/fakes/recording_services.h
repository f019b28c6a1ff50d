// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Recording fakes of the platform services, for tests that drive windows and
// commands without a person.

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/app_context.h"

namespace sodwright::platform {

struct RecordedMessage {
  std::string text;
  std::string title;
  MessageButtons buttons;
  MessageIcon icon;
  std::string detail;  // below the text: the true reason of a refusal, a write's failure
};

class RecordingMessageService : public MessageService {
 public:
  MessageAnswer show(const std::string& text, const std::string& title, MessageButtons buttons,
                     MessageIcon icon, const std::string& detail) override {
    shown.push_back({text, title, buttons, icon, detail});
    if (onShow) onShow(shown.back());
    if (answers.empty()) return MessageAnswer::Ok;
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::vector<std::string> texts() const {
    std::vector<std::string> out;
    for (const auto& m : shown) out.push_back(m.text);
    return out;
  }

  std::vector<RecordedMessage> shown;
  // Called while the box "is open", to look at the windows at that moment.
  std::function<void(const RecordedMessage&)> onShow;
  std::deque<MessageAnswer> answers;  // the answers to give, in order; OK when none left
};

class ScriptedFileDialogService : public FileDialogService {
 public:
  std::string askOpenFileName(const std::string& filter) override {
    openFilters.push_back(filter);
    return next();
  }
  std::string askSaveFileName(const std::string& filter) override {
    saveFilters.push_back(filter);
    return next();
  }

  std::deque<std::string> names;  // the names to give, in order; "" (cancel) when none left
  std::vector<std::string> openFilters;
  std::vector<std::string> saveFilters;

 private:
  std::string next() {
    if (names.empty()) return {};
    std::string name = names.front();
    names.pop_front();
    return name;
  }
};

class RecordingProgramStarter : public ProgramStarter {
 public:
  bool openTextFile(const std::string& path) override {
    textFiles.push_back(path);
    return desktopHasPrograms;
  }
  bool openWebAddress(const std::string& address) override {
    webAddresses.push_back(address);
    return desktopHasPrograms;
  }

  bool desktopHasPrograms = true;  // false: nothing can be handed over
  std::vector<std::string> textFiles;
  std::vector<std::string> webAddresses;
};

class RecordingBusyIndicator : public BusyIndicator {
 public:
  void setBusyPointer(bool on) override {
    busy = on;
    events.push_back(on ? "busy" : "normal");
  }
  void showNote() override {
    noteShown = true;
    events.push_back("showNote");
  }
  void hideNote() override {
    noteShown = false;
    events.push_back("hideNote");
  }
  void closeNote() override {
    noteShown = false;
    events.push_back("closeNote");
  }

  bool busy = false;
  bool noteShown = false;
  std::vector<std::string> events;
};

// All fakes together with a context over them.
struct FakePlatform {
  RecordingMessageService messages;
  ScriptedFileDialogService fileDialogs;
  RecordingProgramStarter programs;
  RecordingBusyIndicator busy;
  AppContext context{messages, fileDialogs, programs, busy};
};

}  // namespace sodwright::platform
