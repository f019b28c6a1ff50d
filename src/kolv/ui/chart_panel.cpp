// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/ui/chart_panel.h"

#include <algorithm>

#include <QAction>
#include <QFont>
#include <QFontMetrics>

#include "base/number_text.h"
#include "platform/figures/figure_painter.h"
#include "platform/qt/figure_actions.h"

namespace sodwright::kolv {
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
  const char* suffix;    // of the distance label names, unique in the window
  const char* unitName;  // the value unit caption
  const char* unitText;
};

PanelTexts textsOf(ChartKind kind) {
  switch (kind) {
    case ChartKind::Elevation:
      return {"Elevation", "ChtElev", "Line1", "Line2",    "MaxE",
              "MidE",      "MinE",    "",      "LblunitE", "m"};
    case ChartKind::SoilLoss:
      return {"Soil Loss Rate", "ChtSoilLoss", "Line3", "Line4",     "MaxSL",
              "MidSL",          "MinSL",       "SL",    "LblunitSL", "kg/m2/seq"};
    case ChartKind::UpLayer:
      return {"UpLayer Mass", "ChtUpL", "Line5", "Line6",    "MaxUp",
              "MidUp",        "MinUp",  "Up",    "LblunitU", "unit"};
    case ChartKind::WholeProfile:
      return {"Up+Sub Layer Mass", "ChtWhPr", "Line7", "Line8", "MaxT", "MidT", "MinT", "T",
              "LblunitW",          "unit"};
  }
  return {};
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, Qt::Alignment align) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setAlignment(align);
  return label;
}

constexpr int kLeftColumnLeast = 40;
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

  title_ = makeLabel(this, QStringLiteral("LblTitle") + QString::fromLatin1(t.canvas),
                     QString::fromLatin1(t.title), Qt::AlignCenter);
  QFont bold = title_->font();
  bold.setBold(true);
  title_->setFont(bold);

  const auto right = Qt::AlignRight | Qt::AlignVCenter;
  maxValue_ = makeLabel(this, QString::fromLatin1(t.max), QString::fromLatin1(t.max), right);
  midValue_ = makeLabel(this, QString::fromLatin1(t.mid), QString::fromLatin1(t.mid), right);
  minValue_ = makeLabel(this, QString::fromLatin1(t.min), QString::fromLatin1(t.min), right);
  const QString suffix = QString::fromLatin1(t.suffix);
  midDistance_ =
      makeLabel(this, QStringLiteral("MidX") + suffix, QStringLiteral("MidX"), Qt::AlignCenter);
  maxDistance_ =
      makeLabel(this, QStringLiteral("MaxX") + suffix, QStringLiteral("MaxX"), Qt::AlignCenter);
  valueUnit_ = makeLabel(this, QString::fromLatin1(t.unitName), QString::fromLatin1(t.unitText),
                         Qt::AlignLeft | Qt::AlignVCenter);
  distanceUnit_ =
      makeLabel(this, QStringLiteral("LblunitX") + suffix, QStringLiteral("m"), Qt::AlignCenter);
  // A grey swatch like the shaded bands, then its words.
  endZoneLegend_ =
      makeLabel(this, QStringLiteral("LblEndZones") + QString::fromLatin1(t.canvas),
                QStringLiteral(
                    "<span style=\"background-color:%1\">&nbsp;&nbsp;&nbsp;&nbsp;</span> end zones")
                    .arg(kEndZoneShade.name()),
                Qt::AlignRight | Qt::AlignVCenter);
  endZoneLegend_->setTextFormat(Qt::RichText);
  endZoneLegend_->setAccessibleName(QStringLiteral("Shaded: end zones"));
  endZoneLegend_->setVisible(false);
  legend_ = makeLabel(this, QStringLiteral("LblLegend") + QString::fromLatin1(t.canvas), QString(),
                      Qt::AlignLeft | Qt::AlignVCenter);
  legend_->setWordWrap(true);
  legend_->setAccessibleName(QString::fromLatin1(t.title) + QStringLiteral(" legend"));
  readout_ = makeLabel(canvas_, QStringLiteral("LblReadout") + QString::fromLatin1(t.canvas),
                       QString(), Qt::AlignLeft | Qt::AlignVCenter);
  readout_->setAccessibleName(QString::fromLatin1(t.title) +
                              QStringLiteral(" point under the pointer"));
  readout_->setStyleSheet(QStringLiteral(
      "background: rgba(255, 255, 240, 230); border: 1px solid gray; padding: 2px;"));
  readout_->hide();
  connect(canvas_, &ChartCanvas::pointHovered, this, &ChartPanel::showPoint);
  connect(canvas_, &ChartCanvas::pointLeft, readout_, &QLabel::hide);
  canvas_->setContextMenuPolicy(Qt::ActionsContextMenu);
  platform::addFigureMenu(
      canvas_, [this] { return figure(); },
      QString::fromLatin1(t.canvas).toLower() + QStringLiteral(".png"));
  auto* four = new QAction(QStringLiteral("Save the four charts..."), canvas_);
  connect(four, &QAction::triggered, this, [this] {
    platform::saveFigureAs(this, allChartsFigure(), QStringLiteral("kolv-charts.png"));
  });
  canvas_->addAction(four);
  setMinimumSize(kLeftColumnLeast + 200 + kRightMargin, kTitleHeight + 140 + kBottomRow);
}

