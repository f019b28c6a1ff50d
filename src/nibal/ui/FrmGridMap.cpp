#include "nibal/ui/FrmGridMap.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "nibal/ui/GridMapCanvas.h"
#include "platform/figures/figure_export.h"
#include "platform/figures/figure_painter.h"
#include "platform/qt/figure_actions.h"
#include "base/number_text.h"

namespace sodwright::nibal {
namespace {

QPushButton* button(const char* name, const QString& caption, QWidget* parent) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setAutoDefault(false);
  return b;
}

QLabel* labelFor(const QString& caption, QWidget* buddy, QWidget* parent) {
  auto* l = new QLabel(caption, parent);
  l->setBuddy(buddy);
  return l;
}

}  // namespace

FrmGridMap::FrmGridMap(GridState& state, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state) {
  setObjectName(QStringLiteral("FrmGridMap"));
  setWindowTitle(QStringLiteral("NIBAL Map"));
  buildLayout();
  PicMap->setBuilder([this](QSizeF size) {
    MapOptions o = options();
    o.width = size.width();
    o.height = size.height();
    o.fontSize = std::max(11, QFontInfo(font()).pixelSize());
    return buildMap(state_, o, platform::qtTextWidth);
  });
  connect(CboLayer, &QComboBox::currentIndexChanged, this, &FrmGridMap::redraw);
  connect(TxtLimit, &QLineEdit::editingFinished, this, &FrmGridMap::redraw);
  connect(ChkHillshade, &QCheckBox::toggled, this, &FrmGridMap::redraw);
  connect(CmdZoomIn, &QPushButton::clicked, PicMap, &GridMapCanvas::zoomIn);
  connect(CmdZoomOut, &QPushButton::clicked, PicMap, &GridMapCanvas::zoomOut);
  connect(CmdFit, &QPushButton::clicked, PicMap, &GridMapCanvas::resetView);
  connect(PicMap, &GridMapCanvas::nodeHovered, this, &FrmGridMap::showNode);
  const QString name = QStringLiteral("nibal-map.png");
  connect(CmdSave, &QPushButton::clicked, this,
          [this, name] { platform::saveFigureAs(this, figure(), name); });
  connect(CmdCopy, &QPushButton::clicked, this, [this] { platform::copyFigure(figure()); });
  connect(CmdPrint, &QPushButton::clicked, this, [this] { platform::printFigure(this, figure()); });
  platform::addFigureMenu(
      PicMap, [this] { return figure(); }, name);
  refresh();
}

void FrmGridMap::buildLayout() {
  CboLayer = new QComboBox(this);
  CboLayer->setObjectName(QStringLiteral("CboLayer"));
  TxtLimit = new QLineEdit(this);
  TxtLimit->setObjectName(QStringLiteral("TxtLimit"));
  TxtLimit->setPlaceholderText(QStringLiteral("largest"));
  TxtLimit->setFixedWidth(TxtLimit->fontMetrics().horizontalAdvance(QStringLiteral("000000.000")) +
                          12);
  TxtLimit->setToolTip(QStringLiteral(
      "The colour scale runs from minus to plus this value; empty: the largest magnitude"));
  ChkHillshade = new QCheckBox(QStringLiteral("&Hillshade"), this);
  ChkHillshade->setObjectName(QStringLiteral("ChkHillshade"));
  CmdZoomIn = button("CmdZoomIn", QStringLiteral("Zoom &in"), this);
  CmdZoomOut = button("CmdZoomOut", QStringLiteral("Zoom &out"), this);
  CmdFit = button("CmdFit", QStringLiteral("&Fit"), this);
  CmdSave = button("CmdSave", QStringLiteral("&Save figure..."), this);
  CmdCopy = button("CmdCopy", QStringLiteral("&Copy"), this);
  CmdPrint = button("CmdPrint", QStringLiteral("&Print..."), this);

  auto* controls = new QHBoxLayout;
  controls->addWidget(labelFor(QStringLiteral("&Layer"), CboLayer, this));
  controls->addWidget(CboLayer);
  controls->addWidget(labelFor(QStringLiteral("Colour &limit"), TxtLimit, this));
  controls->addWidget(TxtLimit);
  controls->addWidget(ChkHillshade);
  controls->addStretch();
  for (QPushButton* b : {CmdZoomIn, CmdZoomOut, CmdFit, CmdSave, CmdCopy, CmdPrint})
    controls->addWidget(b);

  PicMap = new GridMapCanvas(this);
  LblLegend = new QLabel(this);
  LblLegend->setObjectName(QStringLiteral("LblLegend"));
  LblLegend->setAccessibleName(QStringLiteral("Legend"));
  LblLegend->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  LblReadout = new QLabel(QStringLiteral("Point at a node to read its values."), this);
  LblReadout->setObjectName(QStringLiteral("LblReadout"));
  LblReadout->setAccessibleName(QStringLiteral("Node under the pointer"));
  LblReadout->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(controls);
  layout->addWidget(PicMap, 1);
  layout->addWidget(LblLegend);
  layout->addWidget(LblReadout);
}

MapOptions FrmGridMap::options() const {
  MapOptions o;
  if (const auto layer = layerFromName(CboLayer->currentText().toStdString())) o.layer = *layer;
  const auto limit = base::parseStrictNumber(TxtLimit->text().trimmed().toStdString());
  if (limit && *limit > 0) o.limit = *limit;
  o.hillshade = ChkHillshade->isChecked();
  return o;
}

platform::Figure FrmGridMap::figure() const {
  MapOptions o = options();
  o.width = 1000;
  o.height = 740;
  o.fontSize = 15;
  return buildMap(state_, o, platform::qtTextWidth).figure;
}

void FrmGridMap::refresh() {
  const QString current = CboLayer->currentText();
  {
    const QSignalBlocker block(CboLayer);
    CboLayer->clear();
    for (MapLayer layer : kMapLayers)
      if (layerAvailable(state_, layer))
        CboLayer->addItem(QString::fromUtf8(layerName(layer).data()));
    const int keep = CboLayer->findText(current);
    CboLayer->setCurrentIndex(keep >= 0 ? keep : 0);
  }
  redraw();
}

void FrmGridMap::redraw() {
  PicMap->rebuild();
  const QString legend = QString::fromStdString(PicMap->map().legendText);
  LblLegend->setText(legend);
  PicMap->setAccessibleName(QStringLiteral("Map of ") + CboLayer->currentText());
  PicMap->setAccessibleDescription(legend);
}

void FrmGridMap::showNode(int row, int column) {
  const std::string text = nodeReadout(state_, options().layer, row, column);
  if (!text.empty()) LblReadout->setText(QString::fromStdString(text));
}

FrmGridMap* showGridMap(GridState& state, QWidget* anchor) {
  FrmGridMap* window = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* map = qobject_cast<FrmGridMap*>(w); map && map->shows(state) && !window) window = map;
  if (!window) {
    window = new FrmGridMap(state, nullptr);
    window->setAttribute(Qt::WA_DeleteOnClose);
    if (anchor) window->move(anchor->geometry().topRight() + QPoint(20, 0));
  }
  window->refresh();
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

}  // namespace sodwright::nibal
