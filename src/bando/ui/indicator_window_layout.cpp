// The controls of the indicator window and where they stand. The window is
// laid out on fixed positions, as the connector lines join controls of the
// two halves to the result boxes.

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "bando/ui/indicator_window.h"
#include "shared_ui/link_label.h"

namespace sodwright::bando {

namespace {

constexpr int kWidth = 780;
constexpr int kHeight = 560;

template <class Control>
Control* place(Control* control, const QString& name, int x, int y, int w, int h) {
  control->setObjectName(name);
  control->setGeometry(x, y, w, h);
  return control;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, int x, int y, int w,
              int h = 22) {
  return place(new QLabel(text, parent), QString::fromLatin1(name), x, y, w, h);
}

QLineEdit* box(QWidget* parent, const char* name, int x, int y, int w = 80) {
  return place(new QLineEdit(parent), QString::fromLatin1(name), x, y, w, 24);
}

QComboBox* list(QWidget* parent, const char* name, int x, int y, int w) {
  return place(new QComboBox(parent), QString::fromLatin1(name), x, y, w, 24);
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, int x, int y, int w,
                    int h = 28) {
  auto* control = place(new QPushButton(caption, parent), QString::fromLatin1(name), x, y, w, h);
  control->setAutoDefault(false);
  return control;
}

// A straight line from (x1, y1) to (x2, y2), horizontal or vertical.
QFrame* line(QWidget* parent, int number, int x1, int y1, int x2, int y2) {
  auto* frame = new QFrame(parent);
  const bool horizontal = y1 == y2;
  frame->setFrameShape(horizontal ? QFrame::HLine : QFrame::VLine);
  frame->setFrameShadow(QFrame::Plain);
  frame->setLineWidth(1);
  const int x = std::min(x1, x2);
  const int y = std::min(y1, y2);
  return place(frame, QStringLiteral("Line%1").arg(number), horizontal ? x : x - 1,
               horizontal ? y - 1 : y, horizontal ? std::abs(x2 - x1) + 1 : 3,
               horizontal ? 3 : std::abs(y2 - y1) + 1);
}

QFrame* shape(QWidget* parent, int number, int x, int y, int w, int h) {
  auto* frame = new QFrame(parent);
  frame->setFrameShape(QFrame::Box);
  frame->setFrameShadow(QFrame::Plain);
  return place(frame, QStringLiteral("Shape%1").arg(number), x, y, w, h);
}

shared_ui::LinkLabel* link(QWidget* parent, const char* name, const QString& text,
                           const QString& colour, int x, int y, int w) {
  auto* control =
      place(new shared_ui::LinkLabel(text, parent), QString::fromLatin1(name), x, y, w, 22);
  control->setStyleSheet(QStringLiteral("color: %1; text-decoration: underline;").arg(colour));
  control->setCursor(Qt::PointingHandCursor);
  return control;
}

void headingFont(QLabel* heading, double scale) {
  QFont font(QStringLiteral("Arial"));
  font.setBold(true);
  font.setPointSizeF(heading->font().pointSizeF() * scale);
  heading->setFont(font);
}

}  // namespace

void IndicatorWindow::buildLayout() {
  setFixedSize(kWidth, kHeight);

  // Frames first, so that every control stands above them.
  frames[1] = shape(this, 1, 10, 50, 375, 345);
  frames[2] = shape(this, 2, 395, 50, 375, 345);
  frames[3] = shape(this, 3, 10, 405, 760, 145);

  titleLabel = label(this, "Label28", QStringLiteral("BANDO"), 10, 6, kWidth - 20, 36);
  headingFont(titleLabel, 1.8);
  titleLabel->setAlignment(Qt::AlignCenter);
  connectors[18] = line(this, 18, 10, 45, kWidth - 10, 45);
  connectors[11] = line(this, 11, 390, 50, 390, 395);
  connectors[16] = line(this, 16, 10, 400, kWidth - 10, 400);

  // Erodibility half.
  erodibilityHeading =
      label(this, "Label29", QStringLiteral("Erodibility --- EI"), 20, 58, 340, 24);
  headingFont(erodibilityHeading, 1.2);
  slopeClassLabel = label(this, "Label1", QStringLiteral("Slope Class"), 20, 92, 100);
  slopeClassList = list(this, "CboSlpCl", 125, 90, 140);
  surfaceFormLink = link(this, "Label2", QStringLiteral("Surface Form"),
                         QStringLiteral("rgb(0, 0, 255)"), 20, 124, 100);
  surfaceFormList = list(this, "CboSurfForm", 125, 122, 140);

  slopeGradientLabel =
      label(this, "Label13", QStringLiteral("Maximum Slope Gradient"), 20, 178, 175);
  maxSlopeGradientBox = box(this, "TxtMSG", 200, 176);
  slopeGradientUnit = label(this, "Label16", QStringLiteral("%"), 285, 178, 40);
  slopeLengthLabel = label(this, "Label14", QStringLiteral("Convex Slope Length"), 20, 210, 175);
  convexSlopeLengthBox = box(this, "TxtCSL", 200, 208);
  slopeLengthUnit = label(this, "Label17", QStringLiteral("m"), 285, 210, 40);
  convexAreaLabel = label(this, "Label12", QStringLiteral("Convex Area"), 20, 242, 175);
  convexAreaBox = box(this, "TxtCA", 200, 240);
  convexAreaUnit = label(this, "Label18", QStringLiteral("%"), 285, 242, 40);

  eiLabel = label(this, "Label15", QStringLiteral("II"), 20, 296, 175);
  erodibilityBox = box(this, "TxtEI", 200, 294);
  eiUnit = label(this, "Label23", QStringLiteral("% m / ha"), 285, 296, 90);

  slopeDataCheck = place(new QCheckBox(QStringLiteral("Using Slope data"), this),
                         QStringLiteral("ChkEIB"), 20, 345, 170, 24);
  erodibilityGoButton = button(this, "CmdEIB", QStringLiteral("GO"), 200, 343, 80);

  // Descriptor connectors: from the two slope lists down to the slope-data boxes.
  connectors[1] = line(this, 1, 265, 102, 350, 102);
  connectors[2] = line(this, 2, 265, 134, 350, 134);
  connectors[3] = line(this, 3, 350, 102, 350, 134);
  connectors[17] = line(this, 17, 350, 134, 350, 160);
  connectors[4] = line(this, 4, 240, 160, 350, 160);
  connectors[5] = line(this, 5, 240, 160, 240, 176);
  connectors[6] = line(this, 6, 350, 160, 350, 252);
  connectors[19] = line(this, 19, 310, 252, 350, 252);
  // Slope-data connectors: from the three boxes down to erodibilityBox.
  connectors[7] = line(this, 7, 240, 200, 240, 208);
  connectors[8] = line(this, 8, 240, 232, 240, 240);
  connectors[9] = line(this, 9, 240, 264, 240, 294);
  connectors[10] = line(this, 10, 200, 279, 280, 279);

  // Erosivity half.
  erosivityHeading = label(this, "Label30", QStringLiteral("Erosivity --- Et"), 405, 58, 340, 24);
  headingFont(erosivityHeading, 1.2);
  cropTypeLabel = label(this, "Label3", QStringLiteral("Crop Type"), 405, 92, 95);
  cropTypeList = list(this, "CboCropType", 500, 90, 215);
  regionLabel = label(this, "Label4", QStringLiteral("AgriRegion"), 405, 124, 95);
  regionList = list(this, "CboAgrRegion", 500, 122, 215);
  tillageSystemLabel = label(this, "Label5", QStringLiteral("Till System"), 405, 156, 95);
  tillageSystemList = list(this, "CboTillSys", 500, 154, 215);

  etLabel = label(this, "Label10", QStringLiteral("II"), 405, 296, 95);
  erosivityBox = box(this, "TxtEt", 540, 294);
  etUnit = label(this, "Label24", QStringLiteral("kg / m / %"), 625, 296, 100);

  tillageDataCheck = place(new QCheckBox(QStringLiteral("Using  tillage data"), this),
                           QStringLiteral("ChkEtB"), 405, 345, 180, 24);
  erosivityGoButton = button(this, "CmdEtB", QStringLiteral("GO"), 600, 343, 80);

  erosivityNoteLabel = label(
      this, "LblEtNote",
      QStringLiteral("Sorry! we don't have this erosivity data in our database, please try another "
                     "crop type."),
      405, 225, 330, 60);
  erosivityNoteLabel->setWordWrap(true);
  erosivityNoteLabel->setStyleSheet(QStringLiteral("color: rgb(192, 0, 0);"));

  // Crop connectors: from the three crop lists down to erosivityBox.
  connectors[12] = line(this, 12, 715, 102, 745, 102);
  connectors[13] = line(this, 13, 715, 134, 745, 134);
  connectors[14] = line(this, 14, 715, 166, 745, 166);
  connectors[15] = line(this, 15, 745, 102, 745, 306);

  // Formula row, class and commands.
  formulaAt = label(this, "Label7", QStringLiteral("At"), 30, 422, 30);
  formulaEquals = label(this, "Label19", QStringLiteral("="), 62, 422, 20);
  formulaEi = label(this, "Label21", QStringLiteral("EI"), 86, 422, 25);
  formulaTimes = label(this, "Label11", QStringLiteral("X"), 114, 422, 20);
  formulaEt = label(this, "Label22", QStringLiteral("Et"), 138, 422, 25);
  formulaDivide = label(this, "Label25", QStringLiteral("/"), 166, 422, 15);
  formulaThousand = label(this, "Label26", QStringLiteral("1000"), 184, 422, 40);
  formulaResultEquals = label(this, "Label20", QStringLiteral("="), 228, 422, 20);
  rateBox = place(new QLineEdit(this), QStringLiteral("lblAt"), 252, 420, 90, 26);
  rateBox->setReadOnly(true);
  rateBox->setAlignment(Qt::AlignCenter);
  atUnit = label(this, "Label6", QStringLiteral("t / ha / yr"), 350, 422, 90);
  for (QLabel* part : {formulaAt, formulaEquals, formulaEi, formulaTimes, formulaEt, formulaDivide,
                       formulaThousand, formulaResultEquals, atUnit})
    part->setAlignment(Qt::AlignCenter);

  classLabel = label(this, "Label27", QStringLiteral("BANDO Class:"), 30, 466, 110);
  classBox = box(this, "TxtBANDOClass", 145, 464, 130);

  runButton = button(this, "CmdRunBANDO", QStringLiteral("Run BANDO"), 560, 418, 120, 32);
  quitButton = button(this, "Command1", QStringLiteral("Quit"), 560, 460, 120, 32);
  helpLink =
      link(this, "Label8", QStringLiteral("Help!"), QStringLiteral("rgb(255, 0, 0)"), 700, 424, 60);
  indicatorSeriesLink =
      link(this, "Label9", QStringLiteral("Agri-Environmental Indicator Series: Tillage Erosion"),
           QStringLiteral("rgb(0, 0, 255)"), 30, 515, 420);
  helpLink->setAccessibleName(QStringLiteral("Help on BANDO"));

  // Labels name their boxes and lists for the keyboard and assistive tools;
  // the result boxes, whose labels read "II", are named in full as well.
  slopeClassLabel->setBuddy(slopeClassList);
  surfaceFormLink->setBuddy(surfaceFormList);
  slopeGradientLabel->setBuddy(maxSlopeGradientBox);
  slopeLengthLabel->setBuddy(convexSlopeLengthBox);
  convexAreaLabel->setBuddy(convexAreaBox);
  eiLabel->setBuddy(erodibilityBox);
  cropTypeLabel->setBuddy(cropTypeList);
  regionLabel->setBuddy(regionList);
  tillageSystemLabel->setBuddy(tillageSystemList);
  etLabel->setBuddy(erosivityBox);
  classLabel->setBuddy(classBox);
  erodibilityBox->setAccessibleName(QStringLiteral("Erodibility EI"));
  erosivityBox->setAccessibleName(QStringLiteral("Erosivity Et"));
  rateBox->setAccessibleName(QStringLiteral("Rate At"));
  erodibilityGoButton->setAccessibleName(QStringLiteral("GO, erodibility"));
  erosivityGoButton->setAccessibleName(QStringLiteral("GO, erosivity"));

  fillLists();
  setTabOrders();
}

void IndicatorWindow::fillLists() {
  const std::array<std::pair<QComboBox*, BandoList>, 5> lists = {
      {{slopeClassList, BandoList::SlopeClass},
       {surfaceFormList, BandoList::SurfaceForm},
       {cropTypeList, BandoList::CropType},
       {regionList, BandoList::Region},
       {tillageSystemList, BandoList::TillageSystem}}};
  for (const auto& [box, kind] : lists) {
    for (std::string_view item : itemsOf(kind))
      box->addItem(QString::fromLatin1(item.data(), static_cast<qsizetype>(item.size())));
    box->setCurrentIndex(0);
  }
}

void IndicatorWindow::setTabOrders() {
  const QList<QWidget*> order = {slopeClassList,
                                 surfaceFormLink,
                                 surfaceFormList,
                                 maxSlopeGradientBox,
                                 convexSlopeLengthBox,
                                 convexAreaBox,
                                 erodibilityBox,
                                 slopeDataCheck,
                                 erodibilityGoButton,
                                 cropTypeList,
                                 regionList,
                                 tillageSystemList,
                                 erosivityBox,
                                 tillageDataCheck,
                                 erosivityGoButton,
                                 rateBox,
                                 classBox,
                                 runButton,
                                 quitButton,
                                 helpLink,
                                 indicatorSeriesLink};
  for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

}  // namespace sodwright::bando
