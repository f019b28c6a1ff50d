// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The menu bar of the KOLV main window: captions with their access keys,
// shortcuts and names. The window connects the items to its handlers.

#include <QAction>
#include <QMenu>

class QMenuBar;

namespace sodwright::kolv {

struct KolvMainMenus {
  QMenu* fileMenu = nullptr;
  QAction* importFileAction = nullptr;
  QMenu* outputMenu = nullptr;  // a submenu; its menuAction() carries the enabled state
  QAction* lastSequenceAction = nullptr;
  QAction* compareResultsAction = nullptr;
  QAction* compareResultsCsvAction =
      nullptr;  // the comparison as CSV; enabled with compareResultsAction
  QAction* exitAction = nullptr;

  QMenu* dataMenu = nullptr;
  QAction* showDataAction = nullptr;
  QAction* editAction = nullptr;

  QMenu* runMenu = nullptr;
  QAction* parameterAction = nullptr;
  QAction* runModelAction = nullptr;
  QAction* fitAction = nullptr;  // "Fit to Measurements..."; enabled with parameterAction
  // An ensemble of the study (the uncertainty dialog); enabled with parameterAction.
  QAction* uncertaintyAction = nullptr;

  QMenu* chartMenu = nullptr;
  QAction* elevationChartAction = nullptr;
  QAction* soilLossChartAction = nullptr;
  QAction* upLayerChartAction = nullptr;
  QAction* wholeProfileChartAction = nullptr;
  // Checkable, off: scale the charts to the points outside the end zones.
  QAction* interiorScaleAction = nullptr;

  QMenu* helpMenu = nullptr;
  QAction* helpFileAction = nullptr;
  QAction* copyrightAction = nullptr;

  // Fills the bar; every item starts enabled, as the window definition has it.
  void build(QMenuBar* bar);
};

}  // namespace sodwright::kolv
