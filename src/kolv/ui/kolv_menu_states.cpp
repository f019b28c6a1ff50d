// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/ui/kolv_menu_states.h"

namespace sodwright::kolv {

const KolvMenuRow& menuRowFor(KolvEvent event) {
  constexpr Switch K = Switch::Keep, on = Switch::On, off = Switch::Off, run = Switch::OnWhenRun;
  //                                       Output Param RunMod Show Edit Chart Compare LastSeq Run
  //                                       Redraw
  static constexpr KolvMenuRow kOpened = {off, off, off, off, off, off, K, K, K, off};
  static constexpr KolvMenuRow kTextFile = {K, K, K, K, K, K, K, K, on, K};
  static constexpr KolvMenuRow kImported = {K, on, K, on, on, K, K, K, on, K};
  static constexpr KolvMenuRow kAccepted = {K, K, on, K, K, K, K, K, K, K};
  static constexpr KolvMenuRow kRan = {on, K, K, on, K, on, on, on, K, off};
  static constexpr KolvMenuRow kRedrawn = {K, K, K, on, K, K, on, K, K, off};
  // Nothing left that a failed run could write or draw.
  static constexpr KolvMenuRow kFailed = {off, K, K, K, K, off, off, off, K, off};
  static constexpr KolvMenuRow kBoxChanged = {K, K, K, off, K, K, off, K, K, run};
  switch (event) {
    case KolvEvent::Opened:
      return kOpened;
    case KolvEvent::TextFileChosen:
      return kTextFile;
    case KolvEvent::Imported:
      return kImported;
    case KolvEvent::ParametersAccepted:
      return kAccepted;
    case KolvEvent::Ran:
      return kRan;
    case KolvEvent::Redrawn:
      return kRedrawn;
    case KolvEvent::RunFailed:
      return kFailed;
    case KolvEvent::BoxChanged:
      break;
  }
  return kBoxChanged;
}

}  // namespace sodwright::kolv
