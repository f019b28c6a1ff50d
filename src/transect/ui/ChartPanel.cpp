#include "transect/ui/ChartPanel.h"

#include <QFont>

namespace sodwright::kolv::ui {
namespace {

// Names and design-time texts of one chart area.
struct PanelTexts {
  const char* title;
  const char* canvas;
  const char* yLine;
  const char* xLine;
  const char* max;
  const char* mid;
  const char* min;
  const char* suffix;     // of the distance label names, unique in the window
  const char* unitName;   // the value unit caption
  const char* unitText;
};

PanelTexts textsOf(ChartKind kind) {
  switch (kind) {
    case ChartKind::Elevation:
      return {"Elevation", "ChtElev", "Line1", "Line2", "MaxE", "MidE", "MinE", "", "LblunitE", "m"};
    case ChartKind::SoilLoss:
      return {"Soil Loss Rate", "ChtSoilLoss", "Line3", "Line4", "MaxSL", "MidSL", "MinSL", "SL", "LblunitSL",
              "kg/m2/seq"};
    case ChartKind::UpLayer:
      return {"UpLayer Mass", "ChtUpL", "Line5", "Line6", "MaxUp", "MidUp", "MinUp", "Up", "LblunitU", "unit"};
    case ChartKind::WholeProfile:
      return {"Up+Sub Layer Mass", "ChtWhPr", "Line7", "Line8", "MaxT", "MidT", "MinT", "T", "LblunitW", "unit"};
  }
  return {};
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, Qt::Alignment align) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setAlignment(align);
  return label;
}

constexpr int kLeftColumn = 64;
constexpr int kRightMargin = 22;
constexpr int kTitleHeight = 24;
constexpr int kBottomRow = 22;

}  // namespace

ChartPanel::ChartPanel(ChartKind kind, QWidget* parent) : QWidget(parent), kind_(kind) {
  const PanelTexts t = textsOf(kind);
  setObjectName(QStringLiteral("Panel") + QString::fromLatin1(t.canvas));
  canvas_ = new ChartCanvas(QString::fromLatin1(t.canvas), QString::fromLatin1(t.yLine),
                            QString::fromLatin1(t.xLine), this);
  canvas_->setAccessibleName(QString::fromLatin1(t.title) + QStringLiteral(" chart"));

  title_ = makeLabel(this, QStringLiteral("LblTitle") + QString::fromLatin1(t.canvas), QString::fromLatin1(t.title),
                     Qt::AlignCenter);
  QFont bold = title_->font();
  bold.setBold(true);
  title_->setFont(bold);

  const auto right = Qt::AlignRight | Qt::AlignVCenter;
  maxValue_ = makeLabel(this, QString::fromLatin1(t.max), QString::fromLatin1(t.max), right);
  midValue_ = makeLabel(this, QString::fromLatin1(t.mid), QString::fromLatin1(t.mid), right);
  minValue_ = makeLabel(this, QString::fromLatin1(t.min), QString::fromLatin1(t.min), right);
  const QString suffix = QString::fromLatin1(t.suffix);
  midDistance_ = makeLabel(this, QStringLiteral("MidX") + suffix, QStringLiteral("MidX"), Qt::AlignCenter);
  maxDistance_ = makeLabel(this, QStringLiteral("MaxX") + suffix, QStringLiteral("MaxX"), Qt::AlignCenter);
  valueUnit_ = makeLabel(this, QString::fromLatin1(t.unitName), QString::fromLatin1(t.unitText),
                         Qt::AlignLeft | Qt::AlignVCenter);
  distanceUnit_ = makeLabel(this, QStringLiteral("LblunitX") + suffix, QStringLiteral("m"), Qt::AlignCenter);
  // A grey swatch like the shaded bands, then its words.
  endZoneLegend_ = makeLabel(this, QStringLiteral("LblEndZones") + QString::fromLatin1(t.canvas),
                             QStringLiteral("<span style=\"background-color:%1\">&nbsp;&nbsp;&nbsp;&nbsp;</span> end zones")
                                 .arg(kEndZoneShade.name()),
                             Qt::AlignRight | Qt::AlignVCenter);
  endZoneLegend_->setTextFormat(Qt::RichText);
  endZoneLegend_->setAccessibleName(QStringLiteral("Shaded: end zones"));
  endZoneLegend_->setVisible(false);
  setMinimumSize(kLeftColumn + 200 + kRightMargin, kTitleHeight + 140 + kBottomRow);
}

QLabel* ChartPanel::label(platform::LabelId which) const {
  switch (which) {
    case ChartLabel::MaxValue: return maxValue_;
    case ChartLabel::MidValue: return midValue_;
    case ChartLabel::MinValue: return minValue_;
    case ChartLabel::MidDistance: return midDistance_;
    case ChartLabel::MaxDistance: return maxDistance_;
    case ChartLabel::ValueUnit: return valueUnit_;
  }
  return nullptr;
}

void ChartPanel::setLabel(platform::LabelId which, const std::string& text) {
  if (QLabel* shown = label(which)) shown->setText(QString::fromStdString(text));
}

void ChartPanel::showEndZones(const std::vector<ShadedBand>& bands) {
  canvas_->setShadedBands(bands);
  endZoneLegend_->setVisible(!bands.empty());
}

void ChartPanel::resizeEvent(QResizeEvent*) { placeLabels(); }

void ChartPanel::placeLabels() {
  const QRect area(kLeftColumn, kTitleHeight, width() - kLeftColumn - kRightMargin,
                   height() - kTitleHeight - kBottomRow);
  canvas_->setGeometry(area);
  title_->setGeometry(area.left(), 0, area.width(), kTitleHeight);
  endZoneLegend_->setGeometry(area.right() - 110, 0, 110 + kRightMargin, kTitleHeight);
  // The value unit over the value labels, free to reach over the canvas's corner.
  valueUnit_->setGeometry(4, 0, kLeftColumn + 60, kTitleHeight);

  // The value labels face the guide lines: the coordinate window reaches a
  // tenth of the range beyond the largest and the smallest value.
  const int h = fontMetrics().height() + 2;
  auto placeValue = [&](QLabel* label, double fromTop) {
    const int y = area.top() + static_cast<int>(area.height() * fromTop);
    label->setGeometry(0, y - h / 2, kLeftColumn - 4, h);
  };
  placeValue(maxValue_, 1.0 / 12);
  placeValue(midValue_, 0.5);
  placeValue(minValue_, 11.0 / 12);

  const int w = 70;
  auto placeDistance = [&](QLabel* label, double fromLeft) {
    const int x = area.left() + static_cast<int>(area.width() * fromLeft);
    label->setGeometry(x - w / 2, area.bottom() + 2, w, kBottomRow - 2);
  };
  placeDistance(midDistance_, 0.5);
  placeDistance(maxDistance_, 1.1 / 1.2);
  distanceUnit_->setGeometry(area.right() + 1, area.bottom() + 2, kRightMargin, kBottomRow - 2);
}

}  // namespace sodwright::kolv::ui
