// SPDX-License-Identifier: GPL-3.0-or-later
// The parameter window: defaults, the missing-parameter notes, "Kiding?",
// the save dialog and the report opened in the text editor.

#include "nibal/ui/grid_parameter_window.h"

#include <fstream>
#include <sstream>

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "grid_window_fixture.h"
#include "nibal/grid_messages.h"
#include "shared_ui/delimiter_dialog.h"

namespace sodwright::nibal::testing {
namespace {

class ParameterWindowTest : public GridWindowTest {
 protected:
  // A 4 x 4 grid imported through the window, then "Run NIBAL".
  GridParameterWindow& openAfterImport() {
    typeGrid("4", "4", "1", "1");
    fake.fileDialogs.names.push_back(writeGrid("grid.txt", 4, 4, ' '));
    window->importButton->click();
    hub.delimiterDialog().spaceOption->setChecked(true);
    hub.delimiterDialog().okButton->click();
    window->runButton->click();
    EXPECT_NE(window->parameterWindow(), nullptr);
    return *window->parameterWindow();
  }
  static void setBoxes(GridParameterWindow& p, const char* bettaRow, const char* gammaRow,
                       const char* bettaCol, const char* gammaCol) {
    p.bettaRowBox->setText(QString::fromLatin1(bettaRow));
    p.gammaRowBox->setText(QString::fromLatin1(gammaRow));
    p.bettaColumnBox->setText(QString::fromLatin1(bettaCol));
    p.gammaColumnBox->setText(QString::fromLatin1(gammaCol));
  }
};

TEST_F(ParameterWindowTest, OpensWithTheDefaultCoefficients) {
  GridParameterWindow& p = openAfterImport();
  EXPECT_EQ(p.windowTitle(), QStringLiteral("NIBAL Parameters"));
  EXPECT_EQ(p.bettaRowBox->text(), QStringLiteral("3"));
  EXPECT_EQ(p.gammaRowBox->text(), QStringLiteral("6"));
  EXPECT_EQ(p.bettaColumnBox->text(), QStringLiteral("6"));
  EXPECT_EQ(p.gammaColumnBox->text(), QStringLiteral("12"));
}

TEST_F(ParameterWindowTest, TypedCoefficientsOutliveQuitToTheChooser) {
  GridParameterWindow& p = openAfterImport();
  setBoxes(p, "7", "8", "9", "10");
  p.quitButton->click();
  EXPECT_FALSE(p.isVisible());
  window->quitButton->click();  // back to the chooser: the grid window goes
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  delete window.data();

  window = new GridWindow(state, fake.context, hub);
  window->show();
  window->onRunClicked();                    // the grid is still in memory
  ASSERT_EQ(window->parameterWindow(), &p);  // the same window, only hidden meanwhile
  EXPECT_TRUE(p.isVisible());
  EXPECT_EQ(p.bettaRowBox->text(), QStringLiteral("7"));
  EXPECT_EQ(p.gammaColumnBox->text(), QStringLiteral("10"));
  p.quitButton->click();
  EXPECT_TRUE(window->isVisible());  // its Quit now leads to the new grid window
}

TEST_F(ParameterWindowTest, AllBoxesEmptyGiveFourNotesAndKidingAndNoDialog) {
  GridParameterWindow& p = openAfterImport();
  setBoxes(p, "", "0", "", "abc");
  p.runButton->click();
  ASSERT_EQ(fake.messages.shown.size(), 5u);
  const std::vector<std::string> expected = {
      std::string(kBettaColMissing), std::string(kBettaRowMissing), std::string(kGammaRowMissing),
      std::string(kGammaColMissing), std::string(kAllMissing)};
  EXPECT_EQ(fake.messages.texts(), expected);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(fake.messages.shown[static_cast<std::size_t>(i)].title, kNoteTitle);
    EXPECT_EQ(fake.messages.shown[static_cast<std::size_t>(i)].icon, platform::MessageIcon::None);
  }
  EXPECT_EQ(fake.messages.shown[4].title, kAllMissingTitle);
  EXPECT_EQ(fake.messages.shown[4].icon, platform::MessageIcon::Information);
  EXPECT_TRUE(fake.fileDialogs.saveFilters.empty());
  EXPECT_TRUE(p.isVisible());
  EXPECT_FALSE(fake.busy.busy);
}

TEST_F(ParameterWindowTest, MissingGammasAreNotedAndTheRunGoesOn) {
  GridParameterWindow& p = openAfterImport();
  setBoxes(p, "3", "", "6", "");
  p.runButton->click();  // the save dialog is cancelled
  const std::vector<std::string> expected = {std::string(kGammaRowMissing),
                                             std::string(kGammaColMissing)};
  EXPECT_EQ(fake.messages.texts(), expected);
  ASSERT_EQ(fake.fileDialogs.saveFilters.size(), 1u);
  EXPECT_EQ(fake.fileDialogs.saveFilters[0], platform::kReportFilter);
}

TEST_F(ParameterWindowTest, CancelledSaveDialogKeepsResultsAndTheWindow) {
  GridParameterWindow& p = openAfterImport();
  p.runButton->click();
  EXPECT_TRUE(fake.messages.shown.empty());
  EXPECT_EQ(fake.fileDialogs.saveFilters.size(), 1u);
  EXPECT_TRUE(p.isVisible());
  EXPECT_TRUE(fake.programs.textFiles.empty());
  // Node (4, 4) stands 9.129 above its neighbours: it loses soil.
  EXPECT_GT(state.results.SoilLossSum(4, 4), 0.0);
}

TEST_F(ParameterWindowTest, WrittenReportOpensInTheEditorAndHidesTheWindow) {
  GridParameterWindow& p = openAfterImport();
  const std::string report = dir.filePath(QStringLiteral("report.txt")).toStdString();
  fake.fileDialogs.names.push_back(report);
  p.runButton->click();
  EXPECT_TRUE(fake.messages.shown.empty());
  ASSERT_EQ(fake.programs.textFiles, std::vector<std::string>{report});
  EXPECT_FALSE(p.isVisible());
  std::ifstream in(report, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_NE(text.str().find("\r\nNIBAL\r\n"), std::string::npos);
}

TEST_F(ParameterWindowTest, RunWithANodeThatIsNotFiniteWritesNoReport) {
  GridParameterWindow& p = openAfterImport();
  // Gradients between the rows overflow.
  for (int r = 1; r <= 4; ++r)
    for (int c = 1; c <= 4; ++c) state.GridElevation(r, c) = r == 2 && c > 2 ? 1e306 : -1e306;
  const std::string report = dir.filePath(QStringLiteral("report.txt")).toStdString();
  fake.fileDialogs.names.push_back(report);
  p.runButton->click();
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.texts()[0].rfind(std::string(kOutputFailed), 0), 0u);
  EXPECT_TRUE(fake.fileDialogs.saveFilters.empty());
  EXPECT_FALSE(std::ifstream(report).good());
  EXPECT_TRUE(fake.programs.textFiles.empty());
  EXPECT_TRUE(p.isVisible());
}

TEST_F(ParameterWindowTest, ReportThatCannotBeWrittenIsReported) {
  GridParameterWindow& p = openAfterImport();
  fake.fileDialogs.names.push_back(
      dir.filePath(QStringLiteral("missing/folder/report.txt")).toStdString());
  p.runButton->click();
  EXPECT_EQ(fake.messages.texts(), std::vector<std::string>{std::string(kOutputFailed)});
  EXPECT_TRUE(p.isVisible());
  EXPECT_TRUE(fake.programs.textFiles.empty());
  EXPECT_FALSE(fake.busy.busy);
  EXPECT_FALSE(fake.busy.noteShown);
}

// The example field imports with the values the README gives (the delimiter
// dialog opens on "Tab") and runs with the default coefficients.
TEST_F(ParameterWindowTest, ExampleFieldImportsAndRunsWithTheReadmeValues) {
  typeGrid("30", "40", "5", "5");
  fake.fileDialogs.names.push_back(SODWRIGHT_EXAMPLES_DIR "/small-field-grid.txt");
  window->importButton->click();
  ASSERT_TRUE(hub.delimiterDialog().tabOption->isChecked());
  hub.delimiterDialog().okButton->click();
  ASSERT_TRUE(fake.messages.shown.empty()) << fake.messages.texts().front();
  EXPECT_EQ(state.GridNodeCount, 1200);
  window->runButton->click();
  GridParameterWindow& p = *window->parameterWindow();
  const std::string report = dir.filePath(QStringLiteral("field.txt")).toStdString();
  fake.fileDialogs.names.push_back(report);
  p.runButton->click();
  EXPECT_TRUE(fake.messages.shown.empty());
  EXPECT_EQ(fake.programs.textFiles, std::vector<std::string>{report});
  // The knoll loses soil, the hollow gains it.
  EXPECT_GT(state.results.SoilLossSum(10, 11), 0.0);
  EXPECT_LT(state.results.SoilLossSum(23, 31), 0.0);
}

TEST_F(ParameterWindowTest, QuitHidesItAndShowsTheGridWindow) {
  GridParameterWindow& p = openAfterImport();
  window->hide();
  p.quitButton->click();
  EXPECT_FALSE(p.isVisible());
  EXPECT_TRUE(window->isVisible());
}

}  // namespace
}  // namespace sodwright::nibal::testing
