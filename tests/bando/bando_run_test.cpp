// SPDX-License-Identifier: GPL-3.0-or-later
// "Run BANDO" as the indicator window performs it: the worked examples (the
// reference case bando-a-examples included, with the slope texts only the
// window shows), the class boundaries and the runs that end early.
#include "bando/bando_run.h"

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bando/implement_sum.h"

namespace sodwright::bando {
namespace {

using Texts = std::vector<std::optional<std::string>>;

class BandoRun : public ::testing::Test {
 protected:
  BandoRun() { initBandoTables(state.tables); }

  void pick(BandoList list, const char* item) {
    const auto position = FindItem(list, item);
    ASSERT_TRUE(position) << item;
    ASSERT_EQ(PickListItem(state, list, *position), position);
  }

  // Slope-data mode with the three boxes as typed.
  BandoRunOutcome runWithSlopeData(std::string msg, std::string csl, std::string ca) {
    state.UseSlopeData = 1;
    return runBando(state, SlopeDataTexts{std::move(msg), std::move(csl), std::move(ca)});
  }

  static Texts results(const BandoRunOutcome& out) {
    return {out.eiText, out.etText, out.atText, out.classText};
  }
  static Texts slopeBoxes(const BandoRunOutcome& out) {
    return {out.msgText, out.cslText, out.caText};
  }

