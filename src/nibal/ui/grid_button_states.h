// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What each event of the two NIBAL windows does to their buttons, as one
// table per window: each window applies a row in one place.

#include <array>

namespace sodwright::nibal {

enum class Switch : char {
  Keep,  // not touched
  On,
  Off,
  OnWithResults,  // on when the grid holds what the button needs
};

// The grid window.
enum class GridWindowEvent {
  Opened,            // nothing to import before a box is typed in, nothing to run or show
  BoxChanged,        // a grid box changed: the grid must be imported again
  ImportStarted,     // "Import Data" pressed
  ImportRefused,     // a box, the file or the read refused the import, or the delimiter's Quit
  Imported,          // the grid came in; the import discarded the results
  ParametersOpened,  // "Run NIBAL": the parameter window shows
  ResultsReady,      // a run in the parameter window computed results
};

// Columns, in this order, of every grid window row.
enum GridWindowButton { kImport, kRunModel, kShowData, kGridShowMap, kGridButtons };

using GridWindowRow = std::array<Switch, kGridButtons>;

const GridWindowRow& gridWindowRowFor(GridWindowEvent event);

// The parameter window.
enum class ParameterWindowEvent {
  Opened,
  RunStopped,   // every coefficient missing, or the run failed
  RunComputed,  // results computed, whether or not a report was written
};

// Columns, in this order, of every parameter window row.
enum ParameterWindowButton { kSaveCsv, kParameterShowMap, kParameterButtons };

using ParameterWindowRow = std::array<Switch, kParameterButtons>;

const ParameterWindowRow& parameterWindowRowFor(ParameterWindowEvent event);

}  // namespace sodwright::nibal
