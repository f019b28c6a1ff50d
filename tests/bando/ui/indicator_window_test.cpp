// SPDX-License-Identifier: GPL-3.0-or-later
// The indicator window: start state, the runs of the worked examples, the
// slope-data and tillage-data modes, list picks, and the ways out and back.

#include <map>

#include <QAccessible>
#include <QKeyEvent>
#include <QTest>

#include "bando/bando_run.h"
#include "bando/ui/erosivity_calculator.h"
#include "bando_window_fixture.h"
#include "shared_ui/help_page.h"
#include "shared_ui/link_label.h"

namespace sodwright::bando::testing {
namespace {

using BandoStart = BandoWindowTest;

TEST_F(BandoStart, ShowsTheFirstItemsAndHidesResultsAndConnectors) {
  EXPECT_EQ(window->windowTitle(), QStringLiteral("BANDO 05.1"));
  EXPECT_EQ(window->slopeClassList->currentText(), QStringLiteral("A (0-3%)"));
  EXPECT_EQ(window->surfaceFormList->currentText(), QStringLiteral("Hummocky"));
  EXPECT_EQ(window->cropTypeList->currentText(), QStringLiteral("Summer Fallow"));
  EXPECT_EQ(window->regionList->currentText(), QStringLiteral("Brown Soil Zone AB/SK/MB"));
  EXPECT_EQ(window->tillageSystemList->currentText(), QStringLiteral("Conventional Tillage"));
  EXPECT_EQ(window->cropTypeList->count(), 19);
  EXPECT_FALSE(shown(window->erosivityNoteLabel));
  for (QWidget* hidden :
       {static_cast<QWidget*>(window->maxSlopeGradientBox),
        static_cast<QWidget*>(window->slopeGradientLabel),
        static_cast<QWidget*>(window->erodibilityBox), static_cast<QWidget*>(window->erosivityBox),
        static_cast<QWidget*>(window->etUnit)})
    EXPECT_FALSE(shown(hidden)) << hidden->objectName().toStdString();
  for (int n : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13, 14, 15, 17, 19})
    EXPECT_FALSE(shown(window->connectors[static_cast<std::size_t>(n)])) << n;
  for (int n : {11, 16, 18})
    EXPECT_TRUE(shown(window->connectors[static_cast<std::size_t>(n)])) << n;
  EXPECT_FALSE(window->maxSlopeGradientBox->isEnabled());
  EXPECT_EQ(window->tillageDataCheck->text(), QStringLiteral("Using  tillage data"));
}

TEST_F(BandoStart, EveryBoxAndListIsNamedByALabel) {
  QList<QWidget*> inputs;
  for (QLineEdit* box : window->findChildren<QLineEdit*>()) inputs << box;
  for (QComboBox* list : window->findChildren<QComboBox*>()) inputs << list;
  for (QWidget* input : inputs) {
    bool named = !input->accessibleName().isEmpty();
    for (QLabel* label : window->findChildren<QLabel*>()) named = named || label->buddy() == input;
    EXPECT_TRUE(named) << input->objectName().toStdString();
  }
}

// What a screen reader is given for a list: the chosen item as its name, its
// label through the labelled-by relation, and the items as its children.
TEST_F(BandoStart, AListIsNamedByItsChoiceLabelledByItsLabelAndHoldsItsItems) {
  QComboBox* list = window->slopeClassList;
  QAccessibleInterface* reading = QAccessible::queryAccessibleInterface(list);
  ASSERT_NE(reading, nullptr);
  EXPECT_EQ(reading->role(), QAccessible::ComboBox);
  const auto labels = reading->relations(QAccessible::Label);
  ASSERT_EQ(labels.size(), 1);
  EXPECT_EQ(labels[0].first->object(), window->slopeClassLabel);
  EXPECT_EQ(labels[0].first->text(QAccessible::Name), QStringLiteral("Slope Class"));

  QStringList expectedItems;
  for (int i = 0; i < list->count(); ++i) expectedItems << list->itemText(i);
  const auto itemTexts = [reading] {
    QStringList texts;
    for (int i = 0; i < reading->childCount(); ++i) {
      QAccessibleInterface* view = reading->child(i);
      if (view->role() != QAccessible::List) continue;
      for (int j = 0; j < view->childCount(); ++j) texts << view->child(j)->text(QAccessible::Name);
    }
    return texts;
  };
  for (int position : {0, 3}) {
    pick(list, position);
    EXPECT_EQ(reading->text(QAccessible::Name).toStdString(),
              list->itemText(position).toStdString());
    EXPECT_GT(reading->childCount(), 0);
    EXPECT_EQ(itemTexts(), expectedItems) << position;
  }
}

TEST_F(BandoStart, AssistiveToolsFindEachListsLabelAndReadTheRateByValue) {
  const std::pair<QComboBox*, QLabel*> lists[] = {
      {window->slopeClassList, window->slopeClassLabel},
      {window->surfaceFormList, window->surfaceFormLink},
      {window->cropTypeList, window->cropTypeLabel},
      {window->regionList, window->regionLabel},
      {window->tillageSystemList, window->tillageSystemLabel}};
  const auto labelOf = [](QWidget* control) -> QObject* {
    const auto labels =
        QAccessible::queryAccessibleInterface(control)->relations(QAccessible::Label);
    return labels.isEmpty() ? nullptr : labels[0].first->object();
  };
  for (const auto& [list, label] : lists)
    EXPECT_EQ(labelOf(list), label) << list->objectName().toStdString();
  window->runButton->click();
  QAccessibleInterface* rate = QAccessible::queryAccessibleInterface(window->rateBox);
  EXPECT_EQ(rate->text(QAccessible::Name), QStringLiteral("Rate At"));
  EXPECT_EQ(rate->text(QAccessible::Value), QStringLiteral("12.0"));

  window->tillageDataCheck->setChecked(true);
  window->erosivityGoButton->click();
  EXPECT_EQ(labelOf(window->calculator()->implementList[3]), window->calculator()->rowLabel[3]);
}

TEST_F(BandoStart, LinksAndHelpWorkFromTheKeyboard) {
  int sent = 0;
  for (shared_ui::LinkLabel* link :
       {window->surfaceFormLink, window->helpLink, window->indicatorSeriesLink}) {
    EXPECT_EQ(link->focusPolicy(), Qt::StrongFocus) << link->objectName().toStdString();
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
      QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
      QCoreApplication::sendEvent(link, &press);
      EXPECT_EQ(fake.programs.webAddresses.size(), static_cast<std::size_t>(++sent))
          << link->objectName().toStdString();
    }
  }
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitFor([this] { return window->isActiveWindow(); }, 2000));
  QTest::keyClick(window, Qt::Key_F1);
  ASSERT_EQ(fake.programs.webAddresses.size(), static_cast<std::size_t>(sent + 1));
  EXPECT_EQ(fake.programs.webAddresses.back(), shared_ui::helpPageAddress(shared_ui::kHelpBando));
}

