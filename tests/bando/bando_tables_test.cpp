// SPDX-License-Identifier: GPL-3.0-or-later
// The lookup tables against a second copy typed from the reference values in
// another shape: slope cells as (class, form, value) triples, crop erosivity
// column by column (one region and tillage system, all crops), implements by
// name. Every filled cell is compared, every spare cell must be 0.
#include "bando/bando_tables.h"

#include <set>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

namespace sodwright::bando {
namespace {

constexpr double X = -1.0;  // no erosivity known

struct Triple {
  int slopeClass;
  int surfaceForm;
  double value;
};

// Listed surface form by surface form.
const std::vector<Triple> kGradients = {{0, 0, 3}, {1, 0, 8}, {2, 0, 14}, {3, 0, 16},
                                        {0, 1, 3}, {1, 1, 8}, {2, 1, 14}, {3, 1, 16},
                                        {0, 2, 1}, {1, 2, 5}, {2, 2, 12}, {3, 2, 16}};
const std::vector<Triple> kLengths = {{0, 0, 10}, {1, 0, 15}, {2, 0, 20}, {3, 0, 25},
                                      {0, 1, 10}, {1, 1, 15}, {2, 1, 20}, {3, 1, 25},
                                      {0, 2, 15}, {1, 2, 20}, {2, 2, 30}, {3, 2, 40}};
const std::vector<Triple> kAreas = {{3, 2, 40}, {2, 2, 30}, {1, 2, 20}, {0, 2, 15},
                                    {3, 1, 25}, {2, 1, 20}, {1, 1, 15}, {0, 1, 10},
                                    {3, 0, 25}, {2, 0, 20}, {1, 0, 15}, {0, 0, 10}};

const std::vector<std::string> kCrops = {
    "Summer Fallow", "Summer Wheat", "Winter Wheat", "Corn for Grain", "Corn for Silage",
    "Canola",        "Beans",        "Alfalfa",      "Tame Hay",       "Sunflower",
    "Beets",         "Speccr",       "Vegetable",    "Potato",         "Othgrn",
    "T. Fruits",     "S. Fruits",    "Sod",          "Tobacco"};

struct CropColumn {
  std::string region;
  std::string tillage;
  std::vector<double> byCrop;  // crops in the order of kCrops
};

const std::vector<CropColumn> kCropColumns = {
    {"Brown Soil Zone AB/SK/MB",
     "Conventional Tillage",
     {4.0, 2.5, 2.5, 5.0, 5.0, 2.2, 2.1, 1.5, 1.5, 2.2, 6.5, 7.5, 7.5, 8.2, 2.5, X, X, X, X}},
    {"Brown Soil Zone AB/SK/MB",
     "Reduced Tillage",
     {2.0, 1.7, 1.7, 3.0, 3.0, 1.7, 1.7, 0, 0, 1.7, 0, 4.0, 4.0, 5.7, 1.7, X, X, X, X}},
    {"Brown Soil Zone AB/SK/MB",
     "No-Till",
     {0, .5, .5, .5, .5, .5, .5, 0, 0, .5, 0, 0, 0, 0, .5, X, X, X, X}},
    {"Black Soil Zone AB/SK/MB",
     "Conventional Tillage",
     {6.0, 2.7, 2.7, 5.0, 5.0, 3.4, 2.7, 1.8, 1.8, 3.4, 7.5, 8.5, 8.5, 9.2, 2.7, X, X, X, X}},
    {"Black Soil Zone AB/SK/MB",
     "Reduced Tillage",
     {3.0, 2.2, 2.2, 3.0, 3.0, 2.2, 1.7, 0, 0, 2.2, 0, 5.0, 5.0, 5.7, 2.2, X, X, X, X}},
    {"Black Soil Zone AB/SK/MB",
     "No-Till",
     {0, .5, .5, .5, .5, .5, .5, 0, 0, .5, 0, 0, 0, 0, .5, X, X, X, X}},
    {"BC Region1",
     "Conventional Tillage",
     {4.0, 6.2, 6.2, 7.5, 7.5, 5.1, 5.3, 2.0, 2.0, X, 9.0, 9.0, 9.0, 9.0, 6.2, 1.5, 2.2, 4.0, X}},
    {"BC Region1",
     "Reduced Tillage",
     {2.0, 3.4, 3.4, 3.7, 3.7, 2.9, 3.0, 1.0, 1.0, X, 0, 5.0, 5.0, 5.0, 3.4, 0, 0, 0, X}},
    {"BC Region1", "No-Till", {0, .5, .5, .5, .5, .5, .5, 0, 0, X, 0, 0, 0, 0, .5, 0, 0, 0, X}},
    {"BC Region2",
     "Conventional Tillage",
     {4.0, 4.7, 4.7, 6.1, 6.1, X, X, 1.4, 1.4, X, X, X, X, X, 4.7, 1.5, X, X, X}},
    {"BC Region2",
     "Reduced Tillage",
     {2.0, 1.7, 1.7, 2.9, 2.9, X, X, 0.9, 0.9, X, X, X, X, X, 2.7, 0, X, X, X}},
    {"BC Region2", "No-Till", {0, .5, .5, .5, .5, X, X, .1, .1, X, X, X, X, X, .5, 0, X, X, X}},
    {"BC Region3",
     "Conventional Tillage",
     {4.0, 4.6, 4.6, 6.0, 6.0, X, X, 1.0, 1.0, X, X, X, X, X, 4.6, X, X, X, X}},
    {"BC Region3",
     "Reduced Tillage",
     {2.0, 2.6, 2.6, 3.0, 3.0, X, X, 0.5, 0.5, X, X, X, X, X, 2.6, X, X, X, X}},
    {"BC Region3", "No-Till", {0, .5, .5, .5, .5, X, X, .1, .1, X, X, X, X, X, .5, X, X, X, X}},
    {"BC Region4",
     "Conventional Tillage",
     {4.0, X, 3.9, 3.9, X, X, 5.1, 3.9, 2.1, 2.1, X, X, X, 10.7, 10.7, 3.9, X, X, X}},
    {"BC Region4",
     "Reduced Tillage",
     {2.0, X, 1.9, 1.9, X, X, 2.9, 1.7, 1.2, 1.2, X, X, X, 5.0, 5.0, 1.9, X, X, X}},
    {"BC Region4", "No-Till", {X, 0, .5, .5, X, X, .5, .5, .1, .1, X, X, X, 0, 0, .5, X, X, X}},
    {"ON/QU/NB/NS/PEI",
     "Conventional Tillage",
     {6.3, 5.3, 5.3, 5.3, 5.3, 5.3, 5.3, 1.8, 1.8, 5.3, 6.3, 6.3, 6.3, 9.5, 5.3, 1.5, 2.2, 6.3,
      6.3}},
    {"ON/QU/NB/NS/PEI",
     "Reduced Tillage",
     {3.0, 3.0, 3.0, 3.0, 3.0, 3.0, 3.0, 1.0, 1.0, 3.0, 3.0, 3.0, 3.0, 4.0, 3.0, 0, 0, 3.0, 3.0}},
    {"ON/QU/NB/NS/PEI",
     "No-Till",
     {0, .5, .5, .5, .5, .5, .5, 0, 0, .5, 0, 0, 0, 0, .5, 0, 0, 0, 0}},
};

const std::vector<std::pair<std::string, double>> kImplements = {
    {"Mouldboard Plough", 2.3},
    {"Tandem Disk", 2.0},
    {"Chisel Plough-Sweeps", 1.0},
    {"Chisel Plough-Spikes", 0.5},
    {"Discer(single disk)", 1.3},
    {"Harrows", 0.2},
    {"Cultivator(s-tine)", 1.0},
    {"Airseeder", 0.8},
    {"Airdrill", 0.2},
    {"Rotovator, Cultipacker", 0.5},
    {"Hoedrill", 0.2},
    {"Rotary Hoe", 0.2},
    {"Rodweeder", 0.1},
    {"Land Leveler", 0.8},
    {"Hiller (vegetable, strawberries)", 2.3},
    {"Planter (vegetable, strawberries)", 0.7},
    {"Potato Digger", 2.5},
    {"Lifter(sugar beets)", 1.5},
};

std::vector<std::string> itemTexts(BandoList list) {
  std::vector<std::string> out;
  for (std::string_view item : itemsOf(list)) out.emplace_back(item);
  return out;
}

BandoTables freshTables() {
  BandoTables tables;
  initBandoTables(tables);
  return tables;
}

TEST(BandoTables, ListsHoldTheItemTextsInIndexOrder) {
  EXPECT_EQ(itemTexts(BandoList::SlopeClass),
            (std::vector<std::string>{"A (0-3%)", "B (4-9%)", "C (10-15%)", "D (16-30%)"}));
  EXPECT_EQ(itemTexts(BandoList::SurfaceForm),
            (std::vector<std::string>{"Hummocky", "Ridged", "Other Type"}));
  EXPECT_EQ(itemTexts(BandoList::CropType), kCrops);
  EXPECT_EQ(itemTexts(BandoList::TillageSystem),
            (std::vector<std::string>{"Conventional Tillage", "Reduced Tillage", "No-Till"}));
  ASSERT_EQ(itemTexts(BandoList::Region).size(), 7u);
  ASSERT_EQ(itemsOf(BandoList::Implement).size(), kImplements.size());
  for (std::size_t i = 0; i < kImplements.size(); ++i)
    EXPECT_EQ(itemsOf(BandoList::Implement)[i], kImplements[i].first) << i;
  EXPECT_EQ(FindItem(BandoList::Region, "BC Region4"), Int16{5});
  EXPECT_EQ(FindItem(BandoList::Region, "bc region4"), std::nullopt);
  EXPECT_EQ(FindItem(BandoList::Implement, "Mouldbord Plough"), std::nullopt);
}

TEST(BandoTables, EveryFilledSlopeCellMatchesAndSpareCellsAreZero) {
  const BandoTables t = freshTables();
  std::set<std::pair<int, int>> filled;
  for (const auto& [s, f, v] : kGradients) {
    EXPECT_EQ(t.MaxSlopeGradient[s][f], static_cast<float>(v)) << s << "," << f;
    EXPECT_EQ(maxSlopeGradientAt(t, Int16(s), Int16(f)), static_cast<float>(v));
    filled.insert({s, f});
  }
  for (const auto& [s, f, v] : kLengths)
    EXPECT_EQ(convexSlopeLengthAt(t, Int16(s), Int16(f)), static_cast<float>(v)) << s << "," << f;
  for (const auto& [s, f, v] : kAreas)
    EXPECT_EQ(ConvexAreaAt(t, Int16(s), Int16(f)), static_cast<Int16>(v)) << s << "," << f;
  ASSERT_EQ(filled.size(), 12u);
  for (std::size_t s = 0; s < kSlopeClassSlots; ++s) {
    for (std::size_t f = 0; f < kSurfaceFormSlots; ++f) {
      if (filled.count({int(s), int(f)})) continue;
      EXPECT_EQ(t.MaxSlopeGradient[s][f], 0.0f) << s << "," << f;
      EXPECT_EQ(t.ConvexSlopeLength[s][f], 0.0f) << s << "," << f;
      EXPECT_EQ(t.ConvexArea[s][f], 0) << s << "," << f;
    }
  }
}

TEST(BandoTables, EveryFilledCropCellMatchesAndSpareCellsAreZero) {
  const BandoTables t = freshTables();
  std::set<std::tuple<std::size_t, std::size_t, std::size_t>> filled;
  for (const CropColumn& column : kCropColumns) {
    const auto region = FindItem(BandoList::Region, column.region);
    const auto tillage = FindItem(BandoList::TillageSystem, column.tillage);
    ASSERT_TRUE(region && tillage) << column.region << " / " << column.tillage;
    ASSERT_EQ(column.byCrop.size(), kCrops.size());
    for (std::size_t c = 0; c < kCrops.size(); ++c) {
      EXPECT_EQ(cropErosivityAt(t, Int16(c), *region, *tillage),
                static_cast<float>(column.byCrop[c]))
          << kCrops[c] << " / " << column.region << " / " << column.tillage;
      filled.insert({c, std::size_t(*region), std::size_t(*tillage)});
    }
  }
  ASSERT_EQ(filled.size(), 19u * 7u * 3u);
  for (std::size_t c = 0; c < kCropTypeSlots; ++c) {
    for (std::size_t r = 0; r < kRegionSlots; ++r) {
      for (std::size_t k = 0; k < kTillageSystemSlots; ++k) {
        if (filled.count({c, r, k})) continue;
        EXPECT_EQ(t.CropErosivity[c][r][k], 0.0f) << c << "," << r << "," << k;
      }
    }
  }
}

TEST(BandoTables, EveryImplementMatchesAndSpareSlotsAreZero) {
  const BandoTables t = freshTables();
  for (const auto& [name, value] : kImplements) {
    const auto index = FindItem(BandoList::Implement, name);
    ASSERT_TRUE(index) << name;
    EXPECT_EQ(implementErosivityAt(t, *index), static_cast<float>(value)) << name;
  }
  for (Int16 i = 18; i <= 20; ++i) EXPECT_EQ(implementErosivityAt(t, i), 0.0f);
}

TEST(BandoTables, ReinitialisingRestoresTheSameTables) {
  const BandoTables first = freshTables();
  BandoTables again = first;
  again.CropErosivity[30][10][10] = 7.0f;  // a spare cell
  again.CropErosivity[13][5][0] = 99.0f;
  again.ImplementErosivity[20] = 3.0f;
  again.ConvexArea[0][0] = -5;
  initBandoTables(again);
  EXPECT_TRUE(again == first);
  initBandoTables(again);
  EXPECT_TRUE(again == first);
}

TEST(BandoTables, LookupsRejectIndexesOutsideTheDeclaredSize) {
  const BandoTables t = freshTables();
  EXPECT_EQ(maxSlopeGradientAt(t, 10, 10), 0.0f);  // declared, spare
  EXPECT_THROW(maxSlopeGradientAt(t, 11, 0), std::out_of_range);
  EXPECT_THROW(ConvexAreaAt(t, 0, -1), std::out_of_range);
  EXPECT_THROW(cropErosivityAt(t, 31, 0, 0), std::out_of_range);
  EXPECT_THROW(implementErosivityAt(t, 21), std::out_of_range);
}

}  // namespace
}  // namespace sodwright::bando
