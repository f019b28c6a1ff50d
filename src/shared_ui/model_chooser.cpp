// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared_ui/model_chooser.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "shared_ui/help_page.h"
#include "shared_ui/link_label.h"
#include "shared_ui/window_hub.h"

namespace sodwright::shared_ui {

namespace {
QPushButton* makeButton(const char* name, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  return button;
}
}  // namespace

ModelChooser::ModelChooser(WindowHub& hub, QWidget* parent)
    : QWidget(parent, Qt::Window), hub_(hub) {
  setObjectName(QStringLiteral("FrmChoseModel"));
  setWindowTitle(QStringLiteral("Chose Model"));
  setAttribute(Qt::WA_DeleteOnClose);
  addHelpKey(this, [this] {
    platform::showHelpPage(hub_.context().programs, hub_.context().messages, helpPageAddress());
  });

  auto* frame = new QGroupBox(QStringLiteral("Model Options"), this);
  frame->setObjectName(QStringLiteral("Frame1"));
  kolvOption = new QRadioButton(QStringLiteral("KOLV"), frame);
  kolvOption->setObjectName(QStringLiteral("OptKOLV"));
  nibalOption = new QRadioButton(QStringLiteral("NIBAL"), frame);
  nibalOption->setObjectName(QStringLiteral("OptNIBAL"));
  bandoOption = new QRadioButton(QStringLiteral("BANDO (Canada)"), frame);
  bandoOption->setObjectName(QStringLiteral("OptBANDO"));

  // On screen BANDO stands at the top and KOLV at the bottom; the tab order
  // runs the other way, KOLV first.
  auto* options = new QVBoxLayout(frame);
  options->addWidget(bandoOption);
  options->addWidget(nibalOption);
  options->addWidget(kolvOption);

  okButton = makeButton("CmdOK", QStringLiteral("OK"), this);
  introductionButton = makeButton("CmdIntro", QStringLiteral("Introduction"), this);
  quitButton = makeButton("cmdQuit", QStringLiteral("Quit"), this);

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(okButton);
  buttons->addWidget(introductionButton);
  buttons->addWidget(quitButton);
  buttons->addStretch();

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 16);
  layout->setSpacing(16);
  layout->addWidget(frame, 1);
  layout->addLayout(buttons);

  setTabOrder(kolvOption, nibalOption);
  setTabOrder(nibalOption, bandoOption);
  setTabOrder(bandoOption, okButton);
  setTabOrder(okButton, introductionButton);
  setTabOrder(introductionButton, quitButton);
  setFocusProxy(kolvOption);
  kolvOption->setFocus();

  connect(okButton, &QPushButton::clicked, this, &ModelChooser::onOkClicked);
  connect(introductionButton, &QPushButton::clicked, this, &ModelChooser::onIntroductionClicked);
  connect(quitButton, &QPushButton::clicked, this, &ModelChooser::onQuitClicked);
}

void ModelChooser::onOkClicked() {
  if (kolvOption->isChecked()) {
    hub_.openModel(platform::kKolv);
  } else if (nibalOption->isChecked()) {
    hub_.openModel(platform::kNibal);
  } else if (bandoOption->isChecked()) {
    hub_.openModel(platform::kBando);
  }
}

void ModelChooser::onIntroductionClicked() { hub_.showIntroduction(); }

void ModelChooser::onQuitClicked() {
  if (hub_.context().messages.confirm("Do you really want to Quit the Program", "Quit?"))
    hub_.quitProgram();
}

}  // namespace sodwright::shared_ui
