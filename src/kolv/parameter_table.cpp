// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/parameter_table.h"

#include "base/number_text.h"

namespace sodwright::kolv {

namespace {

using P = KolvParameter;
using T = TranslocationParameters;

constexpr ScaledRange kNever{};

// Rows in KolvParameter's order.
constexpr std::array<KolvParameterInfo, kKolvParameterCount> kTable = {{
    {P::Sequences, "sequences", "Simulating Sequences", "", nullptr, nullptr, &T::SeqCount, false,
     checkSeqCount, "N", "Simulating Sequences, 1 to 50", "1", nullptr, DrawRange::None, kNever,
     kNever},
    {P::Nodes, "nodes", "Total Data Points", "", nullptr, nullptr, &T::NodeCount, false,
     checkNodeCount, "N", "Total Data Points simulated, 1 to the points of the file", "all points",
     nullptr, DrawRange::None, kNever, kNever},
    {P::LateralColumns, "lateral-columns", "Lateral Translocation Columms", "", nullptr, nullptr,
     &T::LateralColumns, false, checkLateralColumns, "N",
     "Lateral Translocation Columms, >= 0 (kept, not used)", "0", nullptr, DrawRange::None, kNever,
     kNever},
    {P::SgWeightFront, "sg-weight-front", "SG Weight: Front", "", nullptr, &T::SgWeightFront,
     nullptr, false, checkSgWeightFront, "X", "SG Weight: Front, >= 0", "0.5",
     "SG Weight: Front; >= 0", DrawRange::SingleAtLeastZero, kNever, kNever},
    {P::SgWeightBack, "sg-weight-back", "SG Weight: Back", "", nullptr, &T::SgWeightBack, nullptr,
     false, checkSgWeightBack, "X", "SG Weight: Back, >= 0", "0.5", "SG Weight: Back; >= 0",
     DrawRange::SingleAtLeastZero, kNever, kNever},
    {P::ScScale, "sc-scale", "SC Scale", "m", nullptr, &T::ScScale, nullptr, false, checkScScale,
     "M", "SC Scale in m, 0 up to (not including) the distribution distance", "0", nullptr,
     DrawRange::None, kNever, kNever},
    {P::DecayRate1, "decay1", "Layer 1 Decay Rate", "%", &T::DecayRate1, nullptr, nullptr, true,
     setDecayRate1Percent, "PERCENT", "Layer 1 Decay Rate in % per sequence", "0",
     "Layer 1 Decay Rate, % per sequence; 0 to 100", DrawRange::Percent, kNever, kNever},
    {P::DecayRate2, "decay2", "Layer 2 Decay Rate", "%", &T::DecayRate2, nullptr, nullptr, true,
     setDecayRate2Percent, "PERCENT", "Layer 2 Decay Rate in % per sequence", "0",
     "Layer 2 Decay Rate, % per sequence; 0 to 100", DrawRange::Percent, kNever, kNever},
    {P::TillDepth,
     "till-depth",
     "Tillage Depth",
     "m",
     &T::TillDepth,
     nullptr,
     nullptr,
     false,
     checkTillDepth,
     "M",
     "Tillage Depth in m, > 0",
     "from the file",
     "Tillage Depth, m; > 0",
     DrawRange::AboveZero,
     {{0.001, 0}, {2.0, 0}},
     {{0.01, 0}, {1.0, 0}}},
    {P::UpLayerDepth, "up-depth", "Up-Layer Depth", "m", &T::UpLayerDepth, nullptr, nullptr, false,
     checkUpLayerDepthParameter, "M", "Up-Layer Depth in m, > 0", "the tillage depth of the file",
     nullptr, DrawRange::None, kNever, kNever},
    {P::SubLayerDepth, "sub-depth", "Sub-Layer Depth", "m", &T::SubLayerDepth, nullptr, nullptr,
     false, checkSubLayerDepthParameter, "M", "Sub-Layer Depth in m, >= 0",
     "the tillage depth of the file", nullptr, DrawRange::None, kNever, kNever},
    {P::Alpha,
     "alpha",
     "Alpha",
     "m",
     nullptr,
     &T::Alpha,
     nullptr,
     false,
     setAlpha,
     "M",
     "Alpha of the translocation distance, m",
     "from the file",
     "Alpha of the translocation distance, m; any value",
     DrawRange::AnySingle,
     {{0.0, 1}, {25.0, 1}},
     {{0.0, 1}, {25.0, 1}}},
    {P::Beta,
     "beta",
     "Betta",
     "m/%",
     nullptr,
     &T::Beta,
     nullptr,
     false,
     setBeta,
     "M/%",
     "Betta of the translocation distance, m per % slope",
     "from the file",
     "Betta, m per % slope; any value",
     DrawRange::AnySingle,
     {{-1.0, 1}, {1.0, 1}},
     {{-0.1, 1}, {0.1, 1}}},
    {P::Gamma,
     "gamma",
     "Gamma",
     "m2/%",
     nullptr,
     &T::Gamma,
     nullptr,
     false,
     setGamma,
     "M2/%",
     "Gamma of the translocation distance, m2 per %/m curvature",
     "from the file",
     "Gamma, m2 per %/m curvature; any value",
     DrawRange::AnySingle,
     {{-10.0, 2}, {10.0, 2}},
     {{-1.0, 2}, {1.0, 2}}},
    {P::InputFrequency, "input-frequency", "Input Frequency", "Seqs", nullptr, nullptr,
     &T::InputFrequency, false, checkInputFrequency, "N",
     "Input Frequency in sequences, 1 to the simulated sequences", "1", nullptr, DrawRange::None,
     kNever, kNever},
    {P::InputAmount, "input-amount", "Input Amount", "kg/m2", &T::InputAmount, nullptr, nullptr,
     false, setInputAmount, "MASS/M2",
     "Input Amount of the substance per input, in the transect's substance mass per m2 (mg/m2 "
     "for a file in mg/kg, g/m2 for g/kg); the report's line prints \"kg/m2\" beside it",
     "0", "Input Amount, substance mass per m2 (mg/m2 for mg/kg); any value",
     // Held as a Double but drawn within a Single's range, as the box takes it.
     DrawRange::AnySingle, kNever, kNever},
}};

constexpr bool rowsInOrder() {
  for (std::size_t i = 0; i < kTable.size(); ++i)
    if (static_cast<std::size_t>(kTable[i].id) != i) return false;
  return true;
}
static_assert(rowsInOrder(), "kolvParameter() finds a row by its place");

constexpr std::array<KolvParameter, 9> kEnsembleOrder = {
    P::Alpha,        P::Beta,       P::Gamma,      P::TillDepth,  P::SgWeightFront,
    P::SgWeightBack, P::DecayRate1, P::DecayRate2, P::InputAmount};
constexpr std::array<KolvParameter, 4> kFitOrder = {P::Alpha, P::Beta, P::Gamma, P::TillDepth};

constexpr bool fitted(const KolvParameterInfo& info) {
  return info.fitBounds.high.factor != info.fitBounds.low.factor;
}

// Each list names exactly the rows that carry its facts.
template <std::size_t N, class Has>
constexpr bool listsExactly(const std::array<KolvParameter, N>& order, Has has) {
  std::size_t rows = 0;
  for (const KolvParameterInfo& info : kTable) rows += has(info) ? 1 : 0;
  for (KolvParameter id : order)
    if (!has(kTable[static_cast<std::size_t>(id)])) return false;
  return rows == N;
}
static_assert(listsExactly(kEnsembleOrder, [](const KolvParameterInfo& info) {
  return info.ensembleMeaning != nullptr && info.drawRange != DrawRange::None;
}));
static_assert(listsExactly(kFitOrder, fitted));

double boundAt(const ScaledBound& bound, double dx) {
  switch (bound.dxPower) {
    case 1:
      return bound.factor * dx;
    case 2:
      return bound.factor * dx * dx;
    default:
      return bound.factor;
  }
}

}  // namespace

const std::array<KolvParameterInfo, kKolvParameterCount>& kolvParameters() { return kTable; }

const KolvParameterInfo& kolvParameter(KolvParameter id) {
  return kTable[static_cast<std::size_t>(id)];
}

const KolvParameterInfo* kolvParameterNamed(std::string_view name) {
  for (const KolvParameterInfo& info : kTable)
    if (name == info.name) return &info;
  return nullptr;
}

bool storedAsSingle(KolvParameter id) { return kolvParameter(id).single != nullptr; }

double parameterValue(const TranslocationParameters& params, KolvParameter id) {
  const KolvParameterInfo& info = kolvParameter(id);
  if (info.single != nullptr) return params.*info.single;
  if (info.whole != nullptr) return params.*info.whole;
  return info.percent ? params.*info.real * 100 : params.*info.real;
}

void storeParameterValue(TranslocationParameters& params, KolvParameter id, double value) {
  const KolvParameterInfo& info = kolvParameter(id);
  if (info.single != nullptr)
    params.*info.single = base::roundToSingle(value);
  else if (info.whole != nullptr)
    params.*info.whole = static_cast<Int16>(value);
  else
    params.*info.real = info.percent ? value / 100.0 : value;
}

std::string parameterValueText(KolvParameter id, double value) {
  return storedAsSingle(id) ? base::generalTextSingle(base::roundToSingle(value))
                            : base::generalText(value);
}

std::span<const KolvParameter> ensembleParameterOrder() { return kEnsembleOrder; }
std::span<const KolvParameter> fitParameterOrder() { return kFitOrder; }

ValueBounds boundsAt(const ScaledRange& range, const TranslocationParameters& params) {
  const double dx = params.Interval;
  return {boundAt(range.low, dx), boundAt(range.high, dx)};
}

}  // namespace sodwright::kolv
