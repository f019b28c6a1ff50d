// SPDX-License-Identifier: GPL-3.0-or-later
// The erosivity calculator: start state, the row unlock rule, OK, Clear and
// Cancel.

#include "bando/ui/erosivity_calculator.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include "bando/implement_sum.h"
#include "fakes/recording_services.h"

namespace sodwright::bando::testing {
namespace {

class CalculatorTest : public ::testing::Test {
 protected:
  CalculatorTest() {
    initBandoTables(state.tables);
    window = new ErosivityCalculator(state, fake.context);
    window->show();
  }
  ~CalculatorTest() override { delete window.data(); }

  QComboBox* implementList(int row) const {
    return window->implementList[static_cast<std::size_t>(row)];
  }
  QLineEdit* passesBox(int row) const { return window->passesBox[static_cast<std::size_t>(row)]; }
  // The user picks an item of a row's list.
  void pick(int row, int position) {
    implementList(row)->setCurrentIndex(position);
    emit implementList(row)->activated(position);
  }
  QString okTotal() {
    QStringList totals;
    const auto connection = QObject::connect(window.data(), &ErosivityCalculator::totalChosen,
                                             [&totals](const QString& total) { totals << total; });
    window->okButton->click();
    QObject::disconnect(connection);
    return totals.size() == 1 ? totals.front() : QStringLiteral("<none>");
  }

