// SPDX-License-Identifier: GPL-3.0-or-later
// The shared import request: the open dialog, the delimiter dialog for text,
// and one answer per request.
#include <vector>

#include <gtest/gtest.h>

#include <QPushButton>
#include <QRadioButton>

#include "shared_ui/delimiter_dialog.h"
#include "shared_ui/hub_fixture.h"
#include "shared_ui/import_file_request.h"

namespace sodwright::shared_ui {
namespace {

class ImportRequestTest : public testing::HubFixture {
 protected:
  ImportRequestTest() { fake.context.activeModel = platform::kNibal; }

  bool ask(QObject* asking) {
    return askImportFile(
        *hub, fake.context,
        {platform::kGridImportFilter, DelimiterStart::PreviousChoice, platform::kNibal}, asking,
        {[this](const ImportChoice& choice) { answers.push_back(choice); }, [this] { ++quits; }});
  }

  QObject window;
  std::vector<ImportChoice> answers;
  int quits = 0;
};

TEST_F(ImportRequestTest, TextAnswersOnceWithTheDelimiterOtherKindsAtOnce) {
  fake.fileDialogs.names = {"", "dem.TIF", "points.csv"};
  EXPECT_FALSE(ask(&window));
  EXPECT_FALSE(ask(&window));
  ASSERT_EQ(answers.size(), 2u);
  EXPECT_TRUE(answers[0].cancelled());
  EXPECT_EQ(answers[1].kind, platform::ImportKind::Raster);
  EXPECT_EQ(fake.fileDialogs.openFilters.back(), platform::kGridImportFilter);

  EXPECT_TRUE(ask(&window));
  DelimiterDialog& dialog = hub->delimiterDialog();
  EXPECT_TRUE(dialog.commaOption->isChecked());  // the name says comma
  dialog.okButton->click();
  dialog.showKeepingChoice();
  dialog.okButton->click();  // a second OK belongs to no request
  dialog.quitButton->click();
  ASSERT_EQ(answers.size(), 3u);
  EXPECT_EQ(answers[2].path, "points.csv");
  EXPECT_EQ(answers[2].kind, platform::ImportKind::Text);
  EXPECT_EQ(answers[2].delimiter, ',');
  EXPECT_EQ(quits, 0);
}

TEST_F(ImportRequestTest, ALaterRequestOrAnotherModelDropsTheWait) {
  fake.fileDialogs.names = {"first.txt", "second.txt"};
  QObject other;
  ASSERT_TRUE(ask(&other));
  ASSERT_TRUE(ask(&window));
  fake.context.activeModel = platform::kKolv;
  hub->delimiterDialog().quitButton->click();
  EXPECT_EQ(quits, 0);  // the model in use is not the one that asked
  fake.context.activeModel = platform::kNibal;
  hub->delimiterDialog().quitButton->click();
  EXPECT_EQ(quits, 0);  // the wait ended with the first answer
  EXPECT_TRUE(answers.empty());
}

}  // namespace
}  // namespace sodwright::shared_ui
