// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/fit/fit_setup.h"

#include <array>
#include <cmath>

#include "base/number_text.h"
#include "base/text/text_file.h"
#include "kolv/io/transect_import.h"
#include "kolv/stability/stability_end_zones.h"
#include "kolv/study/study_runs.h"

namespace sodwright::kolv {

namespace {

struct ColumnInfo {
  FitColumn column;
  std::string_view name;
};

constexpr std::array<ColumnInfo, 6> kColumns = {{
    {FitColumn::Elevation, "elevation"},
    {FitColumn::Pl1, "pl1"},
    {FitColumn::Pl2, "pl2"},
    {FitColumn::Pl3, "pl3"},
    {FitColumn::UpperMass, "upper-mass"},
    {FitColumn::TotalMass, "total-mass"},
}};

// The field of a point row that holds the compared column (0-based), and
// those that the column is formed from.
std::vector<int> fieldsOf(FitColumn column) {
  switch (column) {
    case FitColumn::Pl1:
      return {0};
    case FitColumn::Pl2:
      return {1};
    case FitColumn::Pl3:
      return {2};
    case FitColumn::UpperMass:
      return {0, 3};
    case FitColumn::TotalMass:
      return {0, 1, 3, 4};
    case FitColumn::Elevation:
      break;
  }
  return {5};
}

constexpr std::array<std::string_view, 6> kFieldNames = {"PL1", "PL2", "PL3",
                                                         "L1",  "L2",  "elevation"};

}  // namespace

std::optional<FitParameter> fitParameterNamed(std::string_view name) {
  for (FitParameter parameter : fitParameterOrder())
    if (kolvParameter(parameter).name == name) return parameter;
  return std::nullopt;
}

std::string_view fitParameterName(FitParameter parameter) { return kolvParameter(parameter).name; }
std::string_view fitParameterLabel(FitParameter parameter) {
  return kolvParameter(parameter).caption;
}
std::string_view fitParameterUnit(FitParameter parameter) { return kolvParameter(parameter).unit; }

std::optional<FitColumn> fitColumnNamed(std::string_view name) {
  for (const ColumnInfo& info : kColumns)
    if (info.name == name) return info.column;
  return std::nullopt;
}

std::string_view fitColumnName(FitColumn column) {
  return kColumns[static_cast<std::size_t>(column)].name;
}

std::string fitColumnUnit(FitColumn column, const std::string& substanceUnit) {
  switch (column) {
    case FitColumn::Elevation:
      return "m";
    case FitColumn::UpperMass:
    case FitColumn::TotalMass:
      return substanceUnit + " per interval";
    default:
      return substanceUnit + "/kg";
  }
}

FitBounds definedRange(FitParameter parameter, const TranslocationParameters& params) {
  return boundsAt(kolvParameter(parameter).definedRange, params);
}

FitBounds defaultBounds(FitParameter parameter, const TranslocationParameters& params) {
  return boundsAt(kolvParameter(parameter).fitBounds, params);
}

namespace {

// "25 dx", "-dx", "dx2", "0.01"; 0 stays bare.
std::string boundText(const ScaledBound& bound) {
  if (bound.dxPower == 0 || bound.factor == 0) return base::generalText(bound.factor);
  const std::string dx = bound.dxPower == 2 ? "dx2" : "dx";
  if (bound.factor == 1) return dx;
  if (bound.factor == -1) return "-" + dx;
  return base::generalText(bound.factor) + " " + dx;
}

std::string rangeText(const KolvParameterInfo& info, const ScaledRange& range, bool withUnit) {
  const std::string text =
      std::string(info.name) + " " + boundText(range.low) + " to " + boundText(range.high);
  if (range.high.dxPower == 0) return text + " " + info.unit;
  return withUnit ? text + " (" + info.unit + ")" : text;
}

}  // namespace

std::string fitBoundsHelp() {
  std::string defaults, defined;
  for (FitParameter parameter : fitParameterOrder()) {
    const KolvParameterInfo& info = kolvParameter(parameter);
    defaults += (defaults.empty() ? "" : ", ") + rangeText(info, info.fitBounds, true);
    defined += (defined.empty() ? "" : ", ") + rangeText(info, info.definedRange, false);
  }
  return defaults + ", dx the interval in m; a bound may reach out to " + defined;
}

void setParameterValue(TranslocationParameters& params, FitParameter parameter, double value) {
  storeParameterValue(params, parameter, value);
}

std::vector<double> profileColumn(const KolvState& transect, FitColumn column, Int16 sequence) {
  const TranslocationParameters& p = transect.params;
  const TransectData& t = transect.data;
  const double dx = p.Interval;
  std::vector<double> values(static_cast<std::size_t>(p.DataPointCount));
  for (int i = 0; i < p.DataPointCount; ++i) {
    double& v = values[static_cast<std::size_t>(i)];
    const double m1 = p.BulkDensity1 * t.PL1(i, sequence) * dx * t.DepthL1(i, sequence);
    const double m2 = p.BulkDensity2 * t.PL2(i, sequence) * dx * t.DepthL2(i, sequence);
    switch (column) {
      case FitColumn::Elevation:
        v = t.Elev(i, sequence);
        break;
      case FitColumn::Pl1:
        v = t.PL1(i, sequence);
        break;
      case FitColumn::Pl2:
        v = t.PL2(i, sequence);
        break;
      case FitColumn::Pl3:
        v = t.PL3(i);
        break;
      case FitColumn::UpperMass:
        v = m1;
        break;
      // Held as Single, as the run holds the sum.
      case FitColumn::TotalMass:
        v = static_cast<float>(m1 + m2);
        break;
    }
  }
  return values;
}

base::Result<ObservedProfile> observedProfile(const KolvState& study, const KolvState& observed,
                                              FitColumn column) {
  const TranslocationParameters& s = study.params;
  const TranslocationParameters& o = observed.params;
  if (o.DataPointCount != s.DataPointCount)
    return base::fail("kolv-fit: the observed file has " + std::to_string(o.DataPointCount) +
                      " points; INPUT has " + std::to_string(s.DataPointCount) +
                      ": both must describe the same points");
  if (o.Interval != s.Interval)
    return base::fail("kolv-fit: the observed file's interval is " +
                      base::generalTextSingle(o.Interval) + " m; INPUT's is " +
                      base::generalTextSingle(s.Interval) + " m: both must be the same");
  if (o.FileSeqNo <= s.FileSeqNo)
    return base::fail("kolv-fit: the observed file is at sequence " + std::to_string(o.FileSeqNo) +
                      ", not after INPUT's sequence " + std::to_string(s.FileSeqNo) +
                      ": it must be measured after the tillage to simulate");
  if (o.FileSeqNo - s.FileSeqNo > 50)
    return base::fail("kolv-fit: the observed file is " +
                      std::to_string(o.FileSeqNo - s.FileSeqNo) +
                      " sequences after INPUT; a run simulates at most 50");
  ObservedProfile profile;
  profile.sequence = o.FileSeqNo;
  profile.values = profileColumn(observed, column, o.FileSeqNo);
  // Squares of residuals this large would overflow the sum the fit minimises.
  constexpr double kLargestObserved = 1e150;
  for (std::size_t i = 0; i < profile.values.size(); ++i) {
    if (!std::isfinite(profile.values[i]))
      return base::fail("kolv-fit: the observed " + std::string(fitColumnName(column)) +
                        " of point " + std::to_string(i) + " is not a finite number");
    if (std::abs(profile.values[i]) > kLargestObserved)
      return base::fail("kolv-fit: the observed " + std::string(fitColumnName(column)) +
                        " of point " + std::to_string(i) + ", " +
                        base::generalText(profile.values[i]) +
                        ", is too large: its square would overflow the sum of squares (at most " +
                        base::generalText(kLargestObserved) + " in magnitude)");
  }
  return profile;
}

base::Result<> checkObservedRows(const std::vector<std::string>& lines, char delimiter, int points,
                                 FitColumn column) {
  const std::vector<int> fields = fieldsOf(column);
  for (int i = 0; i < points; ++i) {
    const std::size_t index = static_cast<std::size_t>(8 + i);
    const std::string where = "kolv-fit: observed file line " + std::to_string(index + 1) + ": ";
    if (index >= lines.size())
      return base::fail(where + "missing (the header counts " + std::to_string(points) +
                        " points)");
    const std::vector<std::string> row = base::splitFields(lines[index], delimiter);
    for (int field : fields) {
      const std::string_view name = kFieldNames[static_cast<std::size_t>(field)];
      if (static_cast<std::size_t>(field) >= row.size())
        return base::fail(where + "the " + std::string(name) + " value is missing");
      const auto value = base::parseStrictNumber(row[static_cast<std::size_t>(field)]);
      if (!value || !std::isfinite(*value))
        return base::fail(where + "the " + std::string(name) + " value \"" +
                          row[static_cast<std::size_t>(field)] + "\" is not a finite number");
    }
  }
  return {};
}

std::vector<int> interiorNodes(const TranslocationParameters& params) {
  std::vector<int> nodes;
  for (int i = 0; i < params.NodeCount; ++i)
    if (!inEndZone(i, params.LastSeq, params.LastSeq, params.NodeCount)) nodes.push_back(i);
  return nodes;
}

base::Result<> reachObservedSequence(KolvState& study, Int16 observedSequence) {
  TranslocationParameters& p = study.params;
  p.SeqCount = static_cast<Int16>(observedSequence - p.StartSeq);
  p.LastSeq = observedSequence;
  p.LastSeqShown = observedSequence;
  if (interiorNodes(p).empty())
    return base::fail("kolv-fit: the end zones of sequence " + std::to_string(observedSequence) +
                      " (" + std::to_string(2 * observedSequence) +
                      " points at each end) cover all " + std::to_string(p.NodeCount) +
                      " points: no point is left to compare");
  return {};
}

base::Result<FitSetup> makeFitSetup(const TranslocationParameters& params,
                                    const std::vector<std::string>& names,
                                    const std::vector<std::string>& bounds, FitColumn column) {
  FitSetup setup;
  setup.column = column;
  if (names.empty()) return base::fail("kolv-fit: --fit names no parameter");
  for (const std::string& name : names) {
    const auto parameter = fitParameterNamed(name);
    if (!parameter)
      return base::fail("kolv-fit: unknown parameter \"" + name +
                        "\" in --fit; use alpha, beta, gamma or till-depth");
    for (FitParameter taken : setup.parameters)
      if (taken == *parameter) return base::fail("kolv-fit: --fit names " + name + " twice");
    setup.parameters.push_back(*parameter);
    setup.bounds.push_back(defaultBounds(*parameter, params));
  }
  std::vector<bool> bounded(setup.parameters.size(), false);
  for (const std::string& text : bounds) {
    const std::size_t equals = text.find('=');
    const std::size_t colon = text.find(':', equals == std::string::npos ? 0 : equals);
    if (equals == std::string::npos || colon == std::string::npos)
      return base::fail("kolv-fit: --bounds \"" + text + "\" is not NAME=LO:HI");
    const std::string name = text.substr(0, equals);
    const auto parameter = fitParameterNamed(name);
    if (!parameter)
      return base::fail("kolv-fit: unknown parameter \"" + name +
                        "\" in --bounds; use alpha, beta, gamma or till-depth");
    std::size_t slot = setup.parameters.size();
    for (std::size_t k = 0; k < setup.parameters.size(); ++k)
      if (setup.parameters[k] == *parameter) slot = k;
    if (slot == setup.parameters.size())
      return base::fail("kolv-fit: --bounds names " + name + ", which --fit does not name");
    if (bounded[slot]) return base::fail("kolv-fit: --bounds names " + name + " twice");
    bounded[slot] = true;
    const auto low = base::parseStrictNumber(text.substr(equals + 1, colon - equals - 1));
    const auto high = base::parseStrictNumber(text.substr(colon + 1));
    if (!low || !high || !std::isfinite(*low) || !std::isfinite(*high))
      return base::fail("kolv-fit: --bounds \"" + text + "\": LO and HI must be numbers");
    if (!(*low < *high))
      return base::fail("kolv-fit: --bounds \"" + text + "\": LO must be below HI");
    const FitBounds range = definedRange(*parameter, params);
    if (*low < range.low || *high > range.high)
      return base::fail("kolv-fit: --bounds \"" + text + "\" leaves the range where runs are " +
                        "defined, " + base::generalText(range.low) + " to " +
                        base::generalText(range.high) + " " +
                        std::string(fitParameterUnit(*parameter)));
    setup.bounds[slot] = {*low, *high};
  }
  return setup;
}

base::Result<PreparedFit> prepareFitFromText(const KolvState& state,
                                             const std::string& observedPath, char delimiter,
                                             const std::vector<std::string>& names,
                                             FitColumn column) {
  if (!state.imported) return base::fail("kolv-fit: import the transect before fitting it");
  // Read line by line with the import's bound; its point rows are read strictly.
  KolvState measured;
  if (const auto imported = importTransectText(measured, observedPath, delimiter); !imported.ok())
    return base::fail("kolv-fit: observed file: " + imported.message());
  return prepareFit(state, measured, names, {}, column);
}

base::Result<PreparedFit> prepareFit(const KolvState& state, const KolvState& measured,
                                     const std::vector<std::string>& names,
                                     const std::vector<std::string>& bounds, FitColumn column,
                                     const ApplyBoxes& applyBoxes) {
  if (!state.imported) return base::fail("kolv-fit: import the transect before fitting it");
  auto observed = observedProfile(state, measured, column);
  if (!observed) return base::fail(observed.message());
  PreparedFit fit{studyFromBoxes(state), {}, std::move(*observed)};
  if (auto reached = reachObservedSequence(fit.study, fit.observed.sequence); !reached)
    return base::fail(reached.message());
  if (applyBoxes) {
    if (auto applied = applyBoxes(fit.study); !applied) return base::fail(applied.message());
    if (auto reached = reachObservedSequence(fit.study, fit.observed.sequence); !reached)
      return base::fail(reached.message());
  }
  auto setup = makeFitSetup(fit.study.params, names, bounds, column);
  if (!setup) return base::fail(setup.message());
  fit.setup = std::move(*setup);
  return fit;
}

}  // namespace sodwright::kolv
