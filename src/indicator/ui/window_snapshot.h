#pragma once
// What a window shows, control by control: texts, ticks, list positions,
// and which controls are hidden or disabled. The indicator window keeps one
// when "Quit" hides it, so that the window the chooser opens next shows
// exactly what the user left.

#include <QMap>
#include <QString>

class QWidget;

namespace sodwright::bando {

struct ControlSnapshot {
  bool hidden = false;
  bool disabled = false;
  QString text;        // box, label, or a list's text line
  QString styleSheet;  // labels: the colour of a visited link
  bool checked = false;
  int position = -1;   // lists: the selected item
};

// Every named control under `root`, by objectName.
using WindowSnapshot = QMap<QString, ControlSnapshot>;

WindowSnapshot takeSnapshot(const QWidget& root);
// Puts the snapshot back without running any handler of the controls.
void restoreSnapshot(QWidget& root, const WindowSnapshot& snapshot);

}  // namespace sodwright::bando
