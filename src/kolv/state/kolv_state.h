// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The whole state of the KOLV transect model: the parameter set, the
// transect arrays and the comparison results. One object, made at start-up
// and handed to the windows and commands that use it.

#include <cstdint>
#include <optional>
#include <string>

#include "kolv/state/bounded_array.h"

namespace sodwright::kolv {

using Int16 = std::int16_t;

// Tillage direction codes, the order of the direction list.
enum TillDirectionCode : Int16 { kForward = 0, kBackward = 1, kAlternative = 2 };

// The KOLV parameter set. Integer fields are 16-bit; Single fields float;
// Double fields double. Every field is 0 before the first import.
struct TranslocationParameters {
  Int16 StartSeq = 0;
  Int16 SeqCount = 0;
  Int16 LastSeq = 0;
  Int16 FileSeqNo = 0;
  Int16 NodeCount = 0;
  Int16 DataPointCount = 0;
  float Interval = 0.0f;       // m
  float DistrDistance = 0.0f;  // m
  Int16 DistrNodes = 0;
  double TillDepth = 0.0;      // m
  double UpLayerDepth = 0.0;   // m
  double SubLayerDepth = 0.0;  // m
  double BulkDensity1 = 0.0;   // kg/m3
  double BulkDensity2 = 0.0;
  double BulkDensity3 = 0.0;
  float Alpha = 0.0f;  // m
  float Beta = 0.0f;   // m/%
  float Gamma = 0.0f;  // m2/%
  Int16 TillDirection = kForward;
  Int16 DirectionSign = 0;  // +1 or -1; 0 before any import behaves as forward
  Int16 LateralColumns = 0;
  float SgWeightFront = 0.0f;
  float SgWeightBack = 0.0f;
  float ScScale = 0.0f;     // m
  double DecayRate1 = 0.0;  // fraction per sequence
  double DecayRate2 = 0.0;
  Int16 InputFrequency = 0;  // sequences
  double InputAmount = 0.0;  // substance mass per m2 (mg/m2 for a transect in mg/kg)

  // Kept beside the set: the first and last sequence shown and compared.
  Int16 FirstSeqShown = 0;
  Int16 LastSeqShown = 0;
};

// The transect arrays over node and sequence, and layer-3 concentration by node.
struct TransectData {
  NodeSeqArray<double> Elev;
  NodeSeqArray<double> PL1;
  NodeSeqArray<double> PL2;
  NodeArray<double> PL3;
  NodeSeqArray<double> DepthL1;
  NodeSeqArray<double> DepthL2;
  NodeSeqArray<double> MassL1;
  NodeSeqArray<double> MassL2;
  NodeSeqArray<float> MassL12;
  std::string SubstanceUnit;
  // Whether the arrays a run writes keep every sequence column, or only the
  // ones keepRunColumnsOnly named (a run is then checked column by column).
  enum class Columns { Every, RunOnly };
  Columns columns = Columns::Every;
};

// Per-node results of the sequence comparison.
struct ComparisonResults {
  NodeArray<float> DeltaElev;
  NodeArray<float> SoilLoss;
  NodeArray<std::optional<double>> UpMassFirst;
  NodeArray<std::optional<double>> SubMassFirst;
  NodeArray<std::optional<double>> UpConcFirst;
  NodeArray<float> SubConcFirst;
  NodeArray<std::optional<double>> UpMassLast;
  NodeArray<std::optional<double>> SubMassLast;
  NodeArray<std::optional<double>> UpConcLast;
  NodeArray<float> SubConcLast;
};

// An empty optional amount counts as 0.
inline double valueOrZero(const std::optional<double>& v) { return v.value_or(0.0); }

struct KolvState {
  TranslocationParameters params;
  TransectData data;
  ComparisonResults results;
  bool imported = false;   // a transect has been imported
  bool simulated = false;  // a run has filled the sequences after StartSeq
};

}  // namespace sodwright::kolv
