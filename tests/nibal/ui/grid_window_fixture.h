// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A grid window over the recording fakes, with ActiveModel 2 as the chooser
// would leave it, and grid files written to a scratch folder.

#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>

#include "fakes/recording_services.h"
#include "nibal/grid_state.h"
#include "nibal/ui/grid_table_model.h"
#include "nibal/ui/grid_window.h"
#include "shared_ui/window_hub.h"

namespace sodwright::nibal::testing {

class GridWindowTest : public ::testing::Test {
 protected:
  GridWindowTest() {
    fake.context.activeModel = platform::kNibal;
    hub.setViewerModelFactory(platform::kNibal, gridViewerModelFactory(state));
    window = new GridWindow(state, fake.context, hub);
    window->show();
  }
  ~GridWindowTest() override { delete window.data(); }

  void typeGrid(const QString& rows, const QString& columns, const QString& xSpacing,
                const QString& ySpacing) {
    window->rowsBox->setText(rows);
    window->columnsBox->setText(columns);
    window->rowSpacingBox->setText(xSpacing);
    window->columnSpacingBox->setText(ySpacing);
  }

  // A grid file of R x C nodes, one "easting northing elevation" line each,
  // rows outer and columns inner, with the given delimiter.
  std::string writeGrid(const std::string& name, int rows, int columns, char delimiter,
                        double elevation = 1.0) {
    const std::string path = dir.filePath(QString::fromStdString(name)).toStdString();
    std::ofstream out(path, std::ios::binary);
    for (int r = 1; r <= rows; ++r)
      for (int c = 1; c <= columns; ++c)
        out << (500 + c) << delimiter << (900 - r) << delimiter
            << (r == rows && c == columns ? 10.129 : elevation) << "\r\n";
    return path;
  }

  platform::FakePlatform fake;
  shared_ui::WindowHub hub{fake.context};
  GridState state;
  QPointer<GridWindow> window;
  QTemporaryDir dir;
};

}  // namespace sodwright::nibal::testing
