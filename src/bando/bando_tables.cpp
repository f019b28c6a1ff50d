// SPDX-License-Identifier: GPL-3.0-or-later
#include "bando/bando_tables.h"

#include <stdexcept>
#include <string>

namespace sodwright::bando {
namespace {

constexpr std::size_t kFilledSlopeClasses = kSlopeClassItems.size();
constexpr std::size_t kFilledSurfaceForms = kSurfaceFormItems.size();
constexpr std::size_t kFilledCropTypes = kCropTypeItems.size();
constexpr std::size_t kFilledRegions = kRegionItems.size();
constexpr std::size_t kFilledTillageSystems = kTillageSystemItems.size();
constexpr std::size_t kFilledImplements = kImplementItems.size();

// One cell of the slope tables: gradient %, convex length m, convex area %.
struct SlopeCell {
  float gradient;
  float length;
  Int16 area;
};

// Rows: slope class A..D; columns: Hummocky, Ridged, Other Type.
constexpr SlopeCell kSlopeCells[kFilledSlopeClasses][kFilledSurfaceForms] = {
    {{3.0f, 10.0f, 10}, {3.0f, 10.0f, 10}, {1.0f, 15.0f, 15}},
    {{8.0f, 15.0f, 15}, {8.0f, 15.0f, 15}, {5.0f, 20.0f, 20}},
    {{14.0f, 20.0f, 20}, {14.0f, 20.0f, 20}, {12.0f, 30.0f, 30}},
    {{16.0f, 25.0f, 25}, {16.0f, 25.0f, 25}, {16.0f, 40.0f, 40}},
};

// Rows: crop type; per region (in list order) Conventional / Reduced / No-Till.
constexpr float kCropCells[kFilledCropTypes][kFilledRegions][kFilledTillageSystems] = {
    // Summer Fallow (0)
    {{4.0f, 2.0f, 0.0f},
     {6.0f, 3.0f, 0.0f},
     {4.0f, 2.0f, 0.0f},
     {4.0f, 2.0f, 0.0f},
     {4.0f, 2.0f, 0.0f},
     {4.0f, 2.0f, -1.0f},
     {6.3f, 3.0f, 0.0f}},
    // Summer Wheat (1)
    {{2.5f, 1.7f, 0.5f},
     {2.7f, 2.2f, 0.5f},
     {6.2f, 3.4f, 0.5f},
     {4.7f, 1.7f, 0.5f},
     {4.6f, 2.6f, 0.5f},
     {-1.0f, -1.0f, 0.0f},
     {5.3f, 3.0f, 0.5f}},
    // Winter Wheat (2)
    {{2.5f, 1.7f, 0.5f},
     {2.7f, 2.2f, 0.5f},
     {6.2f, 3.4f, 0.5f},
     {4.7f, 1.7f, 0.5f},
     {4.6f, 2.6f, 0.5f},
     {3.9f, 1.9f, 0.5f},
     {5.3f, 3.0f, 0.5f}},
    // Corn for Grain (3)
    {{5.0f, 3.0f, 0.5f},
     {5.0f, 3.0f, 0.5f},
     {7.5f, 3.7f, 0.5f},
     {6.1f, 2.9f, 0.5f},
     {6.0f, 3.0f, 0.5f},
     {3.9f, 1.9f, 0.5f},
     {5.3f, 3.0f, 0.5f}},
    // Corn for Silage (4)
    {{5.0f, 3.0f, 0.5f},
     {5.0f, 3.0f, 0.5f},
     {7.5f, 3.7f, 0.5f},
     {6.1f, 2.9f, 0.5f},
     {6.0f, 3.0f, 0.5f},
     {-1.0f, -1.0f, -1.0f},
     {5.3f, 3.0f, 0.5f}},
    // Canola (5)
    {{2.2f, 1.7f, 0.5f},
     {3.4f, 2.2f, 0.5f},
     {5.1f, 2.9f, 0.5f},
     {-1.0f, -1.0f, -1.0f},
     {-1.0f, -1.0f, -1.0f},
     {-1.0f, -1.0f, -1.0f},
     {5.3f, 3.0f, 0.5f}},
    // Beans (6)
    {{2.1f, 1.7f, 0.5f},
     {2.7f, 1.7f, 0.5f},
     {5.3f, 3.0f, 0.5f},
     {-1.0f, -1.0f, -1.0f},
     {-1.0f, -1.0f, -1.0f},
     {5.1f, 2.9f, 0.5f},
     {5.3f, 3.0f, 0.5f}},
    // Alfalfa (7)
    {{1.5f, 0.0f, 0.0f},
     {1.8f, 0.0f, 0.0f},
     {2.0f, 1.0f, 0.0f},
     {1.4f, 0.9f, 0.1f},
     {1.0f, 0.5f, 0.1f},
     {3.9f, 1.7f, 0.5f},
     {1.8f, 1.0f, 0.0f}},
    // Tame Hay (8)
    {{1.5f, 0.0f, 0.0f},
     {1.8f, 0.0f, 0.0f},
     {2.0f, 1.0f, 0.0f},
     {1.4f, 0.9f, 0.1f},
     {1.0f, 0.5f, 0.1f},
     {2.1f, 1.2f, 0.1f},
     {1.8f, 1.0f, 0.0f}},
    // Sunflower (9)
    {{2.2f, 1.7f, 0.5f},
     {3.4f, 2.2f, 0.5f},
     {-1.0f, -1.0f, -1.0f},
     {-1.0f, -1.0f, -1.0f},
     {-1.0f, -1.0f, -1.0f},
     {2.1f, 1.2f, 0.1f},
     {5.3f, 3.0f, 0.5f}},
    // Beets (10)
    {{6.5f, 0.0f, 0.0f},
     {7.5f, 0.0f, 0.0f},
     {9.0f, 0.0f, 0.0f},
     {-1.0f, -1.0f, -1.0f},
     {-1.0f, -1.0f, -1.0f},
     {-1.0f, -1.0f, -1.0f},
     {6.3f, 3.0f, 0.0f}},
    // Speccr (11)
    {{7.5f, 4.0f, 0.0f},
     {8.5f, 5.0f, 0.0f},
     {9.0f, 5.0f, 0.0f},
     {-1.0f, -1.0f, -1.0f},
     {-1.0f, -1.0f, -1.0f},
     {-1.0f, -1.0f, -1.0f},
     {6.3f, 3.0f, 0.0f}},
    // Vegetable (12)
    {{7.5f, 4.0f, 0.0f},
     {8.5f, 5.0f, 0.0f},
     {9.0f, 5.0f, 0.0f},
     {-1.0f, -1.0f, -1.0f},
     {-1.0f, -1.0f, -1.0f},
     {-1.0f, -1.0f, -1.0f},
     {6.3f, 3.0f, 0.0f}},
    // Potato (13)
    {{8.2f, 5.7f, 0.0f},
     {9.2f, 5.7f, 0.0f},
     {9.0f, 5.0f, 0.0f},
     {-1.0f, -1.0f, -1.0f},
     {-1.0f, -1.0f, -1.0f},
     {10.7f, 5.0f, 0.0f},
     {9.5f, 4.0f, 0.0f}},
    // Othgrn (14)
    {{2.5f, 1.7f, 0.5f},
     {2.7f, 2.2f, 0.5f},
     {6.2f, 3.4f, 0.5f},
     {4.7f, 2.7f, 0.5f},
     {4.6f, 2.6f, 0.5f},
     {10.7f, 5.0f, 0.0f},
     {5.3f, 3.0f, 0.5f}},
    // T. Fruits (15)
    {{-1.0f, -1.0f, -1.0f},
     {-1.0f, -1.0f, -1.0f},
     {1.5f, 0.0f, 0.0f},
     {1.5f, 0.0f, 0.0f},
     {-1.0f, -1.0f, -1.0f},
     {3.9f, 1.9f, 0.5f},
     {1.5f, 0.0f, 0.0f}},
    // S. Fruits (16)
    {{-1.0f, -1.0f, -1.0f},
     {-1.0f, -1.0f, -1.0f},
     {2.2f, 0.0f, 0.0f},
     {-1.0f, -1.0f, -1.0f},
     {-1.0f, -1.0f, -1.0f},
     {-1.0f, -1.0f, -1.0f},
     {2.2f, 0.0f, 0.0f}},
    // Sod (17)
    {{-1.0f, -1.0f, -1.0f},
     {-1.0f, -1.0f, -1.0f},
     {4.0f, 0.0f, 0.0f},
     {-1.0f, -1.0f, -1.0f},
     {-1.0f, -1.0f, -1.0f},
     {-1.0f, -1.0f, -1.0f},
     {6.3f, 3.0f, 0.0f}},
    // Tobacco (18)
    {{-1.0f, -1.0f, -1.0f},
     {-1.0f, -1.0f, -1.0f},
     {-1.0f, -1.0f, -1.0f},
     {-1.0f, -1.0f, -1.0f},
     {-1.0f, -1.0f, -1.0f},
     {-1.0f, -1.0f, -1.0f},
     {6.3f, 3.0f, 0.0f}},
};

// Erosivity of one pass, implements in list order.
constexpr float kImplementCells[kFilledImplements] = {2.3f, 2.0f, 1.0f, 0.5f, 1.3f, 0.2f,
                                                      1.0f, 0.8f, 0.2f, 0.5f, 0.2f, 0.2f,
                                                      0.1f, 0.8f, 2.3f, 0.7f, 2.5f, 1.5f};

void checkIndex(Int16 index, std::size_t slots, const char* what) {
  if (index < 0 || static_cast<std::size_t>(index) >= slots)
    throw std::out_of_range(std::string("BANDO table index out of range: ") + what);
}

}  // namespace

std::span<const std::string_view> itemsOf(BandoList list) {
  switch (list) {
    case BandoList::SlopeClass:
      return kSlopeClassItems;
    case BandoList::SurfaceForm:
      return kSurfaceFormItems;
    case BandoList::CropType:
      return kCropTypeItems;
    case BandoList::Region:
      return kRegionItems;
    case BandoList::TillageSystem:
      return kTillageSystemItems;
    case BandoList::Implement:
      return kImplementItems;
  }
  throw std::invalid_argument("unknown BANDO list");
}

std::optional<Int16> FindItem(BandoList list, std::string_view text) {
  const auto items = itemsOf(list);
  for (std::size_t i = 0; i < items.size(); ++i)
    if (items[i] == text) return static_cast<Int16>(i);
  return std::nullopt;
}

void initBandoTables(BandoTables& tables) {
  tables = BandoTables{};
  for (std::size_t s = 0; s < kFilledSlopeClasses; ++s) {
    for (std::size_t f = 0; f < kFilledSurfaceForms; ++f) {
      tables.MaxSlopeGradient[s][f] = kSlopeCells[s][f].gradient;
      tables.ConvexSlopeLength[s][f] = kSlopeCells[s][f].length;
      tables.ConvexArea[s][f] = kSlopeCells[s][f].area;
    }
  }
  for (std::size_t c = 0; c < kFilledCropTypes; ++c)
    for (std::size_t r = 0; r < kFilledRegions; ++r)
      for (std::size_t t = 0; t < kFilledTillageSystems; ++t)
        tables.CropErosivity[c][r][t] = kCropCells[c][r][t];
  for (std::size_t i = 0; i < kFilledImplements; ++i)
    tables.ImplementErosivity[i] = kImplementCells[i];
}

float maxSlopeGradientAt(const BandoTables& tables, Int16 slopeClass, Int16 surfaceForm) {
  checkIndex(slopeClass, kSlopeClassSlots, "slope class");
  checkIndex(surfaceForm, kSurfaceFormSlots, "surface form");
  return tables.MaxSlopeGradient[static_cast<std::size_t>(slopeClass)]
                                [static_cast<std::size_t>(surfaceForm)];
}

float convexSlopeLengthAt(const BandoTables& tables, Int16 slopeClass, Int16 surfaceForm) {
  checkIndex(slopeClass, kSlopeClassSlots, "slope class");
  checkIndex(surfaceForm, kSurfaceFormSlots, "surface form");
  return tables.ConvexSlopeLength[static_cast<std::size_t>(slopeClass)]
                                 [static_cast<std::size_t>(surfaceForm)];
}

Int16 ConvexAreaAt(const BandoTables& tables, Int16 slopeClass, Int16 surfaceForm) {
  checkIndex(slopeClass, kSlopeClassSlots, "slope class");
  checkIndex(surfaceForm, kSurfaceFormSlots, "surface form");
  return tables
      .ConvexArea[static_cast<std::size_t>(slopeClass)][static_cast<std::size_t>(surfaceForm)];
}

float cropErosivityAt(const BandoTables& tables, Int16 cropType, Int16 region,
                      Int16 tillageSystem) {
  checkIndex(cropType, kCropTypeSlots, "crop type");
  checkIndex(region, kRegionSlots, "region");
  checkIndex(tillageSystem, kTillageSystemSlots, "tillage system");
  return tables.CropErosivity[static_cast<std::size_t>(cropType)][static_cast<std::size_t>(region)]
                             [static_cast<std::size_t>(tillageSystem)];
}

float implementErosivityAt(const BandoTables& tables, Int16 implement) {
  checkIndex(implement, kImplementSlots, "implement");
  return tables.ImplementErosivity[static_cast<std::size_t>(implement)];
}

}  // namespace sodwright::bando
