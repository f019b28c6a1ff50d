// SPDX-License-Identifier: GPL-3.0-or-later
// The chooser's paths: OK without a choice, Quit with Cancel and OK, the one
// introduction window, and OK per model through the hub.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QRadioButton>

#include "shared_ui/hub_fixture.h"
#include "shared_ui/introduction_window.h"
#include "shared_ui/model_chooser.h"

namespace sodwright::shared_ui {
namespace {

using platform::MessageAnswer;
using platform::MessageButtons;

class ChooserTest : public testing::HubFixture {
 protected:
  // Registers a plain window for a model and counts how often it is made.
  void registerWindow(std::int16_t model, const char* name) {
    hub->setModelWindowFactory(model, [this, name] {
      ++windowsMade;
      auto* window = new QWidget;
      window->setObjectName(QString::fromLatin1(name));
      return window;
    });
  }
  ModelChooser* chooser() {
    if (!hub->chooser()) hub->showChooser();
    return hub->chooser();
  }
  int windowsMade = 0;
};

TEST_F(ChooserTest, OkWithNothingSelectedChangesNothing) {
  registerWindow(platform::kKolv, "FrmKOLV_Main");
  ModelChooser* window = chooser();
  EXPECT_FALSE(window->kolvOption->isChecked());
  EXPECT_FALSE(window->nibalOption->isChecked());
  EXPECT_FALSE(window->bandoOption->isChecked());
  window->okButton->click();
  EXPECT_EQ(fake.context.activeModel, platform::kNoModel);
  EXPECT_EQ(windowsMade, 0);
  EXPECT_TRUE(fake.messages.shown.empty());
  EXPECT_TRUE(window->isVisible());
}

TEST_F(ChooserTest, QuitAsksFirstAndCancelKeepsTheChooser) {
  ModelChooser* window = chooser();
  fake.messages.answers = {MessageAnswer::Cancel, MessageAnswer::Ok};
  window->quitButton->click();
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text, "Do you really want to Quit the Program");
  EXPECT_EQ(fake.messages.shown[0].title, "Quit?");
  EXPECT_EQ(fake.messages.shown[0].buttons, MessageButtons::OkCancel);
  EXPECT_EQ(quitCalls, 0);
  EXPECT_FALSE(hub->quitting());
  EXPECT_TRUE(window->isVisible());

