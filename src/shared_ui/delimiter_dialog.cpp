// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared_ui/delimiter_dialog.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/import_kind.h"
#include "shared_ui/help_page.h"
#include "shared_ui/link_label.h"

namespace sodwright::shared_ui {

namespace {
QRadioButton* makeOption(const char* name, const QString& caption, QWidget* parent) {
  auto* option = new QRadioButton(caption, parent);
  option->setObjectName(QString::fromLatin1(name));
  return option;
}
}  // namespace

DelimiterDialog::DelimiterDialog(platform::AppContext& context, QWidget* parent)
    : QDialog(parent), context_(context) {
  setObjectName(QStringLiteral("frmDelimiter"));
  setWindowTitle(QStringLiteral("Delimiter"));
  setModal(false);
  buildLayout();

  connect(okButton, &QPushButton::clicked, this, &DelimiterDialog::onOkClicked);
  connect(quitButton, &QPushButton::clicked, this, &DelimiterDialog::onQuitClicked);
  connect(otherOption, &QRadioButton::clicked, this, &DelimiterDialog::onOtherClicked);
  otherBox->installEventFilter(this);
  // The guide's section on the data file of the model that imports.
  addHelpKey(this, [this] {
    platform::showHelpPage(
        context_.programs, context_.messages,
        helpPageAddress(context_.activeModel == platform::kNibal ? kHelpGridFile
                                                                 : kHelpTransectFile));
  });

  // The window definition presets "Space"; loading the dialog selects "Tab".
  spaceOption->setChecked(true);
  tabOption->setChecked(true);
}

void DelimiterDialog::buildLayout() {
  auto* title = new QLabel(QStringLiteral("Set      Delimiter"), this);
  title->setObjectName(QStringLiteral("LblTitle"));
  QFont titleFont = title->font();
  titleFont.setBold(true);
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
  title->setFont(titleFont);
  title->setAlignment(Qt::AlignCenter);

  auto* frame = new QGroupBox(QStringLiteral("Delimiter"), this);
  frame->setObjectName(QStringLiteral("Frame1"));
  spaceOption = makeOption("OptSpace", QStringLiteral("Space"), frame);
  tabOption = makeOption("OptTab", QStringLiteral("Tab"), frame);
  commaOption = makeOption("OptComma", QStringLiteral("Comma"), frame);
  semicolonOption = makeOption("OptSemicolon", QStringLiteral("Semicolon"), frame);
  otherOption = makeOption("OptOther", QStringLiteral("Other"), frame);
  otherBox = new QLineEdit(frame);
  otherBox->setObjectName(QStringLiteral("TxtOther"));
  // The "Other" option stands beside the box and names it.
  otherBox->setAccessibleName(QStringLiteral("Other delimiter"));
  otherBox->setMaximumWidth(60);

  auto* grid = new QGridLayout(frame);
  grid->addWidget(spaceOption, 0, 0);
  grid->addWidget(tabOption, 1, 0);
  grid->addWidget(commaOption, 2, 0);
  grid->addWidget(semicolonOption, 0, 1);
  auto* other = new QHBoxLayout;
  other->setSpacing(4);
  other->addWidget(otherOption);
  other->addWidget(otherBox);
  other->addStretch();
  grid->addLayout(other, 1, 1);

  okButton = new QPushButton(QStringLiteral("OK"), this);
  okButton->setObjectName(QStringLiteral("Command1"));
  // Enter presses the focused button; elsewhere in the dialog it presses "OK".
  okButton->setDefault(true);
  okButton->setAutoDefault(true);
  quitButton = new QPushButton(QStringLiteral("Quit"), this);
  quitButton->setObjectName(QStringLiteral("Command2"));
  quitButton->setAutoDefault(true);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(okButton);
  buttons->addWidget(quitButton);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(title);
  layout->addWidget(frame);
  layout->addLayout(buttons);

  setTabOrder(spaceOption, tabOption);
  setTabOrder(tabOption, commaOption);
  setTabOrder(commaOption, semicolonOption);
  setTabOrder(semicolonOption, otherOption);
  setTabOrder(otherOption, otherBox);
  setTabOrder(otherBox, okButton);
  setTabOrder(okButton, quitButton);
}

void DelimiterDialog::showForKolvImport(const std::string& fileName) {
  tabOption->setChecked(true);
  presetFor(fileName);
  show();
  raise();
  activateWindow();
  okButton->setFocus();
}

void DelimiterDialog::showKeepingChoice(const std::string& fileName) {
  presetFor(fileName);
  show();
  raise();
  activateWindow();
}

void DelimiterDialog::presetFor(const std::string& fileName) {
  const std::optional<char> preset = platform::presetDelimiterOf(fileName);
  if (preset == ',') commaOption->setChecked(true);
  if (preset == '\t') tabOption->setChecked(true);
  if (preset == ' ') spaceOption->setChecked(true);
}

void DelimiterDialog::onOkClicked() {
  char delimiter = '\0';
  if (spaceOption->isChecked()) {
    delimiter = ' ';
  } else if (tabOption->isChecked()) {
    delimiter = '\t';
  } else if (commaOption->isChecked()) {
    delimiter = ',';
  } else if (semicolonOption->isChecked()) {
    delimiter = ';';
  } else if (otherOption->isChecked()) {
    // The file is read as 8-bit text, so the delimiter is one Latin-1 character.
    const QString typed = otherBox->text();
    if (typed.isEmpty()) {
      context_.messages.inform("Please input Delimiter used in your data file");
      return;
    }
    if (typed.size() > 1 || typed.at(0).unicode() > 0xFF) {
      context_.messages.inform(
          "Delimiter must be one character. Please input again or revise your data file.");
      return;
    }
    delimiter = static_cast<char>(typed.at(0).toLatin1());
    otherBox->clear();
  } else {
    // No option selected cannot come from the window; nothing to import with.
    return;
  }
  hide();
  emit delimiterChosen(delimiter);
}

void DelimiterDialog::onQuitClicked() {
  hide();
  emit quitPressed();
}

void DelimiterDialog::onOtherClicked() { otherBox->setFocus(); }

bool DelimiterDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == otherBox && event->type() == QEvent::FocusIn) otherOption->setChecked(true);
  return QDialog::eventFilter(watched, event);
}

}  // namespace sodwright::shared_ui