using BandoRun = BandoWindowTest;

TEST_F(BandoRun, FirstItemsGiveMedium) {
  window->runButton->click();
  EXPECT_EQ(window->maxSlopeGradientBox->text(), QStringLiteral("3.0"));
  EXPECT_EQ(window->convexSlopeLengthBox->text(), QStringLiteral("10.0"));
  EXPECT_EQ(window->convexAreaBox->text(), QStringLiteral("10.0"));
  const Results r = results();
  EXPECT_EQ(r.ei, QStringLiteral("3000.0"));
  EXPECT_EQ(r.et, QStringLiteral("4.0"));
  EXPECT_EQ(r.at, QStringLiteral("12.0"));
  EXPECT_EQ(r.cls, QStringLiteral("Medium"));
  EXPECT_TRUE(fake.messages.shown.empty());
  // The run shows which inputs it used.
  for (QWidget* control :
       {static_cast<QWidget*>(window->slopeClassList),
        static_cast<QWidget*>(window->maxSlopeGradientBox),
        static_cast<QWidget*>(window->erodibilityBox), static_cast<QWidget*>(window->cropTypeList),
        static_cast<QWidget*>(window->erosivityBox)})
    EXPECT_TRUE(shown(control)) << control->objectName().toStdString();
  for (int n : {1, 7, 12, 15})
    EXPECT_TRUE(shown(window->connectors[static_cast<std::size_t>(n)])) << n;
}

