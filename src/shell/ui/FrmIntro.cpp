#include "shell/ui/FrmIntro.h"

#include <QGridLayout>
#include <QLabel>

namespace sodwright::shell {

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

FrmIntro::FrmIntro(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("FrmIntro"));
  setWindowTitle(QStringLiteral("Introduction"));
  setAttribute(Qt::WA_DeleteOnClose);

  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(16, 16, 16, 16);
  layout->setHorizontalSpacing(16);
  layout->setVerticalSpacing(12);

  auto* heading = new QLabel(QStringLiteral("Model Type"), this);
  heading->setObjectName(QStringLiteral("LblHeading"));
  QFont headingFont = heading->font();
  headingFont.setBold(true);
  headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
  heading->setFont(headingFont);
  layout->addWidget(heading, 0, 0, 1, 2);

  int row = 1;
  for (const ModelText& model : kModels) {
    auto* name = new QLabel(QString::fromLatin1(model.name), this);
    name->setObjectName(QString::fromLatin1(model.nameObject));
    QFont nameFont = name->font();
    nameFont.setBold(true);
    name->setFont(nameFont);
    auto* description = new QLabel(QString::fromLatin1(model.description), this);
    description->setObjectName(QString::fromLatin1(model.descriptionObject));
    description->setWordWrap(true);
    layout->addWidget(name, row, 0, Qt::AlignTop);
    layout->addWidget(description, row, 1);
    ++row;
  }
  layout->setColumnStretch(1, 1);
  resize(560, 300);
}

}  // namespace sodwright::shell