  window->quitButton->click();
  EXPECT_EQ(fake.messages.shown.size(), 2u);
  EXPECT_EQ(quitCalls, 1);
  EXPECT_TRUE(hub->quitting());
  EXPECT_FALSE(window->isVisible());
}

TEST_F(ChooserTest, IntroductionPressedTwiceShowsOneWindow) {
  ModelChooser* window = chooser();
  window->introductionButton->click();
  IntroductionWindow* first = hub->introWindow();
  ASSERT_NE(first, nullptr);
  window->introductionButton->click();
  EXPECT_EQ(hub->introWindow(), first);
  EXPECT_EQ(visibleWindows("FrmIntro"), 1);
  EXPECT_EQ(first->windowTitle(), QStringLiteral("Introduction"));
  // The chooser stays usable beside it.
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(window->isEnabled());
  // Once closed, the next press makes a new one.
  first->close();
  flushDeletes();
  EXPECT_EQ(hub->introWindow(), nullptr);
  window->introductionButton->click();
  EXPECT_EQ(visibleWindows("FrmIntro"), 1);
}

TEST_F(ChooserTest, OptionsStandReversedOnScreenAndKolvComesFirstInTabOrder) {
  ModelChooser* window = chooser();
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Chose Model"));
  EXPECT_EQ(window->bandoOption->text(), QStringLiteral("BANDO (Canada)"));
  EXPECT_LT(window->bandoOption->mapTo(window, QPoint()).y(),
            window->nibalOption->mapTo(window, QPoint()).y());
  EXPECT_LT(window->nibalOption->mapTo(window, QPoint()).y(),
            window->kolvOption->mapTo(window, QPoint()).y());
  EXPECT_EQ(window->kolvOption->nextInFocusChain(), window->nibalOption);
  EXPECT_EQ(window->nibalOption->nextInFocusChain(), window->bandoOption);
  EXPECT_EQ(window->bandoOption->nextInFocusChain(), window->okButton);
  EXPECT_EQ(window->focusWidget(), window->kolvOption);
}

struct ModelCase {
  std::int16_t model;
  const char* windowName;
  const char* modelName;
};

class ChooserModelTest : public ChooserTest, public ::testing::WithParamInterface<ModelCase> {
 protected:
  QRadioButton* option(ModelChooser* window) const {
    switch (GetParam().model) {
      case platform::kKolv:
        return window->kolvOption;
      case platform::kNibal:
        return window->nibalOption;
      default:
        return window->bandoOption;
    }
  }
};

TEST_P(ChooserModelTest, OkOpensTheRegisteredWindowAndClosesTheChooser) {
  registerWindow(GetParam().model, GetParam().windowName);
  QPointer<ModelChooser> window = chooser();
  option(window)->setChecked(true);
  window->okButton->click();
  EXPECT_EQ(fake.context.activeModel, GetParam().model);
  EXPECT_EQ(windowsMade, 1);
  ASSERT_NE(hub->modelWindow(), nullptr);
  EXPECT_TRUE(hub->modelWindow()->isVisible());
  EXPECT_EQ(visibleWindows(GetParam().windowName), 1);
  EXPECT_EQ(visibleWindows("FrmChoseModel"), 0);
  flushDeletes();
  EXPECT_TRUE(window.isNull());

  // Closing the model window brings a chooser back, loaded afresh.
  hub->modelWindow()->close();
  flushDeletes();
  ASSERT_NE(hub->chooser(), nullptr);
  EXPECT_TRUE(hub->chooser()->isVisible());
  EXPECT_TRUE(hub->chooser()->isEnabled());
  EXPECT_FALSE(option(hub->chooser())->isChecked());
  // ActiveModel keeps its value until the next choice.
  EXPECT_EQ(fake.context.activeModel, GetParam().model);
}

TEST_P(ChooserModelTest, WithoutAWindowTheModelIsNotAvailableYet) {
  ModelChooser* window = chooser();
  option(window)->setChecked(true);
  window->okButton->click();
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text,
            std::string(GetParam().modelName) +
                " model is not available yet in this version of the program.");
  EXPECT_EQ(fake.messages.shown[0].title, "Sodwright");
  EXPECT_EQ(fake.context.activeModel, platform::kNoModel);
  EXPECT_TRUE(window->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Models, ChooserModelTest,
                         ::testing::Values(ModelCase{platform::kKolv, "FrmKOLV_Main", "KOLV"},
                                           ModelCase{platform::kNibal, "frmGridInfo", "NIBAL"},
                                           ModelCase{platform::kBando, "FrmBANDO_Main", "BANDO"}));

TEST_F(ChooserTest, EachVisitMakesTheModelWindowAfresh) {
  registerWindow(platform::kKolv, "FrmKOLV_Main");
  for (int visit = 1; visit <= 2; ++visit) {
    ModelChooser* window = chooser();
    window->kolvOption->setChecked(true);
    window->okButton->click();
    ASSERT_NE(hub->modelWindow(), nullptr);
    hub->modelWindow()->close();
    flushDeletes();
  }
  EXPECT_EQ(windowsMade, 2);
  EXPECT_EQ(visibleWindows("FrmKOLV_Main"), 0);
  EXPECT_EQ(visibleWindows("FrmChoseModel"), 1);
}

}  // namespace
}  // namespace sodwright::shared_ui

namespace sodwright::shared_ui {
namespace {

TEST_F(ChooserTest, AQuitButtonThatShowsTheChooserAndClosesGetsOneChooser) {
  registerWindow(platform::kNibal, "frmGridInfo");
  ModelChooser* first = chooser();
  first->nibalOption->setChecked(true);
  first->okButton->click();
  flushDeletes();
  // What a model window's Quit does: the chooser first, then it closes itself.
  hub->showChooser();
  QPointer<ModelChooser> shown = hub->chooser();
  hub->modelWindow()->close();
  flushDeletes();
  EXPECT_EQ(hub->chooser(), shown.data());
  EXPECT_EQ(visibleWindows("FrmChoseModel"), 1);
}

TEST_F(ChooserTest, QuittingTheProgramBringsNoChooserBack) {
  registerWindow(platform::kKolv, "FrmKOLV_Main");
  ModelChooser* window = chooser();
  window->kolvOption->setChecked(true);
  window->okButton->click();
  QWidget* model = hub->modelWindow();
  hub->quitProgram();
  EXPECT_EQ(quitCalls, 1);
  EXPECT_FALSE(model->isVisible());
  model->close();
  flushDeletes();
  EXPECT_EQ(visibleWindows("FrmChoseModel"), 0);
}

}  // namespace
}  // namespace sodwright::shared_ui
