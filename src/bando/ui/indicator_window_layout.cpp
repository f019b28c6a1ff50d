// SPDX-License-Identifier: GPL-3.0-or-later
// The controls of the indicator window, laid out in three frames: the
// erodibility half, the erosivity half and the result strip. The connector
// lines join controls, so they are drawn between the laid-out controls and
// follow them when the font or the screen's scale changes their size.

#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>
#include <utility>
#include <vector>

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "bando/ui/indicator_window.h"
#include "shared_ui/link_label.h"

namespace sodwright::bando {

namespace {

// A framed half whose connector lines are drawn between its laid-out
// controls: each line is placed again whenever the layout moves them.
class ConnectorFrame : public QFrame {
 public:
  using Ends = std::function<QLine()>;

  ConnectorFrame(QWidget* parent, int number) : QFrame(parent) {
    setObjectName(QStringLiteral("Shape%1").arg(number));
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
  }

  // `line` runs between the two points `ends` gives, horizontal or vertical.
  void join(QFrame* line, Ends ends) {
    line->setParent(this);
    line->lower();
    joins_.emplace_back(line, std::move(ends));
  }

 protected:
  bool event(QEvent* event) override {
    const bool handled = QFrame::event(event);
    if (event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest ||
        event->type() == QEvent::Show)
      placeLines();
    return handled;
  }

 private:
  void placeLines() {
    for (const auto& [line, ends] : joins_) {
      const QLine l = ends();
      const bool horizontal = l.y1() == l.y2();
      line->setFrameShape(horizontal ? QFrame::HLine : QFrame::VLine);
      const int x = std::min(l.x1(), l.x2());
      const int y = std::min(l.y1(), l.y2());
      line->setGeometry(horizontal ? QRect(x, y - 1, std::abs(l.dx()) + 1, 3)
                                   : QRect(x - 1, y, 3, std::abs(l.dy()) + 1));
    }
  }

