// SPDX-License-Identifier: GPL-3.0-or-later
// The erosivity calculator's rules: passes reading, the pick rule of rows
// 2..10, and the sum that OK hands back as ImplEt.
#include "bando/implement_sum.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bando/bando_refusals.h"

namespace sodwright::bando {
namespace {

class ImplementCalculator : public ::testing::Test {
 protected:
  ImplementCalculator() { initBandoTables(tables); }

  ImplementSum sum(const std::vector<ImplementRow>& rows) const {
    return sumImplementErosivity(tables, rows);
  }

  static Int16 implement(const char* name) { return FindItem(BandoList::Implement, name).value(); }

  BandoTables tables;
};

TEST_F(ImplementCalculator, OkAtOnceCountsOneMouldboardPloughPass) {
  const ImplementSum s = sum({{0, "1"}});
  EXPECT_EQ(s.total, 2.3f);
  EXPECT_EQ(s.totalText, "2.3");
  EXPECT_TRUE(s.messages.empty());
}

TEST_F(ImplementCalculator, TandemDiskTwiceAndHarrowsOnceGive4Point2) {
  const ImplementSum s = sum({{implement("Tandem Disk"), "2"}, {implement("Harrows"), "1"}});
  EXPECT_EQ(s.total, 4.199999809265137f);
  EXPECT_EQ(s.totalText, "4.2");
}

TEST_F(ImplementCalculator, PassesRoundToNearestWithHalvesToEven) {
  EXPECT_EQ(ReadPasses("2.5"), Int16{2});
  EXPECT_EQ(ReadPasses("3.5"), Int16{4});
  EXPECT_EQ(ReadPasses("0.9"), Int16{1});
  EXPECT_EQ(ReadPasses("-0.4"), Int16{0});
  EXPECT_EQ(ReadPasses(""), Int16{0});
  EXPECT_EQ(ReadPasses("3 passes"), Int16{3});
  EXPECT_EQ(ReadPasses("40000"), std::nullopt);
  EXPECT_EQ(sum({{implement("Tandem Disk"), "2.5"}}).totalText, "4");
  EXPECT_EQ(sum({{implement("Potato Digger"), "0.9"}}).totalText, "2.5");
}

TEST_F(ImplementCalculator, PickNeedsOneWholePassInThePreviousRow) {
  EXPECT_TRUE(pickAllowed("1"));
  EXPECT_TRUE(pickAllowed("3"));
  EXPECT_TRUE(pickAllowed("1.5abc"));
  EXPECT_FALSE(pickAllowed("0.9"));  // counts one pass at OK, but its whole part is 0
  EXPECT_FALSE(pickAllowed(""));
  EXPECT_FALSE(pickAllowed("-1"));
  EXPECT_FALSE(pickAllowed("two"));
}

TEST_F(ImplementCalculator, NegativeRowsAreReportedOnceEachAndLeftOut) {
  const ImplementSum one = sum({{0, "1"}, {implement("Harrows"), "1"}, {1, "-1"}, {5, "2"}});
  EXPECT_EQ(one.messages, (std::vector<std::string>{"Data input wrong"}));
  EXPECT_EQ(one.totalText, "2.9");  // 2.3 + 0.2 + 2 x 0.2

  const ImplementSum two = sum({{0, "-1"}, {1, "1"}, {2, "-2"}, {3, "99999"}});
  EXPECT_EQ(two.messages, (std::vector<std::string>(3, "Data input wrong")));
  EXPECT_EQ(two.refusedRows, (std::vector<std::size_t>{1, 3, 4}));
  EXPECT_EQ(two.totalText, "2");
  // The message's detail says which row and why.
  EXPECT_EQ(passesRefusal(3, "-2").reason, "row 3 left out, passes below 0");
  EXPECT_EQ(passesRefusal(4, "99999").reason, "row 4 left out, passes beyond 32767");
}

TEST_F(ImplementCalculator, EmptyRowsAddNothingAndTenRowsAreTheLimit) {
  std::vector<ImplementRow> rows(10, ImplementRow{0, ""});
  rows[0].passesText = "1";
  EXPECT_EQ(sum(rows).totalText, "2.3");
  for (auto& row : rows) row.passesText = "1";
  EXPECT_EQ(sum(rows).totalText, "23");
  rows.push_back({0, "1"});
  EXPECT_THROW(sum(rows), std::invalid_argument);
  EXPECT_EQ(sum({}).totalText, "0");
}

TEST_F(ImplementCalculator, OkStoresTheTotalAsImplEt) {
  BandoState state;
  initBandoTables(state.tables);
  state.ImplEt = 9.0f;
  const std::vector<ImplementRow> rows = {{implement("Lifter(sugar beets)"), "3"}};
  EXPECT_EQ(applyCalculatorOk(state, rows).totalText, "4.5");
  EXPECT_EQ(state.ImplEt, 4.5f);
}

}  // namespace
}  // namespace sodwright::bando
