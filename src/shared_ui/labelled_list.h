#pragma once
// A drop-down list that assistive tools name by its label (its
// accessibleName) and whose value is the item it shows. Qt's own interface
// for a list names it by its current text on this platform, so a reader
// announced "Hummocky" where the user needed "Surface Form".

#include <QComboBox>

namespace sodwright::shared_ui {

class LabelledList : public QComboBox {
  Q_OBJECT

 public:
  explicit LabelledList(QWidget* parent = nullptr);
};

}  // namespace sodwright::shared_ui
