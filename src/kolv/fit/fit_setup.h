// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a fit of the KOLV coefficients to a measured profile is made of: the
// parameters it may vary (with the range where runs stay defined and the
// default bounds), the column compared, and the observed profile taken from
// a transect measured at a later sequence.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "kolv/parameter_table.h"
#include "kolv/state/kolv_state.h"

namespace sodwright::kolv {

// A fit varies those parameters of the table that carry fit bounds: alpha,
// beta, gamma and till-depth (fitParameterOrder).
using FitParameter = KolvParameter;
enum class FitColumn { Elevation, Pl1, Pl2, Pl3, UpperMass, TotalMass };

using FitBounds = ValueBounds;

// Command-line names: alpha, beta, gamma, till-depth; no other is fitted.
std::optional<FitParameter> fitParameterNamed(std::string_view name);
std::string_view fitParameterName(FitParameter parameter);
// The parameter window's label: Alpha, Betta, Gamma, Tillage Depth.
std::string_view fitParameterLabel(FitParameter parameter);
std::string_view fitParameterUnit(FitParameter parameter);

// elevation, pl1, pl2, pl3, upper-mass (layer 1), total-mass (layers 1 and 2).
std::optional<FitColumn> fitColumnNamed(std::string_view name);
std::string_view fitColumnName(FitColumn column);
std::string fitColumnUnit(FitColumn column, const std::string& substanceUnit);

// Where a run of the study is defined for the parameter, and the bounds a
// fit uses unless told otherwise, at the study's interval dx (the table's
// ranges scale with it).
FitBounds definedRange(FitParameter parameter, const TranslocationParameters& params);
FitBounds defaultBounds(FitParameter parameter, const TranslocationParameters& params);
// Both, written out for --help: "alpha 0 to 25 dx (m), ..., dx the interval
// in m; a bound may reach out to alpha 0 to 25 dx, ...".
std::string fitBoundsHelp();

// Stores as the parameter set holds it (Single for the three coefficients);
// parameterValue reads it back.
void setParameterValue(TranslocationParameters& params, FitParameter parameter, double value);

// The fitted parameters with their bounds, and the column compared.
struct FitSetup {
  std::vector<FitParameter> parameters;
  std::vector<FitBounds> bounds;
  FitColumn column = FitColumn::Elevation;
};

// The measured profile: one value per point of the transect.
struct ObservedProfile {
  Int16 sequence = 0;
  std::vector<double> values;
};

// The compared column of an imported transect at its own sequence, masses
// formed from concentrations as the engine forms them at a run's start.
std::vector<double> profileColumn(const KolvState& transect, FitColumn column, Int16 sequence);

// The observed profile from a transect imported from the measured file,
// checked against the study: same point count and interval, a later
// sequence, at most 50 sequences on. Fails with the reason.
base::Result<ObservedProfile> observedProfile(const KolvState& study, const KolvState& observed,
                                              FitColumn column);

// Checks the point rows of a measured text file (lines 9 .. 8 + points): each
// holds six fields and the compared one is a finite number. Fails naming the
// first line that does not.
base::Result<> checkObservedRows(const std::vector<std::string>& lines, char delimiter, int points,
                                 FitColumn column);

// Points 0 .. N-1 that lie outside the end zones of the compared sequence.
std::vector<int> interiorNodes(const TranslocationParameters& params);

// Sets SeqCount and LastSeq so that the run reaches the observed sequence.
base::Result<> reachObservedSequence(KolvState& study, Int16 observedSequence);

// Checks names, bounds and repeats; `bounds` holds NAME=LO:HI texts.
base::Result<FitSetup> makeFitSetup(const TranslocationParameters& params,
                                    const std::vector<std::string>& names,
                                    const std::vector<std::string>& bounds, FitColumn column);

// A fit made ready from the imported study and a measured text file: the
// study copied and set to reach the observed sequence, the setup with its
// default bounds, the observed profile. Fails with the first reason.
struct PreparedFit {
  KolvState study;
  FitSetup setup;
  ObservedProfile observed;
};
// The batch's --direction and boxes, applied to the study once it reaches the
// observed sequence.
using ApplyBoxes = std::function<base::Result<>(KolvState& study)>;

// The one preparation of a fit, shared by kolv-fit and the Fit dialog: the
// observed profile of `measured`, the study as its boxes set it
// (studyFromBoxes) reaching the observed sequence, `applyBoxes` when given
// (then the sequence reached again, so that the boxes that depend on it are
// checked against the run the fit makes), and the setup.
base::Result<PreparedFit> prepareFit(const KolvState& state, const KolvState& measured,
                                     const std::vector<std::string>& names,
                                     const std::vector<std::string>& bounds, FitColumn column,
                                     const ApplyBoxes& applyBoxes = {});

// prepareFit of a measured text file, its rows checked first.
base::Result<PreparedFit> prepareFitFromText(const KolvState& state,
                                             const std::string& observedPath, char delimiter,
                                             const std::vector<std::string>& names,
                                             FitColumn column);

}  // namespace sodwright::kolv
