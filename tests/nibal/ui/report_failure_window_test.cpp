// SPDX-License-Identifier: GPL-3.0-or-later
// "Run NIBAL" of the parameter window with a report place that cannot take a
// file: under a regular file, in a missing folder, a folder itself and a full
// device. Each shows the output-failed message, puts the pointer and the note
// back, keeps the window open and opens nothing; the next run with a good
// place writes the report and opens it.

#include <QDir>
#include <QPushButton>
#include <QRadioButton>

#include "base/text/text_file.h"
#include "grid_window_fixture.h"
#include "nibal/grid_messages.h"
#include "nibal/ui/grid_parameter_window.h"
#include "shared_ui/delimiter_dialog.h"

namespace sodwright::nibal::testing {
namespace {

struct ReportFailureWindow : GridWindowTest {
  // A 4 x 5 grid imported and its parameter window open.
  GridParameterWindow* openParameters() {
    typeGrid("4", "5", "1", "1");
    fake.fileDialogs.names.push_back(writeGrid("grid.txt", 4, 5, ' '));
    window->importButton->click();
    hub.delimiterDialog().spaceOption->setChecked(true);
    hub.delimiterDialog().okButton->click();
    window->runButton->click();
    return window->parameterWindow();
  }
};

TEST_F(ReportFailureWindow, EveryBadPlaceIsReportedAndTheNextRunWrites) {
  ASSERT_NE(openParameters(), nullptr);
  GridParameterWindow& p = *window->parameterWindow();

  const std::string regularFile = dir.filePath(QStringLiteral("plain.txt")).toStdString();
  ASSERT_TRUE(base::writeWholeFile(regularFile, "plain").ok());
  for (const std::string& place :
       {std::string("/etc/passwd/report.txt"), regularFile + "/report.txt",
        dir.filePath(QStringLiteral("missing/report.txt")).toStdString(),
        QDir(dir.path()).absolutePath().toStdString(), std::string("/dev/full")}) {
    SCOPED_TRACE(place);
    fake.messages.shown.clear();
    fake.fileDialogs.names = {place};
    p.runButton->click();
    EXPECT_EQ(fake.messages.texts(), std::vector<std::string>{std::string(kOutputFailed)});
    EXPECT_FALSE(fake.busy.busy);
    EXPECT_FALSE(fake.busy.noteShown);
    EXPECT_TRUE(p.isVisible());
    EXPECT_TRUE(fake.programs.textFiles.empty());
    EXPECT_EQ(state.GridNodeCount, 20);
  }
  EXPECT_EQ(base::readWholeFile(regularFile).value(), "plain");

  fake.messages.shown.clear();
  const std::string report = dir.filePath(QStringLiteral("report.txt")).toStdString();
  fake.fileDialogs.names = {report};
  p.runButton->click();
  EXPECT_TRUE(fake.messages.shown.empty());
  EXPECT_EQ(fake.programs.textFiles, std::vector<std::string>{report});
  const auto written = base::readWholeFile(report);
  ASSERT_TRUE(written.ok());
  EXPECT_NE(written->find("\r\nNIBAL\r\n"), std::string::npos);
}

// A run that fails takes back "Save CSV", which an earlier run had given.
TEST_F(ReportFailureWindow, AFailedRunTurnsSaveCsvOff) {
  ASSERT_NE(openParameters(), nullptr);
  GridParameterWindow& p = *window->parameterWindow();

  fake.fileDialogs.names = {dir.filePath(QStringLiteral("report.txt")).toStdString()};
  p.runButton->click();
  ASSERT_TRUE(p.saveCsvButton->isEnabled());
  p.show();
  fake.fileDialogs.names = {std::string("/dev/full")};
  p.runButton->click();
  ASSERT_EQ(fake.messages.texts().back(), std::string(kOutputFailed));
  EXPECT_FALSE(p.saveCsvButton->isEnabled());
}

}  // namespace
}  // namespace sodwright::nibal::testing