TEST_F(BandoRun, PotatoInBcRegionFourIsSevere) {
  pick(window->slopeClassList, 3);
  pick(window->surfaceFormList, 2);
  pick(window->cropTypeList, 13);
  pick(window->regionList, 5);
  window->runButton->click();
  const Results r = results();
  EXPECT_EQ(r.ei, QStringLiteral("4000.0"));
  EXPECT_EQ(r.et, QStringLiteral("10.7"));
  EXPECT_EQ(r.at, QStringLiteral("42.8"));
  EXPECT_EQ(r.cls, QStringLiteral("Severe"));
}

TEST_F(BandoRun, NoTillWithZeroErosivityIsTolerable) {
  pick(window->tillageSystemList, 2);
  window->runButton->click();
  EXPECT_EQ(results().et, QStringLiteral("0.0"));
  EXPECT_EQ(results().at, QStringLiteral("0.0"));
  EXPECT_EQ(results().cls, QStringLiteral("Tolerable"));
}

TEST_F(BandoRun, TobaccoShowsTheNoteUntilTheNextGoodRun) {
  pick(window->cropTypeList, 18);
  window->runButton->click();
  EXPECT_TRUE(shown(window->erosivityNoteLabel));
  EXPECT_EQ(window->erosivityNoteLabel->text().toStdString(), kEtNoteText);
  const Results r = results();
  EXPECT_EQ(r.ei, QStringLiteral("3000.0"));
  EXPECT_EQ(r.at, QString());
  EXPECT_EQ(r.cls, QString());
  EXPECT_EQ(window->focusWidget(), window->cropTypeList);
  pick(window->cropTypeList, 0);
  window->runButton->click();
  EXPECT_FALSE(shown(window->erosivityNoteLabel));
  EXPECT_EQ(results().cls, QStringLiteral("Medium"));
}

using SlopeDataMode = BandoWindowTest;

TEST_F(SlopeDataMode, TickingHidesTheHalfAndGoOpensTheBoxes) {
  window->slopeDataCheck->setChecked(true);
  EXPECT_FALSE(shown(window->slopeClassList));
  EXPECT_EQ(window->focusWidget(), window->erodibilityGoButton);
  window->erodibilityGoButton->click();
  EXPECT_TRUE(shown(window->maxSlopeGradientBox));
  EXPECT_TRUE(window->maxSlopeGradientBox->isEnabled());
  EXPECT_FALSE(window->slopeClassList->isEnabled());
  EXPECT_EQ(window->focusWidget(), window->maxSlopeGradientBox);
  EXPECT_EQ(state.UseSlopeData, 1);
}

TEST_F(SlopeDataMode, ElevenPercentOverTwentyMetresIsExactlySevere) {
  window->slopeDataCheck->setChecked(true);
  window->erodibilityGoButton->click();
  window->maxSlopeGradientBox->setText(QStringLiteral("11"));
  window->convexSlopeLengthBox->setText(QStringLiteral("20"));
  window->convexAreaBox->setText(QStringLiteral("5"));
  pick(window->regionList, 1);
  window->runButton->click();
  const Results r = results();
  EXPECT_EQ(r.ei, QStringLiteral("5500.0"));
  EXPECT_EQ(r.et, QStringLiteral("6.0"));
  EXPECT_EQ(r.at, QStringLiteral("33.0"));
  EXPECT_EQ(r.cls, QStringLiteral("Severe"));
  EXPECT_TRUE(fake.messages.shown.empty());
  EXPECT_FALSE(shown(window->slopeClassList));
  EXPECT_FALSE(shown(window->connectors[1]));
  EXPECT_TRUE(shown(window->connectors[7]));
  // A typed convex area never changes the rate.
  window->convexAreaBox->setText(QStringLiteral("50"));
  window->runButton->click();
  EXPECT_EQ(results().at, QStringLiteral("33.0"));
}