  platform::FakePlatform fake;
  BandoState state;
  QPointer<ErosivityCalculator> window;
};

using CalculatorStart = CalculatorTest;

TEST_F(CalculatorStart, RowOneHoldsOnePloughPassAndRowsThreeToTenAreLocked) {
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Erosivity Calculation"));
  EXPECT_EQ(implementList(1)->currentText(), QStringLiteral("Mouldboard Plough"));
  EXPECT_EQ(passesBox(1)->text(), QStringLiteral("1"));
  EXPECT_EQ(implementList(2)->currentText(), QString());
  EXPECT_TRUE(implementList(2)->isEnabled());
  EXPECT_TRUE(passesBox(2)->isEnabled());
  for (int k = 3; k <= 10; ++k) {
    EXPECT_FALSE(implementList(k)->isEnabled()) << k;
    EXPECT_FALSE(passesBox(k)->isEnabled()) << k;
  }
  EXPECT_EQ(implementList(10)->count(), 18);
}

TEST_F(CalculatorStart, OkAtOnceCountsOnePloughPassAndHidesTheWindow) {
  EXPECT_EQ(okTotal(), QStringLiteral("2.3"));
  EXPECT_FLOAT_EQ(state.ImplEt, 2.3f);
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(window->isEnabled());
  EXPECT_TRUE(fake.messages.shown.empty());
}

using CalculatorSum = CalculatorTest;

TEST_F(CalculatorSum, TandemDiskTwiceAndHarrowsOnceGiveFourPointTwo) {
  pick(1, 1);  // Tandem Disk
  passesBox(1)->setText(QStringLiteral("2"));
  pick(2, 5);  // Harrows
  passesBox(2)->setText(QStringLiteral("1"));
  EXPECT_EQ(okTotal(), QStringLiteral("4.2"));
}

TEST_F(CalculatorSum, HalfPassesRoundToEven) {
  passesBox(1)->setText(QStringLiteral("2.5"));
  EXPECT_EQ(okTotal(), QStringLiteral("4.6"));
}

TEST_F(CalculatorSum, NegativeRowIsReportedOnceAndLeftOut) {
  pick(2, 1);  // Tandem Disk, unlocks row 3
  passesBox(2)->setText(QStringLiteral("1"));
  pick(3, 5);  // Harrows, unlocks row 4
  passesBox(3)->setText(QStringLiteral("-1"));
  EXPECT_EQ(okTotal(), QStringLiteral("4.3"));
  EXPECT_EQ(fake.messages.texts(), std::vector<std::string>{std::string(kDataInputWrong)});
}

using RowUnlockRule = CalculatorTest;

TEST_F(RowUnlockRule, PickAfterARowWithAPassUnlocksTheNextRow) {
  pick(2, 7);
  EXPECT_TRUE(implementList(3)->isEnabled());
  EXPECT_TRUE(passesBox(3)->isEnabled());
  EXPECT_FALSE(implementList(4)->isEnabled());
  EXPECT_EQ(window->rowImplement(2), 7);
}

TEST_F(RowUnlockRule, PickAfterAnEmptyRowIsRefusedWithTheRefusalText) {
  pick(2, 7);  // unlocks row 3; row 2 has no passes
  passesBox(3)->setText(QStringLiteral("4"));
  pick(3, 2);
  EXPECT_EQ(implementList(3)->currentText(), QStringLiteral("Mouldbord Plough"));
  EXPECT_EQ(implementList(3)->findText(implementList(3)->currentText()), -1);
  EXPECT_EQ(passesBox(3)->text(), QString());
  EXPECT_EQ(window->focusWidget(), passesBox(2));
  EXPECT_FALSE(implementList(4)->isEnabled());
  EXPECT_EQ(window->rowImplement(3), 0);
}

TEST_F(RowUnlockRule, LessThanOneWholePassRefusesThePickButCountsAtOk) {
  passesBox(1)->setText(QStringLiteral("0.9"));
  pick(2, 1);
  EXPECT_EQ(implementList(2)->currentText(), QStringLiteral("Mouldbord Plough"));
  EXPECT_FALSE(implementList(3)->isEnabled());
  EXPECT_EQ(okTotal(), QStringLiteral("2.3"));
}

TEST_F(RowUnlockRule, PickInRowTenUnlocksNothingFurther) {
  for (int k = 2; k <= 9; ++k) {
    pick(k, 5);
    passesBox(k)->setText(QStringLiteral("1"));
  }
  passesBox(9)->setText(QStringLiteral("3"));
  pick(10, 16);  // Potato Digger
  EXPECT_EQ(window->rowImplement(10), 16);
  EXPECT_EQ(implementList(10)->currentText(), QStringLiteral("Potato Digger"));
}

using CalculatorClearAndCancel = CalculatorTest;

TEST_F(CalculatorClearAndCancel, ClearKeepsRowOneAsShownAndLocksRowsThreeToTen) {
  pick(1, 5);  // Harrows
  passesBox(1)->setText(QStringLiteral("2"));
  pick(2, 1);
  passesBox(2)->setText(QStringLiteral("3"));
  pick(3, 1);
  window->clearButton->click();
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(implementList(1)->currentText(), QStringLiteral("Harrows"));
  EXPECT_EQ(passesBox(1)->text(), QStringLiteral("2"));
  EXPECT_EQ(implementList(2)->currentText(), QString());
  EXPECT_EQ(passesBox(2)->text(), QString());
  EXPECT_TRUE(implementList(2)->isEnabled());
  for (int k = 3; k <= 10; ++k) EXPECT_FALSE(implementList(k)->isEnabled()) << k;
  // What row 1 shows is what OK counts: two passes of Harrows.
  EXPECT_EQ(okTotal(), QStringLiteral("0.4"));
}

TEST_F(CalculatorClearAndCancel, CancelClearsHidesAndKeepsTheLastTotal) {
  state.ImplEt = 7.5f;
  pick(2, 1);
  passesBox(2)->setText(QStringLiteral("3"));
  int cancelled = 0;
  QObject::connect(window.data(), &ErosivityCalculator::cancelled, [&cancelled] { ++cancelled; });
  window->cancelButton->click();
  EXPECT_EQ(cancelled, 1);
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(window->isEnabled());
  EXPECT_EQ(passesBox(2)->text(), QString());
  EXPECT_FLOAT_EQ(state.ImplEt, 7.5f);
}

TEST_F(CalculatorClearAndCancel, CloseBoxDestroysTheWindowAndChangesNothing) {
  state.ImplEt = 1.5f;
  window->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
  EXPECT_FLOAT_EQ(state.ImplEt, 1.5f);
}

}  // namespace
}  // namespace sodwright::bando::testing
