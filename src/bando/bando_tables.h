// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The BANDO lookup tables and the pick lists whose positions index them.
//
// Every table is zero-based and declared larger than the data it holds; the
// spare cells stay 0 and are never read, because the pick lists cannot produce
// an index beyond the filled range. The lookups check their indexes all the
// same (std::out_of_range), so a stray index fails loudly instead of reading
// a neighbouring cell.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace sodwright::bando {

using Int16 = std::int16_t;

// The pick lists. Their item texts, in index order, are the contract between
// the tables and the two BANDO windows.
enum class BandoList { SlopeClass, SurfaceForm, CropType, Region, TillageSystem, Implement };

inline constexpr std::array<std::string_view, 4> kSlopeClassItems = {"A (0-3%)", "B (4-9%)",
                                                                     "C (10-15%)", "D (16-30%)"};

inline constexpr std::array<std::string_view, 3> kSurfaceFormItems = {"Hummocky", "Ridged",
                                                                      "Other Type"};

inline constexpr std::array<std::string_view, 19> kCropTypeItems = {
    "Summer Fallow", "Summer Wheat", "Winter Wheat", "Corn for Grain", "Corn for Silage",
    "Canola",        "Beans",        "Alfalfa",      "Tame Hay",       "Sunflower",
    "Beets",         "Speccr",       "Vegetable",    "Potato",         "Othgrn",
    "T. Fruits",     "S. Fruits",    "Sod",          "Tobacco"};

inline constexpr std::array<std::string_view, 7> kRegionItems = {"Brown Soil Zone AB/SK/MB",
                                                                 "Black Soil Zone AB/SK/MB",
                                                                 "BC Region1",
                                                                 "BC Region2",
                                                                 "BC Region3",
                                                                 "BC Region4",
                                                                 "ON/QU/NB/NS/PEI"};

inline constexpr std::array<std::string_view, 3> kTillageSystemItems = {
    "Conventional Tillage", "Reduced Tillage", "No-Till"};

inline constexpr std::array<std::string_view, 18> kImplementItems = {
    "Mouldboard Plough",
    "Tandem Disk",
    "Chisel Plough-Sweeps",
    "Chisel Plough-Spikes",
    "Discer(single disk)",
    "Harrows",
    "Cultivator(s-tine)",
    "Airseeder",
    "Airdrill",
    "Rotovator, Cultipacker",
    "Hoedrill",
    "Rotary Hoe",
    "Rodweeder",
    "Land Leveler",
    "Hiller (vegetable, strawberries)",
    "Planter (vegetable, strawberries)",
    "Potato Digger",
    "Lifter(sugar beets)"};

// The items of a list in index order (the order the windows fill them in).
std::span<const std::string_view> itemsOf(BandoList list);

// Position of the item whose text is exactly `text`; empty when none is.
std::optional<Int16> FindItem(BandoList list, std::string_view text);

// Declared sizes of the tables (each larger than the filled range).
inline constexpr std::size_t kSlopeClassSlots = 11;
inline constexpr std::size_t kSurfaceFormSlots = 11;
inline constexpr std::size_t kCropTypeSlots = 31;
inline constexpr std::size_t kRegionSlots = 11;
inline constexpr std::size_t kTillageSystemSlots = 11;
inline constexpr std::size_t kImplementSlots = 21;

// CropErosivity's mark for a combination with no known erosivity.
inline constexpr float kNoErosivityData = -1.0f;

template <typename T>
using SlopeTable = std::array<std::array<T, kSurfaceFormSlots>, kSlopeClassSlots>;
using CropTable =
    std::array<std::array<std::array<float, kTillageSystemSlots>, kRegionSlots>, kCropTypeSlots>;

// The five tables. A value-initialised object has every cell 0.
struct BandoTables {
  SlopeTable<float> MaxSlopeGradient{};   // %, by (slope class, surface form)
  SlopeTable<float> ConvexSlopeLength{};  // m
  SlopeTable<Int16> ConvexArea{};         // % of the field; shown, not used in the rate
  CropTable CropErosivity{};              // kg / m / %, by (crop, region, tillage); -1 = no data
  std::array<float, kImplementSlots> ImplementErosivity{};  // kg / m / % per pass

  bool operator==(const BandoTables&) const = default;
};

// Discards whatever the tables held and stores the reference values again.
// Calling it twice gives the same tables.
void initBandoTables(BandoTables& tables);

// Indexed reads with the positions of the pick lists.
float maxSlopeGradientAt(const BandoTables& tables, Int16 slopeClass, Int16 surfaceForm);
float convexSlopeLengthAt(const BandoTables& tables, Int16 slopeClass, Int16 surfaceForm);
Int16 ConvexAreaAt(const BandoTables& tables, Int16 slopeClass, Int16 surfaceForm);
float cropErosivityAt(const BandoTables& tables, Int16 cropType, Int16 region, Int16 tillageSystem);
float implementErosivityAt(const BandoTables& tables, Int16 implement);

}  // namespace sodwright::bando
