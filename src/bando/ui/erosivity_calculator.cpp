// SPDX-License-Identifier: GPL-3.0-or-later
#include "bando/ui/erosivity_calculator.h"

#include <vector>

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "bando/bando_refusals.h"
#include "base/text/refusal_text.h"
#include "shared_ui/help_page.h"
#include "shared_ui/link_label.h"

namespace sodwright::bando {

namespace {

QString fromView(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QLabel* makeLabel(const QString& name, const QString& caption, QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  return label;
}

QPushButton* makeButton(const char* name, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  return button;
}

// A list with a text line the program sets itself (it may show a text that
// is not one of the items); the user only picks.
QComboBox* makeImplementList(int row, QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setObjectName(QStringLiteral("Combo%1").arg(row));
  list->setEditable(true);
  list->setInsertPolicy(QComboBox::NoInsert);
  list->lineEdit()->setReadOnly(true);
  for (std::string_view item : itemsOf(BandoList::Implement)) list->addItem(fromView(item));
  list->setMinimumContentsLength(24);
  return list;
}

}  // namespace

ErosivityCalculator::ErosivityCalculator(BandoState& state, platform::AppContext& context,
                                         QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), context_(context) {
  setObjectName(QStringLiteral("FrmEtImp"));
  setWindowTitle(QStringLiteral("Erosivity Calculation"));
  // The close box destroys the window and does nothing else.
  setAttribute(Qt::WA_DeleteOnClose);
  buildLayout();

  connect(implementList[1], &QComboBox::activated, this,
          &ErosivityCalculator::onFirstImplementActivated);
  for (int k = 2; k <= kRows; ++k)
    connect(implementList[static_cast<std::size_t>(k)], &QComboBox::activated, this,
            [this, k](int position) { onImplementActivated(k, position); });
  connect(okButton, &QPushButton::clicked, this, &ErosivityCalculator::onOkClicked);
  connect(clearButton, &QPushButton::clicked, this, &ErosivityCalculator::onClearClicked);
  connect(cancelButton, &QPushButton::clicked, this, &ErosivityCalculator::onCancelClicked);
  shared_ui::addHelpKey(this, [this] {
    platform::showHelpPage(context_.programs, context_.messages,
                           shared_ui::helpPageAddress(shared_ui::kHelpBando));
  });

  // Start: row 1 shows one pass of the first implement; rows 3 to 10 wait
  // until the row before them has a pass.
  implementList[1]->setCurrentIndex(0);
  passesBox[1]->setText(QStringLiteral("1"));
  for (int k = 2; k <= kRows; ++k) {
    implementList[static_cast<std::size_t>(k)]->setCurrentIndex(-1);
    implementList[static_cast<std::size_t>(k)]->setEditText(QString());
  }
  applyControlStates(CalculatorEvent::Cleared);
}

void ErosivityCalculator::applyControlStates(CalculatorEvent event, int pickedRow) {
  const auto setRow = [this](int k, bool on) {
    implementList[static_cast<std::size_t>(k)]->setEnabled(on);
    passesBox[static_cast<std::size_t>(k)]->setEnabled(on);
  };
  const CalculatorRow& row = calculatorRowFor(event);
  for (int column = 0; column < kCalculatorControls; ++column) {
    const Switch s = row[static_cast<std::size_t>(column)];
    if (s == Switch::Keep) continue;
    const bool on = s == Switch::On;
    if (column == kLaterRows) {
      for (int k = 3; k <= kRows; ++k) setRow(k, on);
    } else if (column == kNextRow) {
      if (pickedRow >= 1 && pickedRow <= kRows - 1) setRow(pickedRow + 1, on);
    } else {
      setEnabled(on);
    }
  }
}

void ErosivityCalculator::buildLayout() {
  titleLabel = makeLabel(QStringLiteral("Label28"),
                         QStringLiteral("Implement  Passes ---- Erosivity"), this);
  QFont titleFont = titleLabel->font();
  titleFont.setBold(true);
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
  titleLabel->setFont(titleFont);
  titleLabel->setAlignment(Qt::AlignCenter);

  // Rows 1, 3, 5, 7, 9 on the left, 2, 4, 6, 8, 10 on the right.
  std::array<QGridLayout*, 2> columns{};
  std::array<QFrame**, 2> shapes = {&leftFrame, &rightFrame};
  for (std::size_t side = 0; side < 2; ++side) {
    auto* shape = new QFrame(this);
    shape->setObjectName(side == 0 ? QStringLiteral("Shape1") : QStringLiteral("Shape2"));
    shape->setFrameShape(QFrame::Box);
    *shapes[side] = shape;
    columns[side] = new QGridLayout(shape);
  }
  leftImplementHeading =
      makeLabel(QStringLiteral("Label1"), QStringLiteral("Implement Type"), leftFrame);
  leftPassesHeading = makeLabel(QStringLiteral("Label2"), QStringLiteral("Passes"), leftFrame);
  rightImplementHeading =
      makeLabel(QStringLiteral("Label13"), QStringLiteral("Implement Type"), rightFrame);
  rightPassesHeading = makeLabel(QStringLiteral("Label14"), QStringLiteral("Passes"), rightFrame);
  columns[0]->addWidget(leftImplementHeading, 0, 1);
  columns[0]->addWidget(leftPassesHeading, 0, 2);
  columns[1]->addWidget(rightImplementHeading, 0, 1);
  columns[1]->addWidget(rightPassesHeading, 0, 2);

  for (int k = 1; k <= kRows; ++k) {
    const auto index = static_cast<std::size_t>(k);
    QFrame* shape = k % 2 == 1 ? leftFrame : rightFrame;
    rowLabel[index] =
        makeLabel(QStringLiteral("Label%1").arg(k + 2), QStringLiteral("#%1").arg(k), shape);
    implementList[index] = makeImplementList(k, shape);
    passesBox[index] = new QLineEdit(shape);
    passesBox[index]->setObjectName(QStringLiteral("Text%1").arg(k));
    passesBox[index]->setMaximumWidth(60);
    // "#k" names the row's list; the passes box is named in full.
    rowLabel[index]->setBuddy(implementList[index]);
    passesBox[index]->setAccessibleName(QStringLiteral("Passes #%1").arg(k));
    QGridLayout* grid = columns[k % 2 == 1 ? 0 : 1];
    const int line = (k + 1) / 2;
    grid->addWidget(rowLabel[index], line, 0);
    grid->addWidget(implementList[index], line, 1);
    grid->addWidget(passesBox[index], line, 2);
  }

  okButton = makeButton("Command1", QStringLiteral("OK"), this);
  clearButton = makeButton("Command3", QStringLiteral("Clear"), this);
  cancelButton = makeButton("Command2", QStringLiteral("Cancel"), this);

  auto* rows = new QHBoxLayout;
  rows->addWidget(leftFrame);
  rows->addWidget(rightFrame);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(okButton);
  buttons->addWidget(clearButton);
  buttons->addWidget(cancelButton);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(titleLabel);
  layout->addLayout(rows);
  layout->addLayout(buttons);

  // Left to right, then downward: row k's list, then its passes, then row k + 1.
  QWidget* previous = nullptr;
  for (int k = 1; k <= kRows; ++k) {
    const auto index = static_cast<std::size_t>(k);
    if (previous) setTabOrder(previous, implementList[index]);
    setTabOrder(implementList[index], passesBox[index]);
    previous = passesBox[index];
  }
  setTabOrder(previous, okButton);
  setTabOrder(okButton, clearButton);
  setTabOrder(clearButton, cancelButton);
}

void ErosivityCalculator::onFirstImplementActivated(int position) {
  if (position >= 0) rowImplement_[1] = static_cast<Int16>(position);
}

void ErosivityCalculator::onImplementActivated(int row, int position) {
  const auto k = static_cast<std::size_t>(row);
  if (pickAllowed(passesBox[k - 1]->text().toStdString())) {
    applyControlStates(CalculatorEvent::RowPicked, row);
    if (position >= 0) rowImplement_[k] = static_cast<Int16>(position);
    return;
  }
  // Refused: the row falls back to the first implement and shows the
  // refusal text, which is deliberately not one of the items.
  rowImplement_[k] = 0;
  implementList[k]->setCurrentIndex(-1);
  implementList[k]->setEditText(fromView(kRefusedPickText));
  passesBox[k]->clear();
  passesBox[k - 1]->setFocus();
}

void ErosivityCalculator::onOkClicked() {
  std::vector<ImplementRow> rows;
  for (int k = 1; k <= kRows; ++k) {
    const auto index = static_cast<std::size_t>(k);
    rows.push_back({rowImplement_[index], passesBox[index]->text().toStdString()});
  }
  const ImplementSum sum = applyCalculatorOk(state_, rows);
  for (std::size_t i = 0; i < sum.messages.size(); ++i) {
    const std::size_t row = sum.refusedRows[i];
    context_.messages.informWithDetail(
        sum.messages[i], base::boxRefusalDetail(rows[row - 1].passesText,
                                                passesRefusal(row, rows[row - 1].passesText)));
  }
  emit totalChosen(QString::fromStdString(sum.totalText));
  applyControlStates(CalculatorEvent::HandedBack);
  hide();
}

void ErosivityCalculator::onClearClicked() {
  // Row 1 keeps its implement and passes, and the index of the implement it
  // shows, so what it shows is what OK counts.
  for (std::size_t k = 2; k < rowImplement_.size(); ++k) rowImplement_[k] = 0;
  for (int k = 2; k <= kRows; ++k) {
    const auto index = static_cast<std::size_t>(k);
    implementList[index]->setCurrentIndex(-1);
    implementList[index]->setEditText(QString());
    passesBox[index]->clear();
  }
  applyControlStates(CalculatorEvent::Cleared);
}

void ErosivityCalculator::onCancelClicked() {
  onClearClicked();
  applyControlStates(CalculatorEvent::HandedBack);
  hide();
  emit cancelled();
}

}  // namespace sodwright::bando
