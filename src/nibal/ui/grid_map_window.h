// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The NIBAL map window "NIBAL Map": the results of the last run (or the
// elevation) as a coloured map with its legend, a choice of layer, a typed
// colour limit, a hillshade, zoom and pan, a read-out of the node under the
// pointer, and the map as a figure to save, copy or print.

#include <QWidget>

#include "nibal/grid_state.h"
#include "nibal/map_geometry.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace sodwright::nibal {

class GridMapCanvas;

class GridMapWindow : public QWidget {
  Q_OBJECT

 public:
  explicit GridMapWindow(GridState& state, QWidget* parent = nullptr);

  QComboBox* layerList = nullptr;
  QLineEdit* colourLimitBox = nullptr;  // empty: the percentile of the magnitudes
  QCheckBox* hillshadeCheck = nullptr;
  QPushButton* zoomInButton = nullptr;
  QPushButton* zoomOutButton = nullptr;
  QPushButton* fitButton = nullptr;
  QPushButton* saveFigureButton = nullptr;
  QPushButton* copyButton = nullptr;
  QPushButton* printButton = nullptr;
  QLabel* readoutLabel = nullptr;
  QLabel* legendLabel = nullptr;
  GridMapCanvas* mapCanvas = nullptr;

  // The choices of the boxes, as the map and the figures use them.
  MapOptions options() const;
  // The map as a figure for saving, at a print-friendly size.
  platform::Figure figure() const;
  bool shows(const GridState& state) const { return &state == &state_; }

 public slots:
  // The grid or its results changed: the layer list and the map follow.
  void refresh();
  void showNode(int row, int column);

 private:
  void buildLayout();
  void redraw();

  GridState& state_;
};

// The one map window of the grid, made on first use and brought to the front.
GridMapWindow* showGridMap(GridState& state, QWidget* anchor);

}  // namespace sodwright::nibal