TEST_F(SlopeDataMode, EmptyConvexAreaIsNotedAndTheRateStillComes) {
  window->slopeDataCheck->setChecked(true);
  window->erodibilityGoButton->click();
  window->maxSlopeGradientBox->setText(QStringLiteral("12abc"));
  window->convexSlopeLengthBox->setText(QStringLiteral("20"));
  // The note comes right after EI is formed, before Et, the rate and the class.
  std::vector<QString> shownWhileOpen;
  fake.messages.onShow = [&](const platform::RecordedMessage&) {
    shownWhileOpen = {results().ei, results().et, results().at, results().cls};
  };
  window->runButton->click();
  EXPECT_EQ(fake.messages.texts(), std::vector<std::string>{std::string(kConvexAreaMissing)});
  EXPECT_EQ(shownWhileOpen,
            (std::vector<QString>{QStringLiteral("6000.0"), QString(), QString(), QString()}));
  EXPECT_EQ(results().ei, QStringLiteral("6000.0"));
  EXPECT_EQ(results().at, QStringLiteral("24.0"));
  EXPECT_EQ(results().cls, QStringLiteral("High"));
}

TEST_F(SlopeDataMode, MissingLengthAsksForDataAndShowsNoResult) {
  window->slopeDataCheck->setChecked(true);
  window->erodibilityGoButton->click();
  window->maxSlopeGradientBox->setText(QStringLiteral("11"));
  window->runButton->click();
  EXPECT_EQ(fake.messages.texts(), std::vector<std::string>{std::string(kPleaseInputData)});
  EXPECT_EQ(window->focusWidget(), window->maxSlopeGradientBox);
  EXPECT_EQ(results().ei, QString());
  EXPECT_FALSE(shown(window->erosivityBox));
}

using ListPicks = BandoWindowTest;

TEST_F(ListPicks, AnyPickEmptiesTheResultsAndASlopePickTheSlopeBoxes) {
  window->runButton->click();
  pick(window->tillageSystemList, 2);
  EXPECT_EQ(results().ei, QString());
  EXPECT_EQ(results().cls, QString());
  EXPECT_EQ(window->maxSlopeGradientBox->text(), QStringLiteral("3.0"));
  EXPECT_EQ(state.TillSysIdx, 2);
  pick(window->surfaceFormList, 1);
  EXPECT_EQ(window->maxSlopeGradientBox->text(), QString());
  EXPECT_EQ(state.SurfaceFormIdx, 1);
}

TEST_F(ListPicks, SlopePickLeavesSlopeDataModeAndClearsTheTick) {
  window->slopeDataCheck->setChecked(true);
  window->erodibilityGoButton->click();
  pick(window->slopeClassList, 2);
  EXPECT_FALSE(window->slopeDataCheck->isChecked());
  EXPECT_EQ(state.UseSlopeData, 0);
  EXPECT_EQ(state.SlopeClassIdx, 2);
}

using TillageDataMode = BandoWindowTest;

TEST_F(TillageDataMode, CalculatorCancelledBeforeAnyOkRunsWithZero) {
  window->tillageDataCheck->setChecked(true);
  window->erosivityGoButton->click();
  ASSERT_NE(window->calculator(), nullptr);
  EXPECT_TRUE(window->calculator()->isVisible());
  EXPECT_FALSE(window->runButton->isEnabled());
  EXPECT_FALSE(window->cropTypeList->isEnabled());
  window->calculator()->cancelButton->click();
  EXPECT_TRUE(window->runButton->isEnabled());
  EXPECT_EQ(window->focusWidget(), window->tillageDataCheck);
  window->runButton->click();
  EXPECT_EQ(results().et, QStringLiteral("0.0"));
  EXPECT_EQ(results().at, QStringLiteral("0.0"));
  EXPECT_EQ(results().cls, QStringLiteral("Tolerable"));
  EXPECT_FALSE(shown(window->cropTypeList));
}

