// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What each event of the KOLV main window does to its menu items and to
// Redraw, as one table: the window applies a row in one place.

#include <array>

namespace sodwright::kolv {

enum class KolvEvent {
  Opened,              // by the chooser: every visit starts with an import
  TextFileChosen,      // a text file chosen for import; the delimiter dialog is next
  Imported,            // a transect came in
  ParametersAccepted,  // "OK" in the parameter window
  Ran,                 // "Run KOLV" or "Run&Model" ran and compared
  Redrawn,             // Redraw compared the shown pair again
  RunFailed,           // a run or comparison gave values that are not finite
  BoxChanged,          // a sequence or depth box changed
};

enum class Switch : char {
  Keep,  // not touched
  On,
  Off,
  OnWhenRun,  // on once a run has filled sequences to compare
};

// Columns, in this order, of every row.
enum KolvItem {
  kOutput,
  kParameter,
  kRunModel,
  kShowData,
  kEdit,
  kChart,
  kCompare,
  kLastSeq,
  kRunMenu,
  kRedraw,
  kItems
};

using KolvMenuRow = std::array<Switch, kItems>;

const KolvMenuRow& menuRowFor(KolvEvent event);

}  // namespace sodwright::kolv
