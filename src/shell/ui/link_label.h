#pragma once
// A label that acts on a mouse click, as the red "Help!" labels and the
// reference links of the model windows do. It takes a plain callback rather
// than a signal, so it needs no meta-object code.

#include <QLabel>
#include <QMouseEvent>
#include <functional>

namespace sodwright::shell {

class LinkLabel : public QLabel {
 public:
  using QLabel::QLabel;

  std::function<void()> onClick;

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && onClick)
      onClick();
  }
};

}  // namespace sodwright::shell
