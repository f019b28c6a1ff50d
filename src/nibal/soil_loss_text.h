// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the soil-loss results are, for the CSV header and the result rasters'
// band descriptions. The program computes −(Betta × ΔSG + Gamma × ΔSC) / d
// (the report's formula line leaves the minus sign out), so a positive value
// is a loss. With ΔSG in %, ΔSC in %/m and d in m, Betta in kg/m/% and Gamma
// in kg/% give kg/m², for the period the coefficients are for.

#include <string_view>

namespace sodwright::nibal {

inline constexpr std::string_view kSoilLossUnit = "kg/m2";
inline constexpr std::string_view kSoilLossUnitNote = "kg/m2; positive = loss";

inline constexpr std::string_view kSoilLossColHead = "SoilLossCol (kg/m2; positive = loss)";
inline constexpr std::string_view kSoilLossRowHead = "SoilLossRow (kg/m2; positive = loss)";
inline constexpr std::string_view kSoilLossSumHead = "SoilLossSum (kg/m2; positive = loss)";

// The band descriptions of a result raster, one per soil-loss layer.
inline constexpr std::string_view kSoilLossSumBand = kSoilLossSumHead;
inline constexpr std::string_view kSoilLossRowBand = kSoilLossRowHead;
inline constexpr std::string_view kSoilLossColBand = kSoilLossColHead;

}  // namespace sodwright::nibal
