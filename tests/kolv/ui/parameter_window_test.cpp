// SPDX-License-Identifier: GPL-3.0-or-later
// The KOLV parameter window: what it shows, every box check with its message
// and restored text, the button order, the direction list and the run.
#include <tuple>

#include <QAccessible>
#include <QSignalSpy>

#include "kolv/engine/run_preconditions.h"
#include "kolv/ui/chart_canvas.h"
#include "kolv_window_fixture.h"
#include "shared_ui/data_viewer.h"

namespace sodwright::kolv {
namespace {

class ParameterWindow : public KolvWindowTest {
 protected:
  void SetUp() override {
    KolvWindowTest::SetUp();
    importTransect(writeTransect());
    ASSERT_TRUE(state.imported);
    fireShowDataTimer();  // the import's viewer goes
    window = openParameterWindow();
    ASSERT_NE(window, nullptr);
    fake.messages.shown.clear();
  }
  KolvParameterWindow* window = nullptr;
};

TEST_F(ParameterWindow, LoadShowsTheParameterSet) {
  EXPECT_EQ(window->windowTitle(), QStringLiteral("KOLV Parameters"));
  EXPECT_EQ(window->startingSequenceBox->text(), QStringLiteral("0"));
  EXPECT_EQ(window->sequenceCountBox->text(), QStringLiteral("1"));
  EXPECT_EQ(window->distributionDistanceBox->text(), QStringLiteral("2"));
  EXPECT_EQ(window->nodeCountBox->text(), QStringLiteral("40"));
  EXPECT_EQ(window->sgWeightFrontBox->text(), QStringLiteral("0.5"));
  EXPECT_EQ(window->tillageDepthBox->text(), QStringLiteral("0.2"));
  EXPECT_EQ(window->bulkDensity2Box->text(), QStringLiteral("1450"));
  EXPECT_EQ(window->alphaBox->text(), QStringLiteral("0.3"));
  EXPECT_EQ(window->betaBox->text(), QStringLiteral("0.003"));
  EXPECT_EQ(window->inputFrequencyBox->text(), QStringLiteral("1"));
  // Input Amount is in the transect's substance mass (mg/kg here) per m².
  const auto* amountUnit = window->findChild<QLabel*>(QStringLiteral("LblUnitInputAmt"));
  ASSERT_NE(amountUnit, nullptr);
  EXPECT_EQ(amountUnit->text(), QStringLiteral("mg/m²"));
  EXPECT_EQ(window->tillageDirectionList->count(), 3);
  EXPECT_EQ(window->tillageDirectionList->currentText(), QStringLiteral("Forward"));
  EXPECT_TRUE(window->okButton->isEnabled());
  EXPECT_FALSE(window->runKolvButton->isEnabled());
  EXPECT_TRUE(window->quitButton->isEnabled());
  EXPECT_TRUE(window->sequenceCountBox->hasFocus());
  // Every box is named by its label.
  for (QLineEdit* box : window->findChildren<QLineEdit*>()) {
    if (box->parent() != window) continue;  // the list's own editor
    bool labelled = false;
    for (QLabel* label : window->findChildren<QLabel*>()) labelled |= label->buddy() == box;
    EXPECT_TRUE(labelled) << box->objectName().toStdString();
  }
}

TEST_F(ParameterWindow, EveryCheckWithItsMessageAndRestoredText) {
  state.params.SeqCount = 1;
  const std::string fool = "Dooooon't try to fool me, Buddy! ";
  const std::string seqMessage =
      "This program can lony run 50 sequences at one time. Please refer to the help file for more "
      "information.";
  const std::string nodes = fool + "You don't have so many data points.";
  const std::string positive = fool + "You got to have a positive value here.";
  const std::string lateral =
      fool + "Anyways, Lateral movement has not been included in this model.";
  const std::string scale =
      "SC scale must set to be lower than the distribution distance in this model.";
  const std::string frequency = fool + "Input frequency must be greater or equal to 1.";
  const std::vector<std::tuple<QLineEdit*, QString, std::string, QString>> cases = {
      {window->inputFrequencyBox, "2.9", frequency, "1"},  // 2 is above SeqCount 1
      {window->sequenceCountBox, "51", seqMessage, "50"},
      {window->sequenceCountBox, "0", seqMessage, "50"},
      {window->sequenceCountBox, "-3", seqMessage, "50"},
      {window->sequenceCountBox, "abc", seqMessage, "50"},
      {window->sequenceCountBox, "0.3", seqMessage, "50"},
      {window->sequenceCountBox, "40000", seqMessage, "50"},
      {window->nodeCountBox, "41", nodes, "40"},
      {window->nodeCountBox, "0", nodes, "40"},
      {window->lateralColumnsBox, "-1", lateral, "0"},
      {window->sgWeightFrontBox, "-1", positive, "0.5"},
      {window->sgWeightBackBox, "-0.1", positive, "0.5"},
      {window->scScaleBox, "2", scale, "2"},
      {window->scScaleBox, "-1", scale, "2"},
      {window->tillageDepthBox, "0", positive, "0.2"},
      {window->upLayerDepthBox, "-1", positive, "0.2"},
      {window->subLayerDepthBox, "-1", positive, "0.2"},
      {window->inputFrequencyBox, "0", frequency, "1"},
  };
  for (const auto& [box, typed, message, restored] : cases) {
    fake.messages.shown.clear();
    typeAndLeave(box, typed, window->tillageDirectionList);
    ASSERT_EQ(messages().size(), 1u)
        << box->objectName().toStdString() << " " << typed.toStdString();
    EXPECT_EQ(messages()[0], message) << box->objectName().toStdString();
    EXPECT_FALSE(fake.messages.shown[0].detail.empty()) << box->objectName().toStdString();
    EXPECT_EQ(box->text(), restored)
        << box->objectName().toStdString() << " " << typed.toStdString();
  }
  // The box's text says "must be greater or equal to 1"; the detail gives the true limit.
  fake.messages.shown.clear();
  typeAndLeave(window->inputFrequencyBox, "60", window->tillageDirectionList);
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].detail,
            "You typed 60: more than the simulating sequences. Accepted: 1 to the number of "
            "simulating sequences, 50.");
  EXPECT_EQ(state.params.SeqCount, 50);
  EXPECT_EQ(state.params.NodeCount, 40);
  EXPECT_FLOAT_EQ(state.params.ScScale, 2.0f);
  EXPECT_DOUBLE_EQ(state.params.TillDepth, 0.2);
  EXPECT_EQ(state.params.InputFrequency, 1);
}