  BandoState state;
};

TEST_F(BandoRun, FirstItemsOfEveryListGiveMedium) {
  const BandoRunOutcome out = runBando(state, {});
  EXPECT_EQ(slopeBoxes(out), (Texts{"3.0", "10.0", "10.0"}));
  EXPECT_EQ(results(out), (Texts{"3000.0", "4.0", "12.0", "Medium"}));
  EXPECT_TRUE(out.messages.empty());
  EXPECT_FALSE(out.etNoteVisible);
  EXPECT_EQ(out.stop, RunStop::None);
  EXPECT_EQ(state.ErodibilityEI, 3000.0f);
  EXPECT_EQ(state.ErosivityEt, 4.0f);
  EXPECT_EQ(state.RateAt, 12.0f);
}

TEST_F(BandoRun, SteepOtherTypePotatoInBcRegion4IsSevere) {
  pick(BandoList::SlopeClass, "D (16-30%)");
  pick(BandoList::SurfaceForm, "Other Type");
  pick(BandoList::CropType, "Potato");
  pick(BandoList::Region, "BC Region4");
  pick(BandoList::TillageSystem, "Conventional Tillage");
  const BandoRunOutcome out = runBando(state, {});
  EXPECT_EQ(slopeBoxes(out), (Texts{"16.0", "40.0", "40.0"}));
  EXPECT_EQ(results(out), (Texts{"4000.0", "10.7", "42.8", "Severe"}));
  EXPECT_EQ(state.RateAt, 42.79999923706055f);
}

TEST_F(BandoRun, SlopeDataGivingExactly33IsSevere) {
  pick(BandoList::Region, "Black Soil Zone AB/SK/MB");
  const BandoRunOutcome out = runWithSlopeData("11", "20", "5");
  EXPECT_EQ(slopeBoxes(out), (Texts{std::nullopt, std::nullopt, std::nullopt}));
  EXPECT_EQ(results(out), (Texts{"5500.0", "6.0", "33.0", "Severe"}));
  EXPECT_TRUE(out.messages.empty());
  EXPECT_EQ(state.RateAt, 33.0f);
}

TEST_F(BandoRun, MissingErosivityShowsTheNoteAndKeepsEi) {
  pick(BandoList::SlopeClass, "B (4-9%)");
  pick(BandoList::SurfaceForm, "Ridged");
  pick(BandoList::CropType, "Tobacco");
  state.ErosivityEt = 1.5f;
  state.RateAt = 2.5f;
  const BandoRunOutcome out = runBando(state, {});
  EXPECT_EQ(slopeBoxes(out), (Texts{"8.0", "15.0", "15.0"}));
  EXPECT_EQ(results(out), (Texts{"5333.3", std::nullopt, std::nullopt, std::nullopt}));
  EXPECT_TRUE(out.etNoteVisible);
  EXPECT_TRUE(out.messages.empty());
  EXPECT_EQ(out.stop, RunStop::Erosivity);
  EXPECT_EQ(out.focus, RunFocus::CropType);
  EXPECT_EQ(state.ErodibilityEI, 5333.33349609375f);
  EXPECT_EQ(state.ErosivityEt, 1.5f);
  EXPECT_EQ(state.RateAt, 2.5f);

  pick(BandoList::Region, "ON/QU/NB/NS/PEI");
  const BandoRunOutcome next = runBando(state, {});
  EXPECT_FALSE(next.etNoteVisible);
  EXPECT_EQ(results(next), (Texts{"5333.3", "6.3", "33.6", "Severe"}));
}

TEST_F(BandoRun, ImplementsInRowsOneAndTwoGiveHigh) {
  pick(BandoList::SlopeClass, "C (10-15%)");
  const std::vector<ImplementRow> rows = {{1, "2"}, {5, "1"}};
  const ImplementSum sum = applyCalculatorOk(state, rows);
  EXPECT_EQ(sum.totalText, "4.2");
  EXPECT_TRUE(sum.messages.empty());
  state.UseTillageData = 1;
  const BandoRunOutcome out = runBando(state, {});
  EXPECT_EQ(slopeBoxes(out), (Texts{"14.0", "20.0", "20.0"}));
  EXPECT_EQ(results(out), (Texts{"7000.0", "4.2", "29.4", "High"}));
  EXPECT_EQ(state.ErosivityEt, 4.199999809265137f);
  EXPECT_EQ(state.RateAt, 29.39999771118164f);
}

TEST_F(BandoRun, ClassBoundariesBelongToTheHigherClass) {
  EXPECT_EQ(classForRate(33.0f), "Severe");
  EXPECT_EQ(classForRate(32.99f), "High");
  EXPECT_EQ(classForRate(22.0f), "High");
  EXPECT_EQ(classForRate(std::nextafter(22.0f, 0.0f)), "Medium");
  EXPECT_EQ(classForRate(11.0f), "Medium");
  EXPECT_EQ(classForRate(std::nextafter(11.0f, 0.0f)), "Low");
  EXPECT_EQ(classForRate(6.0f), "Low");
  EXPECT_EQ(classForRate(5.99f), "Tolerable");
  EXPECT_EQ(classForRate(0.0f), "Tolerable");
  EXPECT_EQ(classForRate(-0.01f), std::nullopt);
  EXPECT_EQ(classForRate(std::numeric_limits<float>::quiet_NaN()), std::nullopt);
}

TEST_F(BandoRun, RateJustBelow33IsShownAs33ButClassedHigh) {
  state.UseTillageData = 1;
  state.ImplEt = 3.299f;
  const BandoRunOutcome out = runWithSlopeData("10", "10", "1");
  EXPECT_EQ(results(out), (Texts{"10000.0", "3.3", "33.0", "High"}));
}

TEST_F(BandoRun, ZeroErosivityIsTolerable) {
  pick(BandoList::CropType, "Alfalfa");
  pick(BandoList::TillageSystem, "No-Till");
  EXPECT_EQ(results(runBando(state, {})), (Texts{"3000.0", "0.0", "0.0", "Tolerable"}));

  state.UseTillageData = 1;  // calculator cancelled before any OK: ImplEt is still 0
  EXPECT_EQ(results(runBando(state, {})), (Texts{"3000.0", "0.0", "0.0", "Tolerable"}));
}

TEST_F(BandoRun, SlopeDataIsReadAsItsLeadingNumber) {
  const BandoRunOutcome out = runWithSlopeData("12abc", " 20 m", "");
  EXPECT_EQ(out.eiText, "6000.0");
  // The note belongs to the erodibility step, not to the end of the run.
  EXPECT_EQ(out.erodibilityMessages, (std::vector<std::string>{std::string(kConvexAreaMissing)}));
  EXPECT_TRUE(out.messages.empty());
  EXPECT_EQ(out.atText, "24.0");
}

TEST_F(BandoRun, ConvexAreaNeverChangesTheRate) {
  const BandoRunOutcome typed = runWithSlopeData("7", "20", "35");
  const BandoRunOutcome other = runWithSlopeData("7", "20", "abc");
  const BandoRunOutcome empty = runWithSlopeData("7", "20", "");
  EXPECT_EQ(results(typed), (Texts{"3500.0", "4.0", "14.0", "Medium"}));
  EXPECT_EQ(results(other), results(typed));
  EXPECT_EQ(results(empty), results(typed));
  EXPECT_TRUE(typed.erodibilityMessages.empty());
  EXPECT_EQ(empty.erodibilityMessages.size(), 1u);
}

TEST_F(BandoRun, MissingOrZeroSlopeDataEndsTheRun) {
  state.ErodibilityEI = 123.0f;
  for (const auto& [msg, csl] : std::vector<std::pair<const char*, const char*>>{
           {"11", ""}, {"11", "0"}, {"", "20"}, {"-3", "20"}, {"abc", "20"}}) {
    const BandoRunOutcome out = runWithSlopeData(msg, csl, "");
    EXPECT_EQ(out.erodibilityMessages, (std::vector<std::string>{std::string(kPleaseInputData)}))
        << msg << csl;
    EXPECT_TRUE(out.messages.empty());
    EXPECT_EQ(results(out), (Texts{std::nullopt, std::nullopt, std::nullopt, std::nullopt}));
    EXPECT_EQ(out.stop, RunStop::Erodibility);
    EXPECT_EQ(out.focus, RunFocus::MaxSlopeGradient);
  }
  EXPECT_EQ(state.ErodibilityEI, 123.0f);
}

TEST_F(BandoRun, NegativeRateIsShownWithoutClass) {
  state.UseTillageData = 1;
  state.ImplEt = -1.0f;
  const BandoRunOutcome out = runBando(state, {});
  EXPECT_EQ(results(out), (Texts{"3000.0", "-1.0", "-3.0", std::nullopt}));
  EXPECT_EQ(out.messages, (std::vector<std::string>{std::string(kCheckInputData)}));
  EXPECT_EQ(out.stop, RunStop::Class);
}

TEST_F(BandoRun, SlopeDataBeyondSinglePrecisionEndsTheRun) {
  const BandoRunOutcome out = runWithSlopeData("1E30", "1E-10", "5");
  EXPECT_EQ(out.erodibilityMessages, (std::vector<std::string>{std::string(kCheckInputData)}));
  EXPECT_EQ(out.eiText, std::nullopt);
  EXPECT_EQ(out.stop, RunStop::Erodibility);

  state.UseTillageData = 1;
  state.ImplEt = 1.0e30f;
  const BandoRunOutcome huge = runWithSlopeData("30", "1E-30", "5");  // EI fits, the rate does not
  EXPECT_TRUE(huge.erodibilityMessages.empty());
  EXPECT_EQ(huge.messages, (std::vector<std::string>{std::string(kCheckInputData)}));
  EXPECT_EQ(huge.atText, std::nullopt);
  EXPECT_EQ(huge.classText, std::nullopt);
}

TEST_F(BandoRun, PicksStoreTheIndexAndReturnToTableMode) {
  state.UseSlopeData = 1;
  state.UseTillageData = 1;
  EXPECT_EQ(PickListItem(state, BandoList::SurfaceForm, 2), Int16{2});
  EXPECT_EQ(state.UseSlopeData, 0);
  EXPECT_EQ(state.UseTillageData, 1);
  EXPECT_EQ(PickListItem(state, BandoList::CropType, -1), std::nullopt);  // no selection
  EXPECT_EQ(state.UseTillageData, 0);
  EXPECT_EQ(state.CropTypeIdx, 0);
  EXPECT_EQ(PickListItem(state, BandoList::TillageSystem, 3), std::nullopt);
  EXPECT_EQ(state.TillSysIdx, 0);
  EXPECT_EQ(PickListItem(state, BandoList::CropType, 18), Int16{18});
  EXPECT_THROW(PickListItem(state, BandoList::Implement, 0), std::invalid_argument);
}

}  // namespace
}  // namespace sodwright::bando