  std::vector<std::pair<QFrame*, Ends>> joins_;
};

template <class Control>
Control* named(Control* control, const char* name) {
  control->setObjectName(QString::fromLatin1(name));
  // A hidden control keeps its room, so showing a group never moves the others.
  QSizePolicy policy = control->sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  control->setSizePolicy(policy);
  return control;
}

QLabel* label(QWidget* parent, const char* name, const QString& text) {
  return named(new QLabel(text, parent), name);
}

// Result and slope-data boxes hold a number of a few digits.
QLineEdit* box(QWidget* parent, const char* name, int digits = 10) {
  auto* control = named(new QLineEdit(parent), name);
  control->setFixedWidth(control->fontMetrics().horizontalAdvance(QLatin1Char('0')) * digits + 12);
  return control;
}

QComboBox* list(QWidget* parent, const char* name) { return named(new QComboBox(parent), name); }

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
  auto* control = named(new QPushButton(caption, parent), name);
  control->setAutoDefault(false);
  control->setMinimumWidth(control->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 12);
  return control;
}

// A connector line; where it stands is set by the frame that joins it.
QFrame* line(int number) {
  auto* frame = new QFrame;
  frame->setObjectName(QStringLiteral("Line%1").arg(number));
  frame->setFrameShadow(QFrame::Plain);
  frame->setLineWidth(1);
  return frame;
}

// A separator that the window's layout places.
QFrame* separator(int number, QFrame::Shape shape) {
  QFrame* frame = line(number);
  frame->setFrameShape(shape);
  return frame;
}

shared_ui::LinkLabel* link(QWidget* parent, const char* name, const QString& text,
                           const QString& colour) {
  auto* control = named(new shared_ui::LinkLabel(text, parent), name);
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

// The rows both halves share, so that their lists, result boxes and GO
// buttons stand level with each other.
enum HalfRow {
  kHeadingRow,
  kFirstListRow,
  kSecondListRow,
  kThirdListRow,  // erodibility: where the lists' connector turns to the boxes
  kGradientRow,
  kLengthRow,
  kAreaRow,
  kBarRow,  // erodibility: the bar over the line down to EI
  kResultRow,
  kGapRow,
  kGoRow,
  kHalfRows
};
// Columns: label, box, unit, and the room for the connector trunk.
enum HalfColumn { kLabelColumn, kBoxColumn, kUnitColumn, kTrunkColumn };

QGridLayout* halfGrid(QFrame* half, int rowHeight, int trunkWidth) {
  auto* grid = new QGridLayout(half);
  // The room between rows is part of each row's height: a row with only a
  // connector in it then takes as much room as a row of controls on the other side.
  grid->setVerticalSpacing(0);
  for (int row = kFirstListRow; row <= kResultRow; ++row) grid->setRowMinimumHeight(row, rowHeight);
  grid->setRowMinimumHeight(kGapRow, rowHeight / 2);
  grid->setRowStretch(kGapRow, 1);
  grid->setColumnMinimumWidth(kTrunkColumn, trunkWidth);
  grid->setColumnStretch(kLabelColumn, 1);
  return grid;
}

int centreY(const QWidget* w) { return w->geometry().center().y(); }
int centreX(const QWidget* w) { return w->geometry().center().x(); }

}  // namespace

void IndicatorWindow::buildLayout() {
  auto* erodibility = new ConnectorFrame(this, 1);
  auto* erosivity = new ConnectorFrame(this, 2);
  auto* results = new QFrame(this);
  results->setObjectName(QStringLiteral("Shape3"));
  results->setFrameShape(QFrame::Box);
  results->setFrameShadow(QFrame::Plain);
  frames[1] = erodibility;
  frames[2] = erosivity;
  frames[3] = results;

  titleLabel = label(this, "Label28", QStringLiteral("BANDO"));
  headingFont(titleLabel, 1.8);
  titleLabel->setAlignment(Qt::AlignCenter);
  connectors[18] = separator(18, QFrame::HLine);
  connectors[11] = separator(11, QFrame::VLine);
  connectors[16] = separator(16, QFrame::HLine);

  // Erodibility half.
  erodibilityHeading = label(erodibility, "Label29", QStringLiteral("Erodibility --- EI"));
  headingFont(erodibilityHeading, 1.2);
  slopeClassLabel = label(erodibility, "Label1", QStringLiteral("Slope Class"));
  slopeClassList = list(erodibility, "CboSlpCl");
  surfaceFormLink =
      link(erodibility, "Label2", QStringLiteral("Surface Form"), QStringLiteral("rgb(0, 0, 255)"));
  surfaceFormList = list(erodibility, "CboSurfForm");

  slopeGradientLabel = label(erodibility, "Label13", QStringLiteral("Maximum Slope Gradient"));
  maxSlopeGradientBox = box(erodibility, "TxtMSG");
  slopeGradientUnit = label(erodibility, "Label16", QStringLiteral("%"));
  slopeLengthLabel = label(erodibility, "Label14", QStringLiteral("Convex Slope Length"));
  convexSlopeLengthBox = box(erodibility, "TxtCSL");
  slopeLengthUnit = label(erodibility, "Label17", QStringLiteral("m"));
  convexAreaLabel = label(erodibility, "Label12", QStringLiteral("Convex Area"));
  convexAreaBox = box(erodibility, "TxtCA");
  convexAreaUnit = label(erodibility, "Label18", QStringLiteral("%"));

  eiLabel = label(erodibility, "Label15", QStringLiteral("II"));
  erodibilityBox = box(erodibility, "TxtEI");
  eiUnit = label(erodibility, "Label23", QStringLiteral("% m / ha"));

  slopeDataCheck = named(new QCheckBox(QStringLiteral("Using Slope data"), erodibility), "ChkEIB");
  erodibilityGoButton = button(erodibility, "CmdEIB", QStringLiteral("GO"));

  // Erosivity half.
  erosivityHeading = label(erosivity, "Label30", QStringLiteral("Erosivity --- Et"));
  headingFont(erosivityHeading, 1.2);
  cropTypeLabel = label(erosivity, "Label3", QStringLiteral("Crop Type"));
  cropTypeList = list(erosivity, "CboCropType");
  regionLabel = label(erosivity, "Label4", QStringLiteral("AgriRegion"));
  regionList = list(erosivity, "CboAgrRegion");
  tillageSystemLabel = label(erosivity, "Label5", QStringLiteral("Till System"));
  tillageSystemList = list(erosivity, "CboTillSys");

  etLabel = label(erosivity, "Label10", QStringLiteral("II"));
  erosivityBox = box(erosivity, "TxtEt");
  etUnit = label(erosivity, "Label24", QStringLiteral("kg / m / %"));

  tillageDataCheck =
      named(new QCheckBox(QStringLiteral("Using  tillage data"), erosivity), "ChkEtB");
  erosivityGoButton = button(erosivity, "CmdEtB", QStringLiteral("GO"));

  erosivityNoteLabel = label(
      erosivity, "LblEtNote",
      QStringLiteral("Sorry! we don't have this erosivity data in our database, please try another "
                     "crop type."));
  erosivityNoteLabel->setWordWrap(true);
  erosivityNoteLabel->setStyleSheet(QStringLiteral("color: rgb(192, 0, 0);"));

  // Both halves on the same rows; a row is as tall as a list.
  const int rowHeight = slopeClassList->sizeHint().height() + 8;
  const int trunkWidth = fontMetrics().horizontalAdvance(QLatin1Char('0')) * 5;
  QGridLayout* left = halfGrid(erodibility, rowHeight, trunkWidth);
  left->addWidget(erodibilityHeading, kHeadingRow, kLabelColumn, 1, 4);
  left->addWidget(slopeClassLabel, kFirstListRow, kLabelColumn);
  left->addWidget(slopeClassList, kFirstListRow, kBoxColumn, 1, 2);
  left->addWidget(surfaceFormLink, kSecondListRow, kLabelColumn);
  left->addWidget(surfaceFormList, kSecondListRow, kBoxColumn, 1, 2);
  const std::array<std::array<QWidget*, 3>, 4> slopeRows = {
      {{slopeGradientLabel, maxSlopeGradientBox, slopeGradientUnit},
       {slopeLengthLabel, convexSlopeLengthBox, slopeLengthUnit},
       {convexAreaLabel, convexAreaBox, convexAreaUnit},
       {eiLabel, erodibilityBox, eiUnit}}};
  const std::array<int, 4> slopeRowNumbers = {kGradientRow, kLengthRow, kAreaRow, kResultRow};
  for (std::size_t i = 0; i < slopeRows.size(); ++i) {
    left->addWidget(slopeRows[i][0], slopeRowNumbers[i], kLabelColumn);
    left->addWidget(slopeRows[i][1], slopeRowNumbers[i], kBoxColumn);
    left->addWidget(slopeRows[i][2], slopeRowNumbers[i], kUnitColumn);
  }
  left->addWidget(slopeDataCheck, kGoRow, kLabelColumn);
  left->addWidget(erodibilityGoButton, kGoRow, kBoxColumn);

  QGridLayout* right = halfGrid(erosivity, rowHeight, trunkWidth);
  right->addWidget(erosivityHeading, kHeadingRow, kLabelColumn, 1, 4);
  const std::array<std::pair<QLabel*, QComboBox*>, 3> cropRows = {
      {{cropTypeLabel, cropTypeList},
       {regionLabel, regionList},
       {tillageSystemLabel, tillageSystemList}}};
  for (std::size_t i = 0; i < cropRows.size(); ++i) {
    right->addWidget(cropRows[i].first, kFirstListRow + static_cast<int>(i), kLabelColumn);
    right->addWidget(cropRows[i].second, kFirstListRow + static_cast<int>(i), kBoxColumn, 1, 2);
  }
  right->addWidget(erosivityNoteLabel, kGradientRow, kLabelColumn, kResultRow - kGradientRow, 3);
  right->addWidget(etLabel, kResultRow, kLabelColumn);
  right->addWidget(erosivityBox, kResultRow, kBoxColumn);
  right->addWidget(etUnit, kResultRow, kUnitColumn);
  right->addWidget(tillageDataCheck, kGoRow, kLabelColumn);
  right->addWidget(erosivityGoButton, kGoRow, kBoxColumn);

  // Descriptor connectors: from the two slope lists along the trunk and down
  // into the slope-data boxes; the convex area joins the trunk from the right.
  const auto trunkX = [left] { return left->cellRect(kFirstListRow, kTrunkColumn).center().x(); };
  const auto boxX = [this] { return centreX(maxSlopeGradientBox); };
  // Where the trunk turns to the boxes: halfway between the lists and the boxes.
  const auto turnY = [this] {
    return (surfaceFormList->geometry().bottom() + maxSlopeGradientBox->geometry().top()) / 2;
  };
  const auto fromList = [trunkX](const QWidget* w) {
    return QLine(w->geometry().right() + 1, centreY(w), trunkX(), centreY(w));
  };
  const auto join = [this](ConnectorFrame* half, int number, ConnectorFrame::Ends ends) {
    QFrame* made = line(number);
    connectors[static_cast<std::size_t>(number)] = made;
    half->join(made, std::move(ends));
  };
  join(erodibility, 1, [=, this] { return fromList(slopeClassList); });
  join(erodibility, 2, [=, this] { return fromList(surfaceFormList); });
  join(erodibility, 3, [=, this] {
    return QLine(trunkX(), centreY(slopeClassList), trunkX(), centreY(surfaceFormList));
  });
  join(erodibility, 17,
       [=, this] { return QLine(trunkX(), centreY(surfaceFormList), trunkX(), turnY()); });
  join(erodibility, 4, [=] { return QLine(boxX(), turnY(), trunkX(), turnY()); });
  join(erodibility, 5,
       [=, this] { return QLine(boxX(), turnY(), boxX(), maxSlopeGradientBox->geometry().top()); });
  join(erodibility, 6,
       [=, this] { return QLine(trunkX(), turnY(), trunkX(), centreY(convexAreaBox)); });
  join(erodibility, 19, [=, this] {
    const QRect unit = convexAreaUnit->geometry();
    const int textEnd = unit.left() + convexAreaUnit->sizeHint().width() + 4;
    return QLine(textEnd, centreY(convexAreaBox), trunkX(), centreY(convexAreaBox));
  });
  // Slope-data connectors: from box to box down to EI, with the bar over EI.
  const auto between = [boxX](const QWidget* upper, const QWidget* lower) {
    return QLine(boxX(), upper->geometry().bottom() + 1, boxX(), lower->geometry().top());
  };
  join(erodibility, 7, [=, this] { return between(maxSlopeGradientBox, convexSlopeLengthBox); });
  join(erodibility, 8, [=, this] { return between(convexSlopeLengthBox, convexAreaBox); });
  join(erodibility, 9, [=, this] { return between(convexAreaBox, erodibilityBox); });
  join(erodibility, 10, [this] {
    const QRect upper = convexAreaBox->geometry();
    const int y = (upper.bottom() + erodibilityBox->geometry().top()) / 2;
    return QLine(upper.left(), y, upper.right(), y);
  });

  // Crop connectors: from the three crop lists along the trunk down to Et's row.
  const auto cropTrunkX = [right] {
    return right->cellRect(kFirstListRow, kTrunkColumn).center().x();
  };
  const auto fromCropList = [cropTrunkX](const QWidget* w) {
    return QLine(w->geometry().right() + 1, centreY(w), cropTrunkX(), centreY(w));
  };
  join(erosivity, 12, [=, this] { return fromCropList(cropTypeList); });
  join(erosivity, 13, [=, this] { return fromCropList(regionList); });
  join(erosivity, 14, [=, this] { return fromCropList(tillageSystemList); });
  join(erosivity, 15, [=, this] {
    return QLine(cropTrunkX(), centreY(cropTypeList), cropTrunkX(), centreY(erosivityBox));
  });

  // Formula row, class and commands.
  formulaAt = label(results, "Label7", QStringLiteral("At"));
  formulaEquals = label(results, "Label19", QStringLiteral("="));
  formulaEi = label(results, "Label21", QStringLiteral("EI"));
  formulaTimes = label(results, "Label11", QStringLiteral("X"));
  formulaEt = label(results, "Label22", QStringLiteral("Et"));
  formulaDivide = label(results, "Label25", QStringLiteral("/"));
  formulaThousand = label(results, "Label26", QStringLiteral("1000"));
  formulaResultEquals = label(results, "Label20", QStringLiteral("="));
  rateBox = box(results, "lblAt", 11);
  rateBox->setReadOnly(true);
  rateBox->setAlignment(Qt::AlignCenter);
  atUnit = label(results, "Label6", QStringLiteral("t / ha / yr"));
  for (QLabel* part : {formulaAt, formulaEquals, formulaEi, formulaTimes, formulaEt, formulaDivide,
                       formulaThousand, formulaResultEquals, atUnit})
    part->setAlignment(Qt::AlignCenter);

  classLabel = label(results, "Label27", QStringLiteral("BANDO Class:"));
  classBox = box(results, "TxtBANDOClass", 16);

  runButton = button(results, "CmdRunBANDO", QStringLiteral("Run BANDO"));
  quitButton = button(results, "Command1", QStringLiteral("Quit"));
  for (QPushButton* command : {runButton, quitButton})
    command->setMinimumWidth(command->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 16);
  helpLink = link(results, "Label8", QStringLiteral("Help!"), QStringLiteral("rgb(255, 0, 0)"));
  indicatorSeriesLink = link(results, "Label9",
                             QStringLiteral("Agri-Environmental Indicator Series: Tillage Erosion"),
                             QStringLiteral("rgb(0, 0, 255)"));
  helpLink->setAccessibleName(QStringLiteral("Help on BANDO"));

  auto* formula = new QHBoxLayout;
  formula->setSpacing(fontMetrics().horizontalAdvance(QLatin1Char('0')));
  for (QWidget* part : std::initializer_list<QWidget*>{
           formulaAt, formulaEquals, formulaEi, formulaTimes, formulaEt, formulaDivide,
           formulaThousand, formulaResultEquals, rateBox, atUnit})
    formula->addWidget(part);
  formula->addStretch();
  auto* classRow = new QHBoxLayout;
  classRow->setSpacing(fontMetrics().horizontalAdvance(QLatin1Char('0')));
  classRow->addWidget(classLabel);
  classRow->addWidget(classBox);
  classRow->addStretch();
  auto* bottom = new QGridLayout(results);
  bottom->setContentsMargins(18, 10, 18, 10);
  bottom->setVerticalSpacing(12);
  bottom->setHorizontalSpacing(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 2);
  bottom->addLayout(formula, 0, 0);
  bottom->addLayout(classRow, 1, 0);
  bottom->addWidget(indicatorSeriesLink, 2, 0, 1, 3, Qt::AlignLeft);
  bottom->addWidget(runButton, 0, 1);
  bottom->addWidget(quitButton, 1, 1);
  bottom->addWidget(helpLink, 0, 2);
  bottom->setColumnStretch(0, 1);
  bottom->setColumnMinimumWidth(2, fontMetrics().horizontalAdvance(QLatin1Char('0')) * 8);

  auto* halves = new QHBoxLayout;
  halves->setSpacing(4);
  halves->addWidget(erodibility, 1);
  halves->addWidget(connectors[11]);
  halves->addWidget(erosivity, 1);
  auto* window = new QVBoxLayout(this);
  window->setContentsMargins(10, 6, 10, 10);
  window->setSpacing(4);
  window->addWidget(titleLabel);
  window->addWidget(connectors[18]);
  window->addLayout(halves, 1);
  window->addWidget(connectors[16]);
  window->addWidget(results);
  // The window is as large as its contents need, at any font and scale.
  window->setSizeConstraint(QLayout::SetFixedSize);

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