TEST_F(ParameterWindow, AcceptedValuesAreStored) {
  fake.messages.shown.clear();
  typeAndLeave(window->sequenceCountBox, "30", window->tillageDirectionList);
  EXPECT_EQ(state.params.SeqCount, 30);
  EXPECT_EQ(state.params.LastSeq, 30);
  EXPECT_EQ(state.params.LastSeqShown, 30);
  typeAndLeave(window->nodeCountBox, "2.5", window->tillageDirectionList);
  EXPECT_EQ(state.params.NodeCount, 2);
  typeAndLeave(window->nodeCountBox, "3.5", window->tillageDirectionList);
  EXPECT_EQ(state.params.NodeCount, 4);
  typeAndLeave(window->inputFrequencyBox, "2.9", window->tillageDirectionList);
  EXPECT_EQ(state.params.InputFrequency, 2);
  typeAndLeave(window->decayRate1Box, "5", window->tillageDirectionList);
  EXPECT_DOUBLE_EQ(state.params.DecayRate1, 0.05);
  typeAndLeave(window->subLayerDepthBox, "0", window->tillageDirectionList);
  EXPECT_DOUBLE_EQ(state.params.SubLayerDepth, 0.0);
  typeAndLeave(window->gammaBox, "-7.5", window->tillageDirectionList);
  EXPECT_FLOAT_EQ(state.params.Gamma, -7.5f);
  // An emptied box leaves its parameter as it was.
  typeAndLeave(window->alphaBox, "", window->tillageDirectionList);
  EXPECT_FLOAT_EQ(state.params.Alpha, 0.3f);
  EXPECT_TRUE(messages().empty());

  // Reopened, the window shows the stored values, the rate in %.
  window->quitButton->setEnabled(true);
  window->quitButton->click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  window = openParameterWindow();
  EXPECT_EQ(window->decayRate1Box->text(), QStringLiteral("5"));
  EXPECT_EQ(window->sequenceCountBox->text(), QStringLiteral("30"));
}

TEST_F(ParameterWindow, EditOkRunOrder) {
  QTest::keyClicks(window->sequenceCountBox, "2");
  EXPECT_TRUE(window->okButton->isEnabled());
  EXPECT_FALSE(window->quitButton->isEnabled());
  // The window tells, the main window acts on its own menu.
  QSignalSpy accepted(window, &KolvParameterWindow::parametersAccepted);
  window->okButton->click();  // the box still has the focus: it is checked first
  EXPECT_EQ(accepted.count(), 1);
  EXPECT_EQ(state.params.SeqCount, 12);
  EXPECT_FALSE(window->okButton->isEnabled());
  EXPECT_FALSE(window->quitButton->isEnabled());
  EXPECT_TRUE(window->runKolvButton->isEnabled());
  EXPECT_TRUE(window->runKolvButton->hasFocus());
  EXPECT_TRUE(main->runModelAction->isEnabled());
}

