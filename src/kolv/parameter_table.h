// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one table of the KOLV parameters a user sets: the parameter window's
// boxes, the kolv options that fill them, the coefficients a fit varies and
// the parameters an ensemble draws. Every fact about a parameter (its name,
// caption, unit, whether it is held as Single, its ranges and bounds) is
// written here once.

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "kolv/parameter_checks.h"
#include "kolv/state/kolv_state.h"

namespace sodwright::kolv {

// In the order the parameter window applies its boxes: left column, then
// right column, top to bottom.
enum class KolvParameter {
  Sequences,
  Nodes,
  LateralColumns,
  SgWeightFront,
  SgWeightBack,
  ScScale,
  DecayRate1,
  DecayRate2,
  TillDepth,
  UpLayerDepth,
  SubLayerDepth,
  Alpha,
  Beta,
  Gamma,
  InputFrequency,
  InputAmount
};
inline constexpr std::size_t kKolvParameterCount = 16;

// Where an ensemble's drawn value must fall, in the kolv option's unit.
enum class DrawRange {
  None,       // not drawn
  AnySingle,  // any value a Single holds
  AboveZero,  // > 0 and finite
  SingleAtLeastZero,
  Percent  // 0 to 100
};

// A bound that scales with the interval dx: factor * dx^dxPower (dxPower 0:
// the factor itself, in the parameter's unit).
struct ScaledBound {
  double factor = 0.0;
  int dxPower = 0;
};
struct ScaledRange {
  ScaledBound low, high;
};

struct KolvParameterInfo {
  KolvParameter id;
  const char* name;     // the kolv option without its dashes; --fit and --vary take it too
  const char* caption;  // the parameter window's caption
  const char* unit;     // as reports print it; "" for a count or a weight
  // The field that holds the value: exactly one is set. A Single is rounded
  // to 32 bits when stored; a percentage is held as a fraction.
  double TranslocationParameters::*real;
  float TranslocationParameters::*single;
  Int16 TranslocationParameters::*whole;
  bool percent;
  ParameterCheck check;  // the box's own check, which the kolv option applies too
  // The kolv option's --help.
  const char* valueName;
  const char* meaning;
  const char* defaultText;
  // kolv-ensemble: the --vary help (null: never varied) and the drawn range.
  const char* ensembleMeaning;
  DrawRange drawRange;
  // kolv-fit: where a run stays defined and the default bounds (a zero
  // range: never fitted).
  ScaledRange definedRange;
  ScaledRange fitBounds;
};

const std::array<KolvParameterInfo, kKolvParameterCount>& kolvParameters();
const KolvParameterInfo& kolvParameter(KolvParameter id);
// The parameter whose name is `name`, or null.
const KolvParameterInfo* kolvParameterNamed(std::string_view name);

bool storedAsSingle(KolvParameter id);
// The value as the parameter set holds it, in the kolv option's unit
// (decay rates in %).
double parameterValue(const TranslocationParameters& params, KolvParameter id);
// Stores a value given in the option's unit as the parameter window stores
// the same typed number: a Single rounded to 32 bits, a percentage / 100, a
// count cut to a whole number.
void storeParameterValue(TranslocationParameters& params, KolvParameter id, double value);
// The text the parameter window shows for a value: Singles in 7 digits.
std::string parameterValueText(KolvParameter id, double value);

// The parameters an ensemble may vary and those a fit may vary, in the order
// their commands list them.
std::span<const KolvParameter> ensembleParameterOrder();
std::span<const KolvParameter> fitParameterOrder();

// A scaled range at the interval of `params`.
struct ValueBounds {
  double low = 0.0;
  double high = 0.0;
};
ValueBounds boundsAt(const ScaledRange& range, const TranslocationParameters& params);

}  // namespace sodwright::kolv