void ChartPanel::clear() {
  ops_.clear();
  ops_.push_back(platform::DrawOp::clearOp());
  readout_->hide();
  canvas_->clear();
}

void ChartPanel::setCoordinateWindow(float left, float top, float right, float bottom) {
  ops_.push_back(platform::DrawOp::window(left, top, right, bottom));
  canvas_->setCoordinateWindow(left, top, right, bottom);
}

void ChartPanel::setPenWidth(int pixels) {
  ops_.push_back(platform::DrawOp::pen(pixels));
  canvas_->setPenWidth(pixels);
}

void ChartPanel::setLineStyle(platform::LineStyle style) {
  ops_.push_back(platform::DrawOp::lineStyle(style));
  canvas_->setLineStyle(style);
}

void ChartPanel::drawLine(float x1, float y1, float x2, float y2) {
  ops_.push_back(platform::DrawOp::line(x1, y1, x2, y2));
  canvas_->drawLine(x1, y1, x2, y2);
}

void ChartPanel::plotPoint(float x, float y, platform::Rgb colour) {
  ops_.push_back(platform::DrawOp::point(x, y, colour));
  canvas_->plotPoint(x, y, colour);
}

void ChartPanel::fillPolygon(const std::vector<float>& corners, platform::Rgb colour) {
  ops_.push_back(platform::DrawOp::polygon(corners, colour));
  canvas_->fillPolygon(corners, colour);
}

void ChartPanel::setKey(const ChartKey& key) {
  key_ = key;
  QString rich;
  QString plain;
  for (const ChartKeyEntry& e : key.entries) {
    const QString colour = QColor(e.colour.r, e.colour.g, e.colour.b).name();
    const QString text = QString::fromStdString(e.text).toHtmlEscaped();
    rich += QStringLiteral("<span style=\"color:%1\">&#9632;</span>&nbsp;%2&nbsp;&nbsp; ")
                .arg(colour, text);
    plain += QString::fromStdString(e.text) + QStringLiteral("; ");
  }
  if (!key.note.empty()) {
    rich += QStringLiteral("<span style=\"color:gray\">%1</span>")
                .arg(QString::fromStdString(key.note).toHtmlEscaped());
    plain += QString::fromStdString(key.note);
  }
  legend_->setText(rich);
  legend_->setAccessibleDescription(plain);
  placeLabels();
}

platform::Figure ChartPanel::figure() const {
  return chartFigure(key_, ops_, canvas_->shadedBands(), platform::qtTextWidth);
}

platform::Figure ChartPanel::allChartsFigure() const {
  std::array<ChartPart, 4> parts;
  const QWidget* block = parentWidget() ? parentWidget() : this;
  for (const ChartPanel* p : block->findChildren<const ChartPanel*>(Qt::FindDirectChildrenOnly))
    parts[static_cast<std::size_t>(p->kind())] = {p->key(), p->drawing(),
                                                  p->canvas()->shadedBands()};
  parts[static_cast<std::size_t>(kind_)] = {key_, ops_, canvas_->shadedBands()};
  std::string heading = "KOLV charts";
  const std::vector<ChartKeyEntry>& elevation = parts[0].key.entries;
  if (elevation.size() >= 2)
    heading +=
        ", sequence " + elevation[0].sequence + " (first) and " + elevation[1].sequence + " (last)";
  return fourChartsFigure(parts, heading, platform::qtTextWidth);
}

