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

class FrmChoseModel : public QWidget {
  Q_OBJECT

 public:
  explicit FrmChoseModel(WindowHub& hub, QWidget* parent = nullptr);

  QRadioButton* OptKOLV = nullptr;
  QRadioButton* OptNIBAL = nullptr;
  QRadioButton* OptBANDO = nullptr;
  QPushButton* CmdOK = nullptr;
  QPushButton* CmdIntro = nullptr;
  QPushButton* cmdQuit = nullptr;

 public slots:
  void CmdOK_Click();
  void CmdIntro_Click();
  void cmdQuit_Click();

 private:
  WindowHub& hub_;
};

}  // namespace sodwright::shared_ui
