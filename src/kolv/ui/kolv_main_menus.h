#pragma once
// The menu bar of the KOLV main window: captions with their access keys,
// shortcuts and names. The window connects the items to its handlers.

#include <QAction>
#include <QMenu>

class QMenuBar;

namespace sodwright::kolv {

struct KolvMainMenus {
  QMenu* MnuFile = nullptr;
  QAction* MnuImportFileItem = nullptr;
  QMenu* MnuOutputFileItem = nullptr;  // a submenu; its menuAction() carries the enabled state
  QAction* MnuLastSeqSubItem = nullptr;
  QAction* MnuResultSubItem = nullptr;
  QAction* MnuResultCsvSubItem = nullptr;  // the comparison as CSV; enabled with MnuResultSubItem
  QAction* MnuExitItem = nullptr;

  QMenu* MnuData = nullptr;
  QAction* MnuShowDataItem = nullptr;
  QAction* MnuEditItem = nullptr;

  QMenu* MnuRun = nullptr;
  QAction* MnuParameterItem = nullptr;
  QAction* MnuRunModelItem = nullptr;

  QMenu* MnuChart = nullptr;
  QAction* MnuChtElevItem = nullptr;
  QAction* MnuChtSoillossItem = nullptr;
  QAction* MnuChtUpLItem = nullptr;
  QAction* MnuChtWhPritem = nullptr;
  // Checkable, off: scale the charts to the points outside the end zones.
  QAction* MnuChtInteriorItem = nullptr;

  QMenu* MnuHelp = nullptr;
  QAction* MnuHelpItem = nullptr;
  QAction* MnuCopyrightItem = nullptr;

  // Fills the bar; every item starts enabled, as the window definition has it.
  void build(QMenuBar* bar);
};

}  // namespace sodwright::kolv
