// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared_ui/introduction_window.h"

#include <QLabel>
#include <QVBoxLayout>

namespace sodwright::shared_ui {

namespace {
struct ModelText {
  const char* nameObject;
  const char* name;
  const char* descriptionObject;
  const char* description;
};

// Top to bottom, as the chooser shows the options.
constexpr ModelText kModels[] = {
    {"LblBANDO", "BANDO (Canada)----BANDO", "LblBANDODescription",
     "An Agri-environmental indicator developed in Canada used to indicate the risk level of "
     "tillage erosion"},
    {"LblNIBAL", "NIBAL ----NIBAL", "LblNIBALDescription",
     "Using grid elevation data (DEM) to calculate the on site tillage erosion rate at every grid "
     "point. "},
    {"LblKOLV", "KOLV----KOLV", "LblKOLVDescription",
     "Using an exponential model to simulate tillage induced soil translocation, thereby to "
     "estimate tillage erosion as well as the redistribution of those materials moving along "
     "with soil, such as organic carbon, nutrients, and pesticides, Cs-137 etc. "},
};
}  // namespace

IntroductionWindow::IntroductionWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("FrmIntro"));
  setWindowTitle(QStringLiteral("Introduction"));
  setAttribute(Qt::WA_DeleteOnClose);

  // Top to bottom: the heading, then per model its name and its description.
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 16);
  layout->setSpacing(6);

  auto* heading = new QLabel(QStringLiteral("Model Type"), this);
  heading->setObjectName(QStringLiteral("LblHeading"));
  QFont headingFont = heading->font();
  headingFont.setBold(true);
  headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
  heading->setFont(headingFont);
  layout->addWidget(heading);

  for (const ModelText& model : kModels) {
    auto* name = new QLabel(QString::fromLatin1(model.name), this);
    name->setObjectName(QString::fromLatin1(model.nameObject));
    QFont nameFont = name->font();
    nameFont.setBold(true);
    name->setFont(nameFont);
    auto* description = new QLabel(QString::fromLatin1(model.description), this);
    description->setObjectName(QString::fromLatin1(model.descriptionObject));
    description->setWordWrap(true);
    description->setContentsMargins(18, 0, 0, 0);
    layout->addSpacing(8);
    layout->addWidget(name);
    layout->addWidget(description);
  }
  layout->addStretch();
  resize(520, 290);
}

}  // namespace sodwright::shared_ui