TEST_F(TillageDataMode, CalculatorOkHandsTheTotalBack) {
  window->tillageDataCheck->setChecked(true);
  window->erosivityGoButton->click();
  window->calculator()->okButton->click();
  EXPECT_TRUE(window->runButton->isEnabled());
  EXPECT_TRUE(shown(window->erosivityBox));
  EXPECT_EQ(window->erosivityBox->text(), QStringLiteral("2.3"));
  window->runButton->click();
  EXPECT_EQ(results().et, QStringLiteral("2.3"));
  EXPECT_EQ(results().at, QStringLiteral("6.9"));
  EXPECT_EQ(results().cls, QStringLiteral("Low"));
}

// OK leaves the calculator disabled; the next GO with the box ticked makes
// it usable again, and GO with the lists takes it out of use.
TEST_F(TillageDataMode, GoEnablesTheCalculatorOnlyWhenTicked) {
  window->tillageDataCheck->setChecked(true);
  window->erosivityGoButton->click();
  window->calculator()->okButton->click();
  ASSERT_FALSE(window->calculator()->isEnabled());
  window->erosivityGoButton->click();
  EXPECT_TRUE(window->calculator()->isEnabled());
  window->tillageDataCheck->setChecked(false);
  window->erosivityGoButton->click();
  EXPECT_FALSE(window->calculator()->isEnabled());
  EXPECT_TRUE(window->cropTypeList->isEnabled());
}

TEST_F(TillageDataMode, ClosedCalculatorLeavesRunDisabledUntilGoAgain) {
  window->tillageDataCheck->setChecked(true);
  window->erosivityGoButton->click();
  window->calculator()->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(window->calculator(), nullptr);
  EXPECT_FALSE(window->runButton->isEnabled());
  window->erosivityGoButton->click();
  ASSERT_NE(window->calculator(), nullptr);
  EXPECT_EQ(window->calculator()->passesBox[1]->text(), QStringLiteral("1"));
}

using BandoLeaving = BandoWindowTest;

TEST_F(BandoLeaving, QuitKeepsEverythingForTheNextVisitAndRebuildsTheTables) {
  pick(window->cropTypeList, 13);
  pick(window->regionList, 5);
  window->slopeDataCheck->setChecked(true);
  window->erodibilityGoButton->click();
  window->maxSlopeGradientBox->setText(QStringLiteral("8"));
  window->convexSlopeLengthBox->setText(QStringLiteral("20"));
  window->convexAreaBox->setText(QStringLiteral("7"));
  window->runButton->click();
  const Results before = results();
  window->quitButton->click();
  EXPECT_NE(hub.chooser(), nullptr);
  EXPECT_FALSE(window->isVisible());

  state.tables.CropErosivity[0][0][0] = 99.0f;  // spoiled, to see the rebuild
  IndicatorWindow& again = open();
  EXPECT_FLOAT_EQ(state.tables.CropErosivity[0][0][0], 4.0f);
  EXPECT_TRUE(again.isVisible());
  EXPECT_EQ(again.cropTypeList->currentText(), QStringLiteral("Potato"));
  EXPECT_EQ(again.regionList->currentText(), QStringLiteral("BC Region4"));
  EXPECT_EQ(state.CropTypeIdx, 13);
  EXPECT_TRUE(again.slopeDataCheck->isChecked());
  EXPECT_EQ(state.UseSlopeData, 1);
  EXPECT_EQ(again.convexAreaBox->text(), QStringLiteral("7"));
  EXPECT_TRUE(again.maxSlopeGradientBox->isEnabled());
  EXPECT_FALSE(shown(again.slopeClassList));
  const Results after = results();
  EXPECT_EQ(after.ei, before.ei);
  EXPECT_EQ(after.et, before.et);
  EXPECT_EQ(after.at, before.at);
  EXPECT_EQ(after.cls, before.cls);
}

