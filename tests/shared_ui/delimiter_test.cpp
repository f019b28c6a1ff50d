// SPDX-License-Identifier: GPL-3.0-or-later
// The delimiter dialog: its two messages, the "Other" box, the options, and
// the one dialog that keeps its choice between openings.
#include <vector>

#include <gtest/gtest.h>

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "shared_ui/delimiter_dialog.h"
#include "shared_ui/hub_fixture.h"

namespace sodwright::shared_ui {
namespace {

constexpr const char* kEmptyMessage = "Please input Delimiter used in your data file";
constexpr const char* kLengthMessage =
    "Delimiter must be one character. Please input again or revise your data file.";

class DelimiterTest : public testing::HubFixture {
 protected:
  DelimiterTest() : dialog(hub->delimiterDialog()) {
    fake.context.activeModel = platform::kKolv;
    QObject::connect(&dialog, &DelimiterDialog::delimiterChosen,
                     [this](char c) { chosen.push_back(c); });
    QObject::connect(&dialog, &DelimiterDialog::quitPressed, [this] { ++quits; });
  }
  DelimiterDialog& dialog;
  std::vector<char> chosen;
  int quits = 0;
};

TEST_F(DelimiterTest, FirstOpeningShowsTab) {
  dialog.showKeepingChoice();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Delimiter"));
  EXPECT_TRUE(dialog.tabOption->isChecked());
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_FALSE(dialog.isModal());
  dialog.okButton->click();
  EXPECT_EQ(chosen, std::vector<char>{'\t'});
  EXPECT_FALSE(dialog.isVisible());
}

TEST_F(DelimiterTest, OtherWithoutACharacterAsksForOne) {
  dialog.showKeepingChoice();
  dialog.otherOption->setChecked(true);
  dialog.okButton->click();
  ASSERT_EQ(fake.messages.texts(), std::vector<std::string>{kEmptyMessage});
  EXPECT_EQ(fake.messages.shown[0].title, "Sodwright");
  EXPECT_TRUE(chosen.empty());
  EXPECT_TRUE(dialog.isVisible());
}

TEST_F(DelimiterTest, OtherWithTwoCharactersKeepsThemAndTheDialog) {
  dialog.showKeepingChoice();
  dialog.otherOption->setChecked(true);
  dialog.otherBox->setText(QStringLiteral(";;"));
  dialog.okButton->click();
  EXPECT_EQ(fake.messages.texts(), std::vector<std::string>{kLengthMessage});
  EXPECT_TRUE(chosen.empty());
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.otherBox->text(), QStringLiteral(";;"));
}

TEST_F(DelimiterTest, OtherSemicolonIsUsedAndTheBoxEmptied) {
  dialog.showKeepingChoice();
  dialog.otherOption->setChecked(true);
  dialog.otherBox->setText(QStringLiteral(";"));
  dialog.okButton->click();
  EXPECT_TRUE(fake.messages.shown.empty());
  EXPECT_EQ(chosen, std::vector<char>{';'});
  EXPECT_TRUE(dialog.otherBox->text().isEmpty());
  EXPECT_FALSE(dialog.isVisible());
}

TEST_F(DelimiterTest, TheSelectedOptionWinsOverTypedText) {
  dialog.showKeepingChoice();
  dialog.otherBox->setText(QStringLiteral("|"));
  dialog.commaOption->setChecked(true);
  dialog.okButton->click();
  EXPECT_EQ(chosen, std::vector<char>{','});
  // Only "Other" empties the box.
  EXPECT_EQ(dialog.otherBox->text(), QStringLiteral("|"));

  const std::vector<std::pair<QRadioButton*, char>> options = {
      {dialog.spaceOption, ' '}, {dialog.tabOption, '\t'}, {dialog.semicolonOption, ';'}};
  for (const auto& [option, expected] : options) {
    dialog.showKeepingChoice();
    option->setChecked(true);
    dialog.okButton->click();
    EXPECT_EQ(chosen.back(), expected);
  }
  EXPECT_EQ(chosen.size(), 4u);
}

TEST_F(DelimiterTest, FocusInTheBoxSelectsOther) {
  dialog.showKeepingChoice();
  ASSERT_TRUE(dialog.tabOption->isChecked());
  QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
  QCoreApplication::sendEvent(dialog.otherBox, &focusIn);
  EXPECT_TRUE(dialog.otherOption->isChecked());
}

TEST_F(DelimiterTest, TheDialogKeepsItsChoiceButTheKolvImportSelectsTab) {
  dialog.showKeepingChoice();
  dialog.commaOption->setChecked(true);
  dialog.okButton->click();
  EXPECT_EQ(&hub->delimiterDialog(), &dialog);

  hub->delimiterDialog().showKeepingChoice();  // as the grid window opens it
  EXPECT_TRUE(dialog.commaOption->isChecked());
  dialog.quitButton->click();

  hub->delimiterDialog().showForKolvImport();
  EXPECT_TRUE(dialog.tabOption->isChecked());
  EXPECT_TRUE(dialog.isVisible());
}

TEST_F(DelimiterTest, EnterInTheBoxConfirmsTheChoice) {
  dialog.showKeepingChoice();
  dialog.otherOption->setChecked(true);
  dialog.otherBox->setText(QStringLiteral("|"));
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QCoreApplication::sendEvent(dialog.otherBox, &enter);
  EXPECT_EQ(chosen, std::vector<char>{'|'});
  EXPECT_FALSE(dialog.isVisible());
}

TEST_F(DelimiterTest, EnterOnAFocusedButtonPressesThatButton) {
  dialog.showForKolvImport();
  dialog.quitButton->setFocus();
  QKeyEvent onQuit(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QCoreApplication::sendEvent(dialog.quitButton, &onQuit);
  EXPECT_EQ(quits, 1);
  EXPECT_TRUE(chosen.empty());
  EXPECT_FALSE(dialog.isVisible());

  dialog.showForKolvImport();
  QKeyEvent onOk(QEvent::KeyPress, Qt::Key_Enter, Qt::KeypadModifier);
  QCoreApplication::sendEvent(dialog.okButton, &onOk);
  EXPECT_EQ(chosen, std::vector<char>{'\t'});
  EXPECT_EQ(quits, 1);
}

TEST_F(DelimiterTest, QuitHidesAndImportsNothing) {
  dialog.showForKolvImport();
  dialog.commaOption->setChecked(true);
  dialog.quitButton->click();
  EXPECT_EQ(quits, 1);
  EXPECT_TRUE(chosen.empty());
  EXPECT_FALSE(dialog.isVisible());
}

}  // namespace
}  // namespace sodwright::shared_ui
