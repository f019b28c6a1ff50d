// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
// The delimiter dialog "Delimiter" shared by the two text imports. OK hides
// the dialog and hands the chosen character over through delimiterChosen();
// the import that opened it (see import_file_request.h) then reads the file.
// Quit hides the dialog and emits quitPressed(). The dialog is modeless and
// only ever hidden, so it keeps its previous choice between openings.

#include <QDialog>

#include "platform/app_context.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace sodwright::shared_ui {

class DelimiterDialog : public QDialog {
  Q_OBJECT

 public:
  explicit DelimiterDialog(platform::AppContext& context, QWidget* parent = nullptr);

  // What the KOLV import does each time it opens the dialog: select "Tab",
  // show it and put the focus on "OK".
  // A .csv file opens it on "Comma" and a .tsv file on "Tab" instead.
  void showForKolvImport(const std::string& fileName = {});
  // Shows the dialog modeless with its previous choice (the grid import).
  // The grid window's: the previous choice stays, except that a .csv file
  // selects "Comma", a .tsv file "Tab" and a .xyz file "Space".
  void showKeepingChoice(const std::string& fileName = {});

  QRadioButton* spaceOption = nullptr;
  QRadioButton* tabOption = nullptr;
  QRadioButton* commaOption = nullptr;
  QRadioButton* semicolonOption = nullptr;
  QRadioButton* otherOption = nullptr;
  QLineEdit* otherBox = nullptr;
  QPushButton* okButton = nullptr;    // "OK"
  QPushButton* quitButton = nullptr;  // "Quit"

 signals:
  // OK passed its checks; the dialog is hidden.
  void delimiterChosen(char delimiter);
  // Quit was pressed; the dialog is hidden and nothing is imported.
  void quitPressed();

 public slots:
  void onOkClicked();
  void onQuitClicked();
  void onOtherClicked();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildLayout();
  void presetFor(const std::string& fileName);
  platform::AppContext& context_;
};

}  // namespace sodwright::shared_ui
