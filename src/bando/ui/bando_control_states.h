// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What each event of the BANDO windows does to the enabled state of their
// controls, as one table per window: each window applies a row in one place.
// (Which controls show is a matter of the control groups, not of this table.)

#include <array>

namespace sodwright::bando {

enum class Switch : char {
  Keep,  // not touched
  On,
  Off,
};

// The indicator window.
enum class MainWindowEvent {
  Opened,                // both halves in their table modes
  SlopeDataChosen,       // the erodibility GO with slope data ticked
  SlopeListsChosen,      // the erodibility GO with the lists
  CalculatorChosen,      // the erosivity GO with the calculator ticked
  CropListsChosen,       // the erosivity GO with the lists
  CalculatorHandedBack,  // the calculator's OK or Cancel
  Quit,                  // "Quit": the window hides until the next visit
};

// Columns, in this order, of every indicator window row.
enum MainWindowControl {
  kSlopeBoxes,  // the three slope-data boxes
  kSlopeLists,  // slope class and surface form
  kCropLists,   // crop type, region and tillage system
  kRunBando,
  kCalculator,  // the calculator window
  kMainWindow,  // the indicator window itself
  kMainControls
};

using MainWindowRow = std::array<Switch, kMainControls>;

const MainWindowRow& mainWindowRowFor(MainWindowEvent event);

// The erosivity calculator.
enum class CalculatorEvent {
  Cleared,     // opened, or "Clear": rows 3 to 10 wait for the row before them
  RowPicked,   // a pick allowed in a row: the next row opens
  HandedBack,  // OK or Cancel
};

// Columns, in this order, of every calculator row.
enum CalculatorControl {
  kLaterRows,  // the lists and passes boxes of rows 3 to 10
  kNextRow,    // the list and passes box of the row after the one picked in
  kCalculatorWindow,
  kCalculatorControls
};

using CalculatorRow = std::array<Switch, kCalculatorControls>;

const CalculatorRow& calculatorRowFor(CalculatorEvent event);

}  // namespace sodwright::bando