TEST_F(BandoLeaving, AfterTheCalculatorQuitBringsBackTheSameWindowAndCalculator) {
  window->tillageDataCheck->setChecked(true);
  window->erosivityGoButton->click();
  ErosivityCalculator* calculator = window->calculator();
  calculator->passesBox[2]->setText(QStringLiteral("3"));
  calculator->okButton->click();
  // What every control shows, as the user left it.
  struct Seen {
    QString text;
    bool shown, enabled;
    bool operator==(const Seen&) const = default;
  };
  auto seen = [this] {
    std::map<QString, Seen> controls;
    for (QLabel* label : window->findChildren<QLabel*>())
      controls[label->objectName()] = {label->text(), shown(label), label->isEnabled()};
    for (QWidget* other : window->findChildren<QWidget*>())
      if (!qobject_cast<QLabel*>(other) && !other->objectName().isEmpty())
        controls[other->objectName()] = {QString(), shown(other), other->isEnabled()};
    return controls;
  };
  const auto before = seen();
  IndicatorWindow* const first = window;
  window->quitButton->click();
  EXPECT_FALSE(first->isVisible());

  IndicatorWindow& again = open();
  EXPECT_EQ(&again, first);  // shown again, not rebuilt
  EXPECT_EQ(again.titleLabel->text(), QStringLiteral("BANDO"));
  EXPECT_EQ(again.cropTypeLabel->text(), QStringLiteral("Crop Type"));
  EXPECT_TRUE(again.quitButton->isEnabled());
  EXPECT_TRUE(seen() == before);
  EXPECT_EQ(again.calculator(), calculator);
  EXPECT_EQ(calculator->passesBox[2]->text(), QStringLiteral("3"));
  EXPECT_EQ(calculator->titleLabel->text(), QStringLiteral("Implement  Passes ---- Erosivity"));
}

TEST_F(BandoLeaving, AHiddenWindowOutlivesAVisitToAnotherModel) {
  hub.setModelWindowFactory(platform::kKolv, [] { return new QWidget; });
  window->classBox->setText(QStringLiteral("kept"));
  IndicatorWindow* const first = window;
  window->quitButton->click();
  QWidget* other = hub.openModel(platform::kKolv);
  ASSERT_NE(other, nullptr);
  other->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(&open(), first);
  EXPECT_EQ(first->classBox->text(), QStringLiteral("kept"));
}

TEST_F(BandoLeaving, ClosedWindowComesBackNewWithItsIndexesAtTheFirstItems) {
  pick(window->cropTypeList, 13);
  window->runButton->click();
  window->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_NE(hub.chooser(), nullptr);
  IndicatorWindow& again = open();
  EXPECT_EQ(again.cropTypeList->currentText(), QStringLiteral("Summer Fallow"));
  EXPECT_EQ(state.CropTypeIdx, 0);
  EXPECT_EQ(results().ei, QString());
  EXPECT_FALSE(shown(again.erodibilityBox));
}

using BandoLinks = BandoWindowTest;

TEST_F(BandoLinks, LinksOpenTheGuideAndTheTwoReferenceLinksTurnPurple) {
  window->onHelpLinkClicked();
  window->onSurfaceFormLinkClicked();
  window->onIndicatorSeriesLinkClicked();
  const std::vector<std::string> expected = {
      shared_ui::helpPageAddress(shared_ui::kHelpBando),
      shared_ui::helpPageAddress(shared_ui::kHelpLandformSurfaceForms),
      shared_ui::helpPageAddress(shared_ui::kHelpIndicator)};
  EXPECT_EQ(fake.programs.webAddresses, expected);
  EXPECT_TRUE(window->surfaceFormLink->styleSheet().contains(QStringLiteral("rgb(128, 0, 128)")));
  EXPECT_TRUE(
      window->indicatorSeriesLink->styleSheet().contains(QStringLiteral("rgb(128, 0, 128)")));
  EXPECT_FALSE(window->helpLink->styleSheet().contains(QStringLiteral("rgb(128, 0, 128)")));
}

}  // namespace
}  // namespace sodwright::bando::testing
