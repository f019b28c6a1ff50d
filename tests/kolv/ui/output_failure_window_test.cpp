// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's two outputs on places that cannot take a file: under a
// regular file, in a missing folder, a folder itself and a full device. Each
// shows its message, puts the pointer and the note back, opens nothing and
// leaves the window working: the outputs stay on, the model runs again, and
// the next output to a good place is written and opened.

#include <sstream>

#include <QDir>

#include "base/text/text_file.h"
#include "kolv/io/last_sequence_writer.h"
#include "kolv_window_fixture.h"

namespace sodwright::kolv {
namespace {

using OutputFailureWindow = KolvWindowTest;

TEST_F(OutputFailureWindow, EveryBadPlaceIsReportedAndTheWindowStaysUsable) {
  importAndRun();
  const std::string regularFile = dir.filePath(QStringLiteral("plain.TXT")).toStdString();
  ASSERT_TRUE(base::writeWholeFile(regularFile, "plain").ok());
  const std::vector<std::string> badPlaces = {
      "/etc/passwd/out.TXT", regularFile + "/out.TXT",
      dir.filePath(QStringLiteral("missing/out.TXT")).toStdString(),
      QDir(dir.path()).absolutePath().toStdString(), "/dev/full"};
  std::ostringstream held;
  writeLastSequence(held, state, state.params.LastSeqShown);

  for (QAction* output : {main->lastSequenceAction, main->compareResultsAction}) {
    for (const std::string& place : badPlaces) {
      SCOPED_TRACE(output->text().toStdString() + " to " + place);
      fake.messages.shown.clear();
      fake.busy.events.clear();
      fake.fileDialogs.names = {place};
      output->trigger();
      ASSERT_EQ(messages().size(), 1u);
      EXPECT_EQ(messages()[0].rfind("The output could not be written.", 0), 0u) << messages()[0];
      EXPECT_NE(messages()[0].find(place), std::string::npos) << messages()[0];
      EXPECT_FALSE(fake.busy.busy);
      EXPECT_FALSE(fake.busy.noteShown);
      EXPECT_EQ(fake.busy.events,
                (std::vector<std::string>{"normal", "busy", "showNote", "hideNote", "normal"}));
      EXPECT_TRUE(fake.programs.textFiles.empty());
      EXPECT_TRUE(output->isEnabled());
    }
  }
  EXPECT_EQ(base::readWholeFile(regularFile).value(), "plain");
  std::ostringstream after;
  writeLastSequence(after, state, state.params.LastSeqShown);
  EXPECT_EQ(after.str(), held.str());

  // Still usable: the model runs again and both outputs reach the editor.
  fake.messages.shown.clear();
  main->runModelAction->trigger();
  EXPECT_TRUE(messages().empty());
  const std::string last = dir.filePath(QStringLiteral("last.TXT")).toStdString();
  const std::string report = dir.filePath(QStringLiteral("report.TXT")).toStdString();
  fake.fileDialogs.names = {last, report};
  main->lastSequenceAction->trigger();
  main->compareResultsAction->trigger();
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(fake.programs.textFiles, (std::vector<std::string>{last, report}));
  EXPECT_EQ(base::readWholeFile(last).value(), held.str());
  EXPECT_FALSE(fake.busy.busy);
  EXPECT_FALSE(fake.busy.noteShown);
}

}  // namespace
}  // namespace sodwright::kolv
