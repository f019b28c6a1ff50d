// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The erosivity calculator "Erosivity Calculation": ten rows of implement and
// passes, read left to right and then downward. OK sums passes x implement
// erosivity into ImplEt and hands the total back to the indicator window;
// Cancel hands back without a new total.

#include <array>

#include <QWidget>

#include "bando/bando_state.h"
#include "bando/implement_sum.h"
#include "bando/ui/bando_control_states.h"
#include "platform/app_context.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace sodwright::bando {

class ErosivityCalculator : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kRows = static_cast<int>(kCalculatorRows);

  ErosivityCalculator(BandoState& state, platform::AppContext& context, QWidget* parent = nullptr);

  QLabel* titleLabel = nullptr;             // title
  QLabel* leftImplementHeading = nullptr;   // "Implement Type", left column
  QLabel* leftPassesHeading = nullptr;      // "Passes", left column
  QLabel* rightImplementHeading = nullptr;  // "Implement Type", right column
  QLabel* rightPassesHeading = nullptr;     // "Passes", right column
  // Row k (1..10) at index k; index 0 is unused. The row labels "#1".."#10"
  // are Label3..Label12.
  std::array<QLabel*, kRows + 1> rowLabel{};
  std::array<QComboBox*, kRows + 1> implementList{};
  std::array<QLineEdit*, kRows + 1> passesBox{};
  QPushButton* okButton = nullptr;      // "OK"
  QPushButton* clearButton = nullptr;   // "Clear"
  QPushButton* cancelButton = nullptr;  // "Cancel"
  QFrame* leftFrame = nullptr;
  QFrame* rightFrame = nullptr;

  // The implement each row counts with at OK (rowImplement_); 0 is
  // "Mouldboard Plough", also for a row never picked.
  Int16 rowImplement(int row) const { return rowImplement_[static_cast<std::size_t>(row)]; }

 signals:
  // OK: ImplEt holds the new total, whose text is `totalText`.
  void totalChosen(const QString& totalText);
  // Cancel: no new total.
  void cancelled();

 public slots:
  void onFirstImplementActivated(int position);
  // A pick in row k = 2..10: the row unlock rule.
  void onImplementActivated(int row, int position);
  void onOkClicked();
  void onClearClicked();
  void onCancelClicked();

 private:
  void buildLayout();
  // Every enabled state this window sets, from one table; `pickedRow` is the
  // row a pick was made in.
  void applyControlStates(CalculatorEvent event, int pickedRow = 0);

  BandoState& state_;
  platform::AppContext& context_;
  // Indexes 1..10 are the rows; the rest take no part.
  std::array<Int16, 21> rowImplement_{};
};

}  // namespace sodwright::bando
