#include "shared_ui/FrmChoseModel.h"

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

FrmChoseModel::FrmChoseModel(WindowHub& hub, QWidget* parent)
    : QWidget(parent, Qt::Window), hub_(hub) {
  setObjectName(QStringLiteral("FrmChoseModel"));
  setWindowTitle(QStringLiteral("Chose Model"));
  setAttribute(Qt::WA_DeleteOnClose);
  addHelpKey(this, [this] {
    platform::showHelpPage(hub_.context().programs, hub_.context().messages, helpPageAddress());
  });

  auto* frame = new QGroupBox(QStringLiteral("Model Options"), this);
  frame->setObjectName(QStringLiteral("Frame1"));
  OptKOLV = new QRadioButton(QStringLiteral("KOLV"), frame);
  OptKOLV->setObjectName(QStringLiteral("OptKOLV"));
  OptNIBAL = new QRadioButton(QStringLiteral("NIBAL"), frame);
  OptNIBAL->setObjectName(QStringLiteral("OptNIBAL"));
  OptBANDO = new QRadioButton(QStringLiteral("BANDO (Canada)"), frame);
  OptBANDO->setObjectName(QStringLiteral("OptBANDO"));

  // On screen BANDO stands at the top and KOLV at the bottom; the tab order
  // runs the other way, KOLV first.
  auto* options = new QVBoxLayout(frame);
  options->addWidget(OptBANDO);
  options->addWidget(OptNIBAL);
  options->addWidget(OptKOLV);

  CmdOK = makeButton("CmdOK", QStringLiteral("OK"), this);
  CmdIntro = makeButton("CmdIntro", QStringLiteral("Introduction"), this);
  cmdQuit = makeButton("cmdQuit", QStringLiteral("Quit"), this);

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(CmdOK);
  buttons->addWidget(CmdIntro);
  buttons->addWidget(cmdQuit);
  buttons->addStretch();

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 16);
  layout->setSpacing(16);
  layout->addWidget(frame, 1);
  layout->addLayout(buttons);

  setTabOrder(OptKOLV, OptNIBAL);
  setTabOrder(OptNIBAL, OptBANDO);
  setTabOrder(OptBANDO, CmdOK);
  setTabOrder(CmdOK, CmdIntro);
  setTabOrder(CmdIntro, cmdQuit);
  setFocusProxy(OptKOLV);
  OptKOLV->setFocus();

  connect(CmdOK, &QPushButton::clicked, this, &FrmChoseModel::CmdOK_Click);
  connect(CmdIntro, &QPushButton::clicked, this, &FrmChoseModel::CmdIntro_Click);
  connect(cmdQuit, &QPushButton::clicked, this, &FrmChoseModel::cmdQuit_Click);
}

void FrmChoseModel::CmdOK_Click() {
  if (OptKOLV->isChecked()) {
    hub_.openModel(platform::kKolv);
  } else if (OptNIBAL->isChecked()) {
    hub_.openModel(platform::kNibal);
  } else if (OptBANDO->isChecked()) {
    hub_.openModel(platform::kBando);
  }
}

void FrmChoseModel::CmdIntro_Click() { hub_.showIntroduction(); }

void FrmChoseModel::cmdQuit_Click() {
  if (hub_.context().messages.confirm("Do you really want to Quit the Program", "Quit?"))
    hub_.quitProgram();
}

}  // namespace sodwright::shared_ui
