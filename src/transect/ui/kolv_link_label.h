#pragma once
// A label that acts on a mouse click, as the "Help!" label of the parameter
// window does.

#include <QLabel>
#include <QMouseEvent>
#include <functional>

namespace sodwright::kolv::ui {

class KolvLinkLabel : public QLabel {
 public:
  using QLabel::QLabel;

  std::function<void()> onClick;

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && onClick) onClick();
  }
};

}  // namespace sodwright::kolv::ui
