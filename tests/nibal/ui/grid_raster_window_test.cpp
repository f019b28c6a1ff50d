// SPDX-License-Identifier: GPL-3.0-or-later
// The grid window's "Import Data" of elevation rasters and of .csv files:
// the raster's size and spacings in the boxes, the window's node bound with
// its message, nothing held lost on a refusal, and the delimiter preset.

#include <QPushButton>
#include <QRadioButton>

#include "grid_window_fixture.h"
#include "nibal/ui/grid_parameter_window.h"
#include "platform/file_dialog.h"
#include "platform/raster/raster_test_support.h"
#include "shared_ui/delimiter_dialog.h"

namespace sodwright::nibal::testing {
namespace {

using GridRasterWindow = GridWindowTest;
using platform::testing::RasterShape;

TEST_F(GridRasterWindow, RasterSizesGoIntoTheBoxesAndTheGridIsReadyToRun) {
  typeGrid("4", "4", "1", "1");
  const std::string path = dir.filePath(QStringLiteral("dem.tif")).toStdString();
  RasterShape shape;  // 6 rows x 5 columns of 2 m x 3 m cells
  shape.value = [](int r, int c) { return 100.0 + r + 0.5 * c; };
  platform::testing::writeRaster(path, shape);
  fake.fileDialogs.names.push_back(path);
  window->importButton->click();
  EXPECT_TRUE(fake.messages.shown.empty()) << fake.messages.texts().front();
  EXPECT_EQ(window->rowsBox->text(), QStringLiteral("6"));
  EXPECT_EQ(window->columnsBox->text(), QStringLiteral("5"));
  EXPECT_EQ(window->rowSpacingBox->text(), QStringLiteral("2"));
  EXPECT_EQ(window->columnSpacingBox->text(), QStringLiteral("3"));
  EXPECT_TRUE(window->runButton->isEnabled());
  EXPECT_TRUE(window->showDataButton->isEnabled());
  EXPECT_EQ(state.GridNodeCount, 30);
  EXPECT_EQ(state.GridElevation(6, 5), 107.0);  // line 6, column 5 of the raster
  EXPECT_EQ(state.info.RowSpacing, "2");
}

TEST_F(GridRasterWindow, TooLargeOrBadRastersAreRefusedAndTheHeldGridStays) {
  typeGrid("4", "4", "1", "1");
  fake.fileDialogs.names.push_back(writeGrid("grid.txt", 4, 4, '\t'));
  window->importButton->click();
  hub.delimiterDialog().tabOption->setChecked(true);
  hub.delimiterDialog().okButton->click();
  ASSERT_EQ(state.GridNodeCount, 16);

  const std::string big = dir.filePath(QStringLiteral("big.asc")).toStdString();
  RasterShape shape;
  shape.rows = 200;
  shape.columns = 200;
  shape.transform = {0, 1, 0, 200, 0, -1};
  platform::testing::writeRaster(big, shape);
  const std::string bad = dir.filePath(QStringLiteral("bad.tif")).toStdString();
  std::ofstream(bad) << "not a raster\n";
  for (const std::string& path : {big, bad}) {
    fake.messages.shown.clear();
    fake.fileDialogs.names.push_back(path);
    window->importButton->click();
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_FALSE(window->runButton->isEnabled());
    EXPECT_EQ(window->rowsBox->text(), QStringLiteral("4"));
    EXPECT_EQ(state.GridNodeCount, 16);
    EXPECT_EQ(state.info.Rows, "4");
  }
  fake.messages.shown.clear();
  fake.fileDialogs.names.push_back(big);
  window->importButton->click();
  EXPECT_EQ(fake.messages.texts().front(),
            "big.asc has 200 rows x 200 columns = 40000 nodes; the grid window takes at most 32767 "
            "nodes. Run "
            "larger rasters with the batch runner:\nsodwright-batch nibal --raster big.asc "
            "--write-raster results.tif");

  // A raster with a no-data cell: the message as before, and the batch
  // command that takes it as the box's detail.
  const std::string holed = dir.filePath(QStringLiteral("holed.tif")).toStdString();
  RasterShape hole;
  hole.setNoData = true;
  hole.value = [](int r, int c) { return r == 1 && c == 2 ? -9999.0 : 5.0; };
  platform::testing::writeRaster(holed, hole);
  fake.messages.shown.clear();
  fake.fileDialogs.names.push_back(holed);
  window->importButton->click();
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown.front().text,
            "Cannot use holed.tif as an elevation raster: it has no-data cells, the first at row "
            "2, column 3; fill or crop them first (gdal_fillnodata.py fills holes)");
  EXPECT_EQ(fake.messages.shown.front().detail,
            "The batch runner takes no-data cells as the edge of the field:\n"
            "sodwright-batch nibal --raster holed.tif --write-raster results.tif");
  EXPECT_EQ(state.GridNodeCount, 16);
  EXPECT_TRUE(fake.messages.shown.size() == 1 && fake.fileDialogs.names.empty());
}

TEST_F(GridRasterWindow, CsvFilesOpenTheDelimiterDialogOnComma) {
  typeGrid("4", "4", "1", "1");
  fake.fileDialogs.names.push_back(writeGrid("grid.csv", 4, 4, ','));
  window->importButton->click();
  shared_ui::DelimiterDialog& dialog = hub.delimiterDialog();
  ASSERT_TRUE(dialog.isVisible());
  EXPECT_TRUE(dialog.commaOption->isChecked());
  dialog.okButton->click();
  EXPECT_EQ(state.GridNodeCount, 16);
}

// "Save CSV" in the parameter window: off before a run, on after one (the
// report dialog cancelled), and it writes a record per node.
TEST_F(GridRasterWindow, SaveCsvWritesTheResultsOfTheRun) {
  typeGrid("4", "4", "1", "1");
  fake.fileDialogs.names.push_back(writeGrid("grid.tsv", 4, 4, '\t'));
  window->importButton->click();
  EXPECT_TRUE(hub.delimiterDialog().tabOption->isChecked());
  hub.delimiterDialog().okButton->click();
  window->runButton->click();
  GridParameterWindow& p = *window->parameterWindow();
  EXPECT_FALSE(p.saveCsvButton->isEnabled());
  p.runButton->click();  // no report file chosen
  ASSERT_TRUE(p.saveCsvButton->isEnabled());
  const std::string csv = dir.filePath(QStringLiteral("nodes.csv")).toStdString();
  fake.fileDialogs.names.push_back(csv);
  p.saveCsvButton->click();
  EXPECT_EQ(fake.fileDialogs.saveFilters.back(), platform::kCsvFilter);
  std::ifstream in(csv);
  int lines = 0;
  for (std::string line; std::getline(in, line);) ++lines;
  EXPECT_EQ(lines, 17);
}

}  // namespace
}  // namespace sodwright::nibal::testing
