// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A label that acts as a link, as the red "Help!" labels and the reference
// links of the model windows do: a mouse click, or Enter or Space while it
// has the keyboard focus, runs its callback. It takes a plain callback
// rather than a signal, so it needs no meta-object code.

#include <functional>

#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMouseEvent>
#include <QShortcut>

namespace sodwright::shared_ui {

class LinkLabel : public QLabel {
 public:
  explicit LinkLabel(const QString& text, QWidget* parent = nullptr) : QLabel(text, parent) {
    // Reachable with Tab like a button, and it shows when it has the focus.
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleDescription(QStringLiteral("Link: press Enter or Space to open"));
  }

  std::function<void()> onClick;

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
        onClick)
      onClick();
  }
  void keyPressEvent(QKeyEvent* event) override {
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) && onClick) {
      onClick();
      return;
    }
    QLabel::keyPressEvent(event);
  }
  void focusInEvent(QFocusEvent* event) override {
    QLabel::focusInEvent(event);
    setFrameShape(QFrame::Box);
  }
  void focusOutEvent(QFocusEvent* event) override {
    QLabel::focusOutEvent(event);
    setFrameShape(QFrame::NoFrame);
  }
};

// F1 anywhere in `window` opens its help.
inline void addHelpKey(QWidget* window, std::function<void()> openHelp) {
  auto* key = new QShortcut(QKeySequence(Qt::Key_F1), window);
  key->setObjectName(QStringLiteral("HelpKey"));
  key->setContext(Qt::WindowShortcut);
  QObject::connect(key, &QShortcut::activated, window, std::move(openHelp));
}

}  // namespace sodwright::shared_ui
