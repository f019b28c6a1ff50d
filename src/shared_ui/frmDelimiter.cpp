#include "shared_ui/frmDelimiter.h"

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

frmDelimiter::frmDelimiter(platform::AppContext& context, QWidget* parent)
    : QDialog(parent), context_(context) {
  setObjectName(QStringLiteral("frmDelimiter"));
  setWindowTitle(QStringLiteral("Delimiter"));
  setModal(false);
  buildLayout();

  connect(okButton, &QPushButton::clicked, this, &frmDelimiter::okButton_Click);
  connect(quitButton, &QPushButton::clicked, this, &frmDelimiter::quitButton_Click);
  connect(OptOther, &QRadioButton::clicked, this, &frmDelimiter::OptOther_Click);
  TxtOther->installEventFilter(this);
  // The guide's section on the data file of the model that imports.
  addHelpKey(this, [this] {
    platform::showHelpPage(
        context_.programs, context_.messages,
        helpPageAddress(context_.activeModel == platform::kNibal ? kHelpGridFile
                                                                 : kHelpTransectFile));
  });

  // The window definition presets "Space"; loading the dialog selects "Tab".
  OptSpace->setChecked(true);
  OptTab->setChecked(true);
}

void frmDelimiter::buildLayout() {
  auto* title = new QLabel(QStringLiteral("Set      Delimiter"), this);
  title->setObjectName(QStringLiteral("LblTitle"));
  QFont titleFont = title->font();
  titleFont.setBold(true);
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
  title->setFont(titleFont);
  title->setAlignment(Qt::AlignCenter);

  auto* frame = new QGroupBox(QStringLiteral("Delimiter"), this);
  frame->setObjectName(QStringLiteral("Frame1"));
  OptSpace = makeOption("OptSpace", QStringLiteral("Space"), frame);
  OptTab = makeOption("OptTab", QStringLiteral("Tab"), frame);
  OptComma = makeOption("OptComma", QStringLiteral("Comma"), frame);
  OptSemicolon = makeOption("OptSemicolon", QStringLiteral("Semicolon"), frame);
  OptOther = makeOption("OptOther", QStringLiteral("Other"), frame);
  TxtOther = new QLineEdit(frame);
  TxtOther->setObjectName(QStringLiteral("TxtOther"));
  // The "Other" option stands beside the box and names it.
  TxtOther->setAccessibleName(QStringLiteral("Other delimiter"));
  TxtOther->setMaximumWidth(60);

  auto* grid = new QGridLayout(frame);
  grid->addWidget(OptSpace, 0, 0);
  grid->addWidget(OptTab, 1, 0);
  grid->addWidget(OptComma, 2, 0);
  grid->addWidget(OptSemicolon, 0, 1);
  auto* other = new QHBoxLayout;
  other->setSpacing(4);
  other->addWidget(OptOther);
  other->addWidget(TxtOther);
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

  setTabOrder(OptSpace, OptTab);
  setTabOrder(OptTab, OptComma);
  setTabOrder(OptComma, OptSemicolon);
  setTabOrder(OptSemicolon, OptOther);
  setTabOrder(OptOther, TxtOther);
  setTabOrder(TxtOther, okButton);
  setTabOrder(okButton, quitButton);
}

void frmDelimiter::showForKolvImport(const std::string& fileName) {
  OptTab->setChecked(true);
  presetFor(fileName);
  show();
  raise();
  activateWindow();
  okButton->setFocus();
}

void frmDelimiter::showKeepingChoice(const std::string& fileName) {
  presetFor(fileName);
  show();
  raise();
  activateWindow();
}

void frmDelimiter::presetFor(const std::string& fileName) {
  const std::optional<char> preset = platform::presetDelimiterOf(fileName);
  if (preset == ',') OptComma->setChecked(true);
  if (preset == '\t') OptTab->setChecked(true);
}

void frmDelimiter::okButton_Click() {
  char delimiter = '\0';
  if (OptSpace->isChecked()) {
    delimiter = ' ';
  } else if (OptTab->isChecked()) {
    delimiter = '\t';
  } else if (OptComma->isChecked()) {
    delimiter = ',';
  } else if (OptSemicolon->isChecked()) {
    delimiter = ';';
  } else if (OptOther->isChecked()) {
    // The file is read as 8-bit text, so the delimiter is one Latin-1 character.
    const QString typed = TxtOther->text();
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
    TxtOther->clear();
  } else {
    // No option selected cannot come from the window; nothing to import with.
    return;
  }
  hide();
  emit delimiterChosen(delimiter);
}

void frmDelimiter::quitButton_Click() {
  hide();
  emit quitPressed();
}

void frmDelimiter::OptOther_Click() { TxtOther->setFocus(); }

bool frmDelimiter::eventFilter(QObject* watched, QEvent* event) {
  if (watched == TxtOther && event->type() == QEvent::FocusIn) OptOther->setChecked(true);
  return QDialog::eventFilter(watched, event);
}

}  // namespace sodwright::shared_ui
