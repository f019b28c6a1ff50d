// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/ui/grid_button_states.h"

namespace sodwright::nibal {

const GridWindowRow& gridWindowRowFor(GridWindowEvent event) {
  constexpr Switch K = Switch::Keep, on = Switch::On, off = Switch::Off,
                   results = Switch::OnWithResults;
  //                                         Import RunModel ShowData ShowMap
  static constexpr GridWindowRow kOpened = {off, off, off, results};
  static constexpr GridWindowRow kBoxChanged = {on, off, off, K};
  static constexpr GridWindowRow kImportStarted = {K, on, off, K};
  static constexpr GridWindowRow kImportRefused = {K, off, K, K};
  static constexpr GridWindowRow kImported = {K, K, on, off};
  // One parameter window per grid: no new import while it may run.
  static constexpr GridWindowRow kParametersOpened = {off, K, K, K};
  static constexpr GridWindowRow kResultsReady = {K, K, K, on};
  switch (event) {
    case GridWindowEvent::Opened:
      return kOpened;
    case GridWindowEvent::BoxChanged:
      return kBoxChanged;
    case GridWindowEvent::ImportStarted:
      return kImportStarted;
    case GridWindowEvent::ImportRefused:
      return kImportRefused;
    case GridWindowEvent::Imported:
      return kImported;
    case GridWindowEvent::ParametersOpened:
      return kParametersOpened;
    case GridWindowEvent::ResultsReady:
      break;
  }
  return kResultsReady;
}

const ParameterWindowRow& parameterWindowRowFor(ParameterWindowEvent event) {
  constexpr Switch K = Switch::Keep, on = Switch::On, off = Switch::Off,
                   results = Switch::OnWithResults;
  //                                              SaveCsv ShowMap
  static constexpr ParameterWindowRow kOpened = {results, results};
  static constexpr ParameterWindowRow kRunStopped = {off, K};
  static constexpr ParameterWindowRow kRunComputed = {results, on};
  switch (event) {
    case ParameterWindowEvent::Opened:
      return kOpened;
    case ParameterWindowEvent::RunStopped:
      return kRunStopped;
    case ParameterWindowEvent::RunComputed:
      break;
  }
  return kRunComputed;
}

}  // namespace sodwright::nibal
