#include "indicator/ui/window_snapshot.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QWidget>

namespace sodwright::bando {

namespace {

// Named controls only; a list's own line edit and popup have no name.
QList<QWidget*> namedControls(const QWidget& root) {
  QList<QWidget*> controls;
  for (QWidget* child : root.findChildren<QWidget*>())
    if (!child->objectName().isEmpty() && !child->isWindow()) controls.append(child);
  return controls;
}

}  // namespace

WindowSnapshot takeSnapshot(const QWidget& root) {
  WindowSnapshot snapshot;
  for (QWidget* control : namedControls(root)) {
    ControlSnapshot state;
    state.hidden = control->isHidden();
    state.disabled = control->testAttribute(Qt::WA_Disabled);
    state.styleSheet = control->styleSheet();
    if (auto* box = qobject_cast<QLineEdit*>(control)) {
      state.text = box->text();
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
      state.text = label->text();
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
      state.checked = button->isChecked();
    } else if (auto* list = qobject_cast<QComboBox*>(control)) {
      state.position = list->currentIndex();
      state.text = list->currentText();
    }
    snapshot.insert(control->objectName(), state);
  }
  return snapshot;
}

void restoreSnapshot(QWidget& root, const WindowSnapshot& snapshot) {
  for (QWidget* control : namedControls(root)) {
    const auto found = snapshot.constFind(control->objectName());
    if (found == snapshot.constEnd()) continue;
    const ControlSnapshot& state = *found;
    const QSignalBlocker quiet(control);
    control->setStyleSheet(state.styleSheet);
    if (auto* box = qobject_cast<QLineEdit*>(control)) {
      box->setText(state.text);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
      label->setText(state.text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
      button->setChecked(state.checked);
    } else if (auto* list = qobject_cast<QComboBox*>(control)) {
      list->setCurrentIndex(state.position);
      if (list->isEditable()) list->setEditText(state.text);
    }
    control->setEnabled(!state.disabled);
    control->setHidden(state.hidden);
  }
}

}  // namespace sodwright::bando
