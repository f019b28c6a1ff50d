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
  MnuFile = addMenu(bar, "MnuFile", "&File");
  MnuImportFileItem =
      addItem(MnuFile, "MnuImportFileItem", "&Import", QKeySequence(Qt::CTRL | Qt::Key_I));
  MnuOutputFileItem = addSubmenu(MnuFile, "MnuOutputFileItem", "&Output");
  MnuLastSeqSubItem = addItem(MnuOutputFileItem, "MnuLastSeqSubItem", "Last &Sequence",
                              QKeySequence(Qt::CTRL | Qt::Key_S));
  MnuResultSubItem = addItem(MnuOutputFileItem, "MnuResultSubItem", "Compare &Results",
                             QKeySequence(Qt::CTRL | Qt::Key_R));
  MnuResultCsvSubItem =
      addItem(MnuOutputFileItem, "MnuResultCsvSubItem", "Compare Results as &CSV", QKeySequence());
  QObject::connect(MnuResultSubItem, &QAction::changed, MnuResultCsvSubItem,
                   [this] { MnuResultCsvSubItem->setEnabled(MnuResultSubItem->isEnabled()); });
  MnuFile->addSeparator();
  MnuExitItem = addItem(MnuFile, "MnuExitItem", "E&xit", QKeySequence(Qt::CTRL | Qt::Key_X));

  MnuData = addMenu(bar, "MnuData", "&Data");
  MnuShowDataItem = addItem(MnuData, "MnuShowDataItem", "Show&Data");
  MnuEditItem = addItem(MnuData, "MnuEditItem", "&Edit");

  MnuRun = addMenu(bar, "MnuRun", "&Run");
  MnuParameterItem = addItem(MnuRun, "MnuParameterItem", "&Parameter");
  MnuRunModelItem = addItem(MnuRun, "MnuRunModelItem", "Run&Model");

  MnuChart = addMenu(bar, "MnuChart", "&Chart");
  MnuChtElevItem = addItem(MnuChart, "MnuChtElevItem", "&Elevation");
  MnuChtSoillossItem = addItem(MnuChart, "MnuChtSoillossItem", "&SoilLoss");
  MnuChtUpLItem = addItem(MnuChart, "MnuChtUpLItem", "&Upperlayer");
  MnuChtWhPritem = addItem(MnuChart, "MnuChtWhPritem", "&WholeProfile");
  MnuChart->addSeparator();
  MnuChtInteriorItem = addItem(MnuChart, "MnuChtInteriorItem", "Scale to the measured &interior");
  MnuChtInteriorItem->setCheckable(true);

  MnuHelp = addMenu(bar, "MnuHelp", "&Help");
  MnuHelpItem = addItem(MnuHelp, "MnuHelpItem", "&HelpFile", QKeySequence(Qt::Key_F1));
  MnuCopyrightItem = addItem(MnuHelp, "MnuCopyrightItem", "&Copyright");
}

}  // namespace sodwright::kolv