void ChartPanel::showPoint(float x, float y, platform::Rgb colour) {
  const std::string value = base::generalText(static_cast<double>(y), 6);
  QString text = QStringLiteral("Distance %1 %2, value %3 %4")
                     .arg(QString::fromStdString(base::formatMask(x * key_.interval, "###0.0")),
                          QString::fromStdString(key_.distanceUnit), QString::fromStdString(value),
                          QString::fromStdString(key_.valueUnit));
  if (const ChartKeyEntry* e = entryOf(key_, colour))
    text += QStringLiteral(", ") + QString::fromStdString(e->text);
  readout_->setText(text);
  readout_->adjustSize();
  readout_->move(std::max(0, canvas_->width() - readout_->width() - 4), 4);
  readout_->show();
  readout_->raise();
}

int ChartPanel::valueColumnWidth() const {
  int widest = 0;
  for (const QLabel* l : {maxValue_, midValue_, minValue_})
    widest = std::max(widest, QFontMetrics(l->font()).horizontalAdvance(l->text()));
  return std::max(kLeftColumnLeast, widest + 10);
}

QLabel* ChartPanel::label(platform::LabelId which) const {
  switch (which) {
    case ChartLabel::MaxValue:
      return maxValue_;
    case ChartLabel::MidValue:
      return midValue_;
    case ChartLabel::MinValue:
      return minValue_;
    case ChartLabel::MidDistance:
      return midDistance_;
    case ChartLabel::MaxDistance:
      return maxDistance_;
    case ChartLabel::ValueUnit:
      return valueUnit_;
  }
  return nullptr;
}

void ChartPanel::setLabel(platform::LabelId which, const std::string& text) {
  QLabel* shown = label(which);
  if (!shown) return;
  ops_.push_back(platform::DrawOp::labelText(which, text));
  shown->setText(QString::fromStdString(text));
  // A longer value label widens the value column.
  if (which != ChartLabel::MidDistance && which != ChartLabel::MaxDistance) placeLabels();
}

void ChartPanel::showEndZones(const std::vector<ShadedBand>& bands) {
  canvas_->setShadedBands(bands);
  endZoneLegend_->setVisible(!bands.empty());
}

void ChartPanel::resizeEvent(QResizeEvent*) { placeLabels(); }

void ChartPanel::placeLabels() {
  const int left = valueColumnWidth();
  // Rows as high as the font needs, so large system fonts are not cut.
  const int titleHeight = std::max(kTitleHeight, fontMetrics().height() + 8);
  const int bottomRow = std::max(kBottomRow, fontMetrics().height() + 6);
  const int unitWidth =
      std::max(kRightMargin, fontMetrics().horizontalAdvance(distanceUnit_->text()) + 6);
  const int legendHeight = legend_->text().isEmpty() ? 0 : legend_->heightForWidth(width() - 8) + 2;
  const int top = titleHeight + legendHeight;
  const QRect area(left, top, width() - left - unitWidth, height() - top - bottomRow);
  canvas_->setGeometry(area);
  title_->setGeometry(area.left(), 0, area.width(), titleHeight);
  // The end-zone entry sits at the right of the title row, clear of the
  // sequence legend in the row below.
  endZoneLegend_->setGeometry(area.right() - 110, 0, 110 + unitWidth, titleHeight);
  // The value unit over the value labels, free to reach over the canvas's corner.
  valueUnit_->setGeometry(4, 0, left + 60, titleHeight);
  legend_->setGeometry(4, titleHeight, width() - 8, legendHeight);

  // The value labels face the guide lines: the coordinate window reaches a
  // tenth of the range beyond the largest and the smallest value.
  const int h = fontMetrics().height() + 2;
  auto placeValue = [&](QLabel* label, double fromTop) {
    const int y = area.top() + static_cast<int>(area.height() * fromTop);
    label->setGeometry(0, y - h / 2, left - 4, h);
  };
  placeValue(maxValue_, 1.0 / 12);
  placeValue(midValue_, 0.5);
  placeValue(minValue_, 11.0 / 12);

  auto placeDistance = [&](QLabel* label, double fromLeft) {
    const int w = std::max(70, QFontMetrics(label->font()).horizontalAdvance(label->text()) + 10);
    const int x = area.left() + static_cast<int>(area.width() * fromLeft);
    label->setGeometry(x - w / 2, area.bottom() + 2, w, bottomRow - 2);
  };
  placeDistance(midDistance_, 0.5);
  placeDistance(maxDistance_, 1.1 / 1.2);
  distanceUnit_->setGeometry(area.right() + 1, area.bottom() + 2, unitWidth, bottomRow - 2);
}

}  // namespace sodwright::kolv