TEST_F(ParameterWindow, ListReadOnlyBoxesHelpAndQuit) {
  state.params.DirectionSign = -1;
  window->tillageDirectionList->setCurrentIndex(2);
  emit window->tillageDirectionList->activated(2);
  EXPECT_EQ(state.params.TillDirection, 2);
  EXPECT_EQ(state.params.DirectionSign, 1);

  QTest::keyClick(window->tillageDirectionList->lineEdit(), Qt::Key_B);
  QTest::keyClick(window->tillageDirectionList->lineEdit(),
                  Qt::Key_Tab);  // leaving the list is no typing
  QTest::mouseClick(window->bulkDensity1Box, Qt::LeftButton);
  EXPECT_EQ(messages(), (std::vector<std::string>{"Please select from the list.",
                                                  "Please don't change this value!"}));
  EXPECT_EQ(state.params.TillDirection, 2);

  // Typed text is never read, not even a whole item name confirmed with Enter.
  for (const char* typed : {"b", "Backward"}) {
    window->tillageDirectionList->lineEdit()->setFocus();
    window->tillageDirectionList->lineEdit()->selectAll();
    QTest::keyClicks(window->tillageDirectionList->lineEdit(), QString::fromLatin1(typed));
    QTest::keyClick(window->tillageDirectionList->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(state.params.TillDirection, 2) << typed;
    EXPECT_EQ(state.params.DirectionSign, 1) << typed;
    EXPECT_EQ(window->tillageDirectionList->currentIndex(), 2) << typed;
    EXPECT_EQ(window->tillageDirectionList->currentText(), QStringLiteral("Alternative")) << typed;
  }
  fake.messages.shown.clear();

  QTest::mouseClick(window->helpLinkLabel, Qt::LeftButton);
  ASSERT_EQ(fake.programs.webAddresses.size(), 1u);
  EXPECT_NE(fake.programs.webAddresses[0].find("#kolv"), std::string::npos);
  // From the keyboard too: the link, and F1 anywhere in the window.
  EXPECT_EQ(window->helpLinkLabel->focusPolicy(), Qt::StrongFocus);
  QTest::keyClick(window->helpLinkLabel, Qt::Key_Space);
  QTest::keyClick(window->alphaBox, Qt::Key_F1);
  EXPECT_EQ(fake.programs.webAddresses.size(), 3u);
  const auto directionLabels = QAccessible::queryAccessibleInterface(window->tillageDirectionList)
                                   ->relations(QAccessible::Label);
  ASSERT_EQ(directionLabels.size(), 1);
  EXPECT_EQ(directionLabels[0].first->text(QAccessible::Name), QStringLiteral("Tillage Direction"));

  window->quitButton->click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(main->parameterWindow(), nullptr);
  EXPECT_TRUE(main->isVisible());
}

TEST_F(ParameterWindow, RunKolvEndsWithChartsAndTheViewerClosedByTheTimer) {
  typeAndLeave(window->sequenceCountBox, "3", window->tillageDirectionList);
  window->okButton->click();
  fake.busy.events.clear();
  window->runKolvButton->click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

  EXPECT_EQ(main->parameterWindow(), nullptr);
  EXPECT_EQ(fake.busy.events.front(), "busy");
  EXPECT_EQ(fake.busy.events[1], "showNote");
  EXPECT_EQ(fake.busy.events.back(), "normal");
  EXPECT_FALSE(fake.busy.noteShown);
  EXPECT_TRUE(state.simulated);
  EXPECT_EQ(main->firstSequenceBox->text(), QStringLiteral("0"));
  EXPECT_EQ(main->lastSequenceBox->text(), QStringLiteral("3"));
  EXPECT_EQ(main->upLayerDepthBox->text(), QStringLiteral("0.2"));
  for (ChartKind kind : kAllCharts) {
    EXPECT_GT(main->panel(kind)->canvas()->itemCount(), 0u);
    EXPECT_EQ(main->panel(kind)->label(ChartLabel::MaxDistance)->text(), QStringLiteral("40.0"));
  }
  EXPECT_EQ(main->panel(ChartKind::UpLayer)->label(ChartLabel::ValueUnit)->text(),
            QStringLiteral("mg/m"));
  EXPECT_EQ(main->focusWidget(), main->lastSequenceBox);
  EXPECT_TRUE(messages().empty());

  ASSERT_NE(hub->dataViewer(), nullptr);
  EXPECT_TRUE(main->showDataTimer->isActive());
  QTest::qWait(2300);
  EXPECT_EQ(hub->dataViewer(), nullptr);
  EXPECT_FALSE(main->showDataTimer->isActive());
}

TEST_F(ParameterWindow, ARefusedRunLeavesTheWindowOpenAndThePointerNormal) {
  typeAndLeave(window->nodeCountBox, "1", window->tillageDirectionList);  // too few points to run
  window->okButton->click();
  fake.messages.shown.clear();
  window->runKolvButton->click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0], kRunTooFewNodesMessage);
  EXPECT_EQ(main->parameterWindow(), window);
  EXPECT_FALSE(state.simulated);
  EXPECT_FALSE(fake.busy.busy);
  EXPECT_FALSE(fake.busy.noteShown);
  EXPECT_EQ(hub->dataViewer(), nullptr);
  EXPECT_FALSE(main->outputMenu->menuAction()->isEnabled());
}

}  // namespace
}  // namespace sodwright::kolv
