// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A hub over the recording fakes, for the window tests of the shell.

#include <memory>

#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include "fakes/recording_services.h"
#include "shared_ui/window_hub.h"

namespace sodwright::shared_ui::testing {

class HubFixture : public ::testing::Test {
 protected:
  HubFixture() {
    hub = std::make_unique<WindowHub>(fake.context);
    hub->setQuitHandler([this] { ++quitCalls; });
  }
  ~HubFixture() override {
    hub.reset();
    flushDeletes();
  }

  // Windows closed with WA_DeleteOnClose go at the next turn of the event loop.
  static void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // Visible top-level windows of one class name.
  static int visibleWindows(const char* objectName) {
    int count = 0;
    for (QWidget* window : QApplication::topLevelWidgets())
      if (window->isVisible() && window->objectName() == QLatin1String(objectName)) ++count;
    return count;
  }

  platform::FakePlatform fake;
  std::unique_ptr<WindowHub> hub;
  int quitCalls = 0;
};

}  // namespace sodwright::shared_ui::testing
