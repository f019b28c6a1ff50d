// SPDX-License-Identifier: GPL-3.0-or-later
#include "bando/ui/bando_control_states.h"

namespace sodwright::bando {

const MainWindowRow& mainWindowRowFor(MainWindowEvent event) {
  constexpr Switch K = Switch::Keep, on = Switch::On, off = Switch::Off;
  //                                              SlopeBoxes SlopeLists CropLists Run
  //                                              Calculator Window
  static constexpr MainWindowRow kOpened = {off, K, K, K, K, K};
  static constexpr MainWindowRow kSlopeData = {on, off, K, K, K, K};
  static constexpr MainWindowRow kSlopeLists = {off, on, K, K, K, K};
  // The calculator's total is the erosivity: nothing to run until it hands back.
  static constexpr MainWindowRow kCalculator = {K, K, off, off, on, K};
  static constexpr MainWindowRow kCropLists = {K, K, on, K, off, K};
  static constexpr MainWindowRow kHandedBack = {K, K, K, on, K, on};
  static constexpr MainWindowRow kQuit = {K, K, K, K, K, off};
  switch (event) {
    case MainWindowEvent::Opened:
      return kOpened;
    case MainWindowEvent::SlopeDataChosen:
      return kSlopeData;
    case MainWindowEvent::SlopeListsChosen:
      return kSlopeLists;
    case MainWindowEvent::CalculatorChosen:
      return kCalculator;
    case MainWindowEvent::CropListsChosen:
      return kCropLists;
    case MainWindowEvent::CalculatorHandedBack:
      return kHandedBack;
    case MainWindowEvent::Quit:
      break;
  }
  return kQuit;
}

const CalculatorRow& calculatorRowFor(CalculatorEvent event) {
  constexpr Switch K = Switch::Keep, on = Switch::On, off = Switch::Off;
  //                                             LaterRows NextRow Window
  static constexpr CalculatorRow kCleared = {off, K, K};
  static constexpr CalculatorRow kRowPicked = {K, on, K};
  static constexpr CalculatorRow kHandedBack = {K, K, off};
  switch (event) {
    case CalculatorEvent::Cleared:
      return kCleared;
    case CalculatorEvent::RowPicked:
      return kRowPicked;
    case CalculatorEvent::HandedBack:
      break;
  }
  return kHandedBack;
}

}  // namespace sodwright::bando
