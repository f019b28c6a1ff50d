// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The model chooser "Chose Model". OK opens the model of the first selected
// option (KOLV, NIBAL, BANDO) through the hub; nothing selected, nothing
// happens. "Introduction" shows the one introduction window; "Quit" asks
// first and then ends the program.

#include <QWidget>

class QPushButton;
class QRadioButton;

namespace sodwright::shared_ui {

class WindowHub;

class ModelChooser : public QWidget {
  Q_OBJECT

 public:
  explicit ModelChooser(WindowHub& hub, QWidget* parent = nullptr);

  QRadioButton* kolvOption = nullptr;
  QRadioButton* nibalOption = nullptr;
  QRadioButton* bandoOption = nullptr;
  QPushButton* okButton = nullptr;
  QPushButton* introductionButton = nullptr;
  QPushButton* quitButton = nullptr;

 public slots:
  void onOkClicked();
  void onIntroductionClicked();
  void onQuitClicked();

 private:
  WindowHub& hub_;
};

}  // namespace sodwright::shared_ui
