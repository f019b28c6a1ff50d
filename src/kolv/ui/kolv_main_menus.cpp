// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/ui/kolv_main_menus.h"

#include <QKeySequence>
#include <QMenuBar>

namespace sodwright::kolv {
namespace {

QMenu* addMenu(QMenuBar* bar, const char* name, const char* caption) {
  QMenu* menu = bar->addMenu(QString::fromLatin1(caption));
  menu->setObjectName(QString::fromLatin1(name));
  menu->menuAction()->setObjectName(QString::fromLatin1(name));
  return menu;
}

QMenu* addSubmenu(QMenu* parent, const char* name, const char* caption) {
  QMenu* menu = parent->addMenu(QString::fromLatin1(caption));
  menu->setObjectName(QString::fromLatin1(name));
  menu->menuAction()->setObjectName(QString::fromLatin1(name));
  return menu;
}

QAction* addItem(QMenu* menu, const char* name, const char* caption,
                 const QKeySequence& shortcut = {}) {
  QAction* action = menu->addAction(QString::fromLatin1(caption));
  action->setObjectName(QString::fromLatin1(name));
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  return action;
}

}  // namespace

void KolvMainMenus::build(QMenuBar* bar) {
  fileMenu = addMenu(bar, "MnuFile", "&File");
  importFileAction =
      addItem(fileMenu, "MnuImportFileItem", "&Import", QKeySequence(Qt::CTRL | Qt::Key_I));
  outputMenu = addSubmenu(fileMenu, "MnuOutputFileItem", "&Output");
  lastSequenceAction = addItem(outputMenu, "MnuLastSeqSubItem", "Last &Sequence",
                               QKeySequence(Qt::CTRL | Qt::Key_S));
  compareResultsAction = addItem(outputMenu, "MnuResultSubItem", "Compare &Results",
                                 QKeySequence(Qt::CTRL | Qt::Key_R));
  compareResultsCsvAction =
      addItem(outputMenu, "MnuResultCsvSubItem", "Compare Results as &CSV", QKeySequence());
  QObject::connect(compareResultsAction, &QAction::changed, compareResultsCsvAction, [this] {
    compareResultsCsvAction->setEnabled(compareResultsAction->isEnabled());
  });
  fileMenu->addSeparator();
  exitAction = addItem(fileMenu, "MnuExitItem", "E&xit", QKeySequence(Qt::CTRL | Qt::Key_X));

  dataMenu = addMenu(bar, "MnuData", "&Data");
  showDataAction = addItem(dataMenu, "MnuShowDataItem", "Show&Data");
  editAction = addItem(dataMenu, "MnuEditItem", "&Edit");

  runMenu = addMenu(bar, "MnuRun", "&Run");
  parameterAction = addItem(runMenu, "MnuParameterItem", "&Parameter");
  runModelAction = addItem(runMenu, "MnuRunModelItem", "Run&Model");
  fitAction = addItem(runMenu, "MnuFitItem", "&Fit to Measurements...");
  // Fitting needs what the parameters need: an imported transect.
  QObject::connect(parameterAction, &QAction::enabledChanged, fitAction, &QAction::setEnabled);
  runMenu->addSeparator();
  uncertaintyAction = addItem(runMenu, "MnuUncertaintyItem", "&Uncertainty...");
  QObject::connect(parameterAction, &QAction::changed, uncertaintyAction,
                   [this] { uncertaintyAction->setEnabled(parameterAction->isEnabled()); });

  chartMenu = addMenu(bar, "MnuChart", "&Chart");
  elevationChartAction = addItem(chartMenu, "MnuChtElevItem", "&Elevation");
  soilLossChartAction = addItem(chartMenu, "MnuChtSoillossItem", "&SoilLoss");
  upLayerChartAction = addItem(chartMenu, "MnuChtUpLItem", "&Upperlayer");
  wholeProfileChartAction = addItem(chartMenu, "MnuChtWhPritem", "&WholeProfile");
  chartMenu->addSeparator();
  interiorScaleAction = addItem(chartMenu, "MnuChtInteriorItem", "Scale to the measured &interior");
  interiorScaleAction->setCheckable(true);

  helpMenu = addMenu(bar, "MnuHelp", "&Help");
  helpFileAction = addItem(helpMenu, "MnuHelpItem", "&HelpFile", QKeySequence(Qt::Key_F1));
  copyrightAction = addItem(helpMenu, "MnuCopyrightItem", "&Copyright");
}

}  // namespace sodwright::kolv
