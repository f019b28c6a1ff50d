// SPDX-License-Identifier: GPL-3.0-or-later
#include <stdexcept>

#include <gtest/gtest.h>

#include "fakes/recording_services.h"

using namespace sodwright::platform;

TEST(BusyScope, RestoresPointerAndNoteOnEveryWayOut) {
  RecordingBusyIndicator busy;
  try {
    BusyScope scope(busy);
    EXPECT_TRUE(busy.busy);
    EXPECT_TRUE(busy.noteShown);
    throw std::runtime_error("write failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_FALSE(busy.busy);
  EXPECT_FALSE(busy.noteShown);
  EXPECT_EQ(busy.events, (std::vector<std::string>{"busy", "showNote", "hideNote", "normal"}));
}

TEST(RecordingFakes, GiveScriptedAnswersThenDefaults) {
  FakePlatform fake;
  fake.messages.answers.push_back(MessageAnswer::Cancel);
  EXPECT_FALSE(fake.context.messages.confirm("Do you really want to Quit the Program", "Quit?"));
  EXPECT_TRUE(fake.context.messages.confirm("again", "Quit?"));
  fake.context.messages.inform("hello");
  ASSERT_EQ(fake.messages.shown.size(), 3u);
  EXPECT_EQ(fake.messages.shown[2].title, "Sodwright");
  fake.fileDialogs.names.push_back("/tmp/a.txt");
  EXPECT_EQ(fake.context.fileDialogs.askOpenFileName(kImportFilter), "/tmp/a.txt");
  EXPECT_EQ(fake.context.fileDialogs.askSaveFileName(kReportFilter), "");
  EXPECT_EQ(fake.context.activeModel, kNoModel);
}
