// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/ui/grid_map_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/number_text.h"
#include "nibal/ui/grid_map_canvas.h"
#include "platform/figures/figure_export.h"
#include "platform/figures/figure_painter.h"
#include "platform/qt/figure_actions.h"

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

GridMapWindow::GridMapWindow(GridState& state, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state) {
  setObjectName(QStringLiteral("FrmGridMap"));
  setWindowTitle(QStringLiteral("NIBAL Map"));
  buildLayout();
  mapCanvas->setBuilder([this](QSizeF size) {
    MapOptions o = options();
    o.width = size.width();
    o.height = size.height();
    o.fontSize = std::max(11, QFontInfo(font()).pixelSize());
    return buildMap(state_, o, platform::qtTextWidth);
  });
  connect(layerList, &QComboBox::currentIndexChanged, this, &GridMapWindow::redraw);
  connect(colourLimitBox, &QLineEdit::editingFinished, this, &GridMapWindow::redraw);
  connect(hillshadeCheck, &QCheckBox::toggled, this, &GridMapWindow::redraw);
  connect(zoomInButton, &QPushButton::clicked, mapCanvas, &GridMapCanvas::zoomIn);
  connect(zoomOutButton, &QPushButton::clicked, mapCanvas, &GridMapCanvas::zoomOut);
  connect(fitButton, &QPushButton::clicked, mapCanvas, &GridMapCanvas::resetView);
  connect(mapCanvas, &GridMapCanvas::nodeHovered, this, &GridMapWindow::showNode);
  const QString name = QStringLiteral("nibal-map.png");
  connect(saveFigureButton, &QPushButton::clicked, this,
          [this, name] { platform::saveFigureAs(this, figure(), name); });
  connect(copyButton, &QPushButton::clicked, this, [this] { platform::copyFigure(figure()); });
  connect(printButton, &QPushButton::clicked, this,
          [this] { platform::printFigure(this, figure()); });
  platform::addFigureMenu(
      mapCanvas, [this] { return figure(); }, name);
  refresh();
}

void GridMapWindow::buildLayout() {
  layerList = new QComboBox(this);
  layerList->setObjectName(QStringLiteral("CboLayer"));
  colourLimitBox = new QLineEdit(this);
  colourLimitBox->setObjectName(QStringLiteral("TxtLimit"));
  colourLimitBox->setPlaceholderText(QStringLiteral("98th pct."));
  colourLimitBox->setFixedWidth(
      colourLimitBox->fontMetrics().horizontalAdvance(QStringLiteral("000000.000")) + 12);
  colourLimitBox->setToolTip(QStringLiteral(
      "The colour scale runs from minus to plus this value; empty: the 98th percentile of the "
      "magnitudes, so that a few outliers do not wash out the map"));
  hillshadeCheck = new QCheckBox(QStringLiteral("&Hillshade"), this);
  hillshadeCheck->setObjectName(QStringLiteral("ChkHillshade"));
  zoomInButton = button("CmdZoomIn", QStringLiteral("Zoom &in"), this);
  zoomOutButton = button("CmdZoomOut", QStringLiteral("Zoom &out"), this);
  fitButton = button("CmdFit", QStringLiteral("&Fit"), this);
  saveFigureButton = button("CmdSave", QStringLiteral("&Save figure..."), this);
  copyButton = button("CmdCopy", QStringLiteral("&Copy"), this);
  printButton = button("CmdPrint", QStringLiteral("&Print..."), this);

  auto* controls = new QHBoxLayout;
  controls->addWidget(labelFor(QStringLiteral("&Layer"), layerList, this));
  controls->addWidget(layerList);
  controls->addWidget(labelFor(QStringLiteral("Colour &limit"), colourLimitBox, this));
  controls->addWidget(colourLimitBox);
  controls->addWidget(hillshadeCheck);
  controls->addStretch();
  for (QPushButton* b :
       {zoomInButton, zoomOutButton, fitButton, saveFigureButton, copyButton, printButton})
    controls->addWidget(b);

  mapCanvas = new GridMapCanvas(this);
  legendLabel = new QLabel(this);
  legendLabel->setObjectName(QStringLiteral("LblLegend"));
  legendLabel->setAccessibleName(QStringLiteral("Legend"));
  legendLabel->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  readoutLabel = new QLabel(QStringLiteral("Point at a node to read its values."), this);
  readoutLabel->setObjectName(QStringLiteral("LblReadout"));
  readoutLabel->setAccessibleName(QStringLiteral("Node under the pointer"));
  readoutLabel->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(controls);
  layout->addWidget(mapCanvas, 1);
  layout->addWidget(legendLabel);
  layout->addWidget(readoutLabel);
}

MapOptions GridMapWindow::options() const {
  MapOptions o;
  if (const auto layer = layerFromName(layerList->currentText().toStdString())) o.layer = *layer;
  const auto limit = base::parseStrictNumber(colourLimitBox->text().trimmed().toStdString());
  if (limit && *limit > 0) o.limit = *limit;
  o.hillshade = hillshadeCheck->isChecked();
  return o;
}

platform::Figure GridMapWindow::figure() const {
  MapOptions o = options();
  o.width = 1000;
  o.height = 740;
  o.fontSize = 15;
  return buildMap(state_, o, platform::qtTextWidth).figure;
}

void GridMapWindow::refresh() {
  const QString current = layerList->currentText();
  {
    const QSignalBlocker block(layerList);
    layerList->clear();
    for (MapLayer layer : kMapLayers)
      if (layerAvailable(state_, layer))
        layerList->addItem(QString::fromUtf8(layerName(layer).data()));
    const int keep = layerList->findText(current);
    layerList->setCurrentIndex(keep >= 0 ? keep : 0);
  }
  redraw();
}

void GridMapWindow::redraw() {
  mapCanvas->rebuild();
  const QString legend = QString::fromStdString(mapCanvas->map().legendText);
  legendLabel->setText(legend);
  mapCanvas->setAccessibleName(QStringLiteral("Map of ") + layerList->currentText());
  mapCanvas->setAccessibleDescription(legend);
}

void GridMapWindow::showNode(int row, int column) {
  const std::string text = nodeReadout(state_, options().layer, row, column);
  if (!text.empty()) readoutLabel->setText(QString::fromStdString(text));
}

GridMapWindow* showGridMap(GridState& state, QWidget* anchor) {
  GridMapWindow* window = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* map = qobject_cast<GridMapWindow*>(w); map && map->shows(state) && !window)
      window = map;
  if (!window) {
    window = new GridMapWindow(state, nullptr);
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
