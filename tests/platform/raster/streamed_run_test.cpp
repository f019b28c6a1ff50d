// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/raster/streamed_run.h"

#include <csignal>
#include <cstring>
#include <random>
#include <sstream>

#include <gtest/gtest.h>
#include <sys/resource.h>

#include "base/text/text_file.h"
#include "nibal/grid_messages.h"
#include "nibal/grid_model.h"
#include "nibal/grid_report.h"
#include "nibal/raster/raster_grid.h"
#include "nibal/soil_loss_text.h"
#include "platform/raster/raster_stream.h"
#include "platform/raster/result_raster.h"
#include "raster_test_support.h"

namespace sodwright::nibal {
namespace {

using platform::testing::RasterShape;
using platform::testing::ScratchFolder;
using platform::testing::writeRaster;

// The window's whole-grid walk of the raster, and its report.
struct WholeWalk {
  GridState state;
  std::string report;
};
WholeWalk wholeWalk(const std::string& dem) {
  base::Result<platform::ElevationRaster> read =
      platform::readElevationRaster(dem, platform::kMostBatchNodes);
  EXPECT_TRUE(read.ok()) << read.message();
  WholeWalk walk;
  replaceGrid(walk.state, gridDefinition(read->geometry), gridData(*read));
  readGridParameters(walk.state.info, GridParameterTexts{});
  clearGridResults(walk.state);
  computeColumnDirection(walk.state);
  computeRowDirection(walk.state);
  computeSoilLossSum(walk.state);
  std::ostringstream report;
  writeGridReport(report, walk.state, "D");
  walk.report = report.str();
  return walk;
}

struct Bands {
  int rows = 0;
  int columns = 0;
  std::array<double, 6> transform{};
  std::vector<std::vector<float>> values;
  std::vector<std::string> names;
  std::vector<double> noData;
  float at(int band, int r, int c) const {
    return values[static_cast<std::size_t>(band)][static_cast<std::size_t>(r) * columns + c];
  }
};
Bands readBands(const std::string& path) {
  GDALDatasetUniquePtr file(GDALDataset::Open(path.c_str(), GDAL_OF_RASTER));
  Bands bands;
  if (!file) {
    ADD_FAILURE() << "cannot open " << path;
    return bands;
  }
  bands.rows = file->GetRasterYSize();
  bands.columns = file->GetRasterXSize();
  file->GetGeoTransform(bands.transform.data());
  for (int b = 1; b <= file->GetRasterCount(); ++b) {
    GDALRasterBand* band = file->GetRasterBand(b);
    std::vector<float> values(static_cast<std::size_t>(bands.rows) * bands.columns);
    EXPECT_EQ(band->RasterIO(GF_Read, 0, 0, bands.columns, bands.rows, values.data(), bands.columns,
                             bands.rows, GDT_Float32, 0, 0, nullptr),
              CE_None);
    bands.values.push_back(values);
    bands.names.emplace_back(band->GetDescription());
    bands.noData.push_back(band->GetNoDataValue());
  }
  return bands;
}

bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

std::size_t filesIn(const std::string& folder) {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
  return count;
}

RasterShape roughDem(int rows, int columns, unsigned seed) {
  auto heights = std::make_shared<std::vector<double>>();
  std::mt19937_64 random(seed);
  std::uniform_real_distribution<double> height(180.0, 240.0);
  for (int i = 0; i < rows * columns; ++i) heights->push_back(height(random));
  RasterShape shape;
  shape.rows = rows;
  shape.columns = columns;
  shape.value = [heights, columns](int r, int c) {
    return (*heights)[static_cast<std::size_t>(r) * columns + c];
  };
  return shape;
}

// Strips of 1 to 5 lines and the automatic height, on one and on three
// threads: the result bands hold the whole-grid walk's values bit for bit,
// the report is the window's report byte for byte, and nothing but the asked
// files is left in the folder.
TEST(StreamedRun, GivesTheWholeGridWalkForAnyStripAndThreads) {
  ScratchFolder folder("stream");
  writeRaster(folder.file("dem.tif"), roughDem(23, 17, 3));
  const WholeWalk want = wholeWalk(folder.file("dem.tif"));
  for (int threads : {1, 3})
    for (int strip : {1, 2, 3, 4, 5, 0}) {
      SCOPED_TRACE(::testing::Message() << threads << " threads, strips of " << strip);
      StreamedRasterRun run;
      run.dem = folder.file("dem.tif");
      run.report = folder.file("report.txt");
      run.raster = folder.file("loss.tif");
      run.date = "D";
      run.threads = threads;
      run.stripLines = strip;
      std::vector<std::int64_t> progress;
      run.progress = [&](std::int64_t done, std::int64_t lines) {
        EXPECT_EQ(lines, 23);
        progress.push_back(done);
      };
      base::Result<StreamedRasterSummary> done = runStreamedRaster(run);
      ASSERT_TRUE(done.ok()) << done.message();
      EXPECT_EQ(done->cells, 23 * 17);
      EXPECT_EQ(done->validCells, 23 * 17);
      EXPECT_EQ(progress.back(), 23);
      EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
      const base::Result<std::string> report = base::readWholeFile(folder.file("report.txt"));
      ASSERT_TRUE(report.ok());
      EXPECT_EQ(*report, want.report);
      const Bands bands = readBands(folder.file("loss.tif"));
      ASSERT_EQ(bands.values.size(), 3u);
      EXPECT_EQ(bands.names, (std::vector<std::string>{std::string(kSoilLossSumBand),
                                                       std::string(kSoilLossRowBand),
                                                       std::string(kSoilLossColBand)}));
      const GridResults& res = want.state.results;
      for (int r = 0; r < 23; ++r)
        for (int c = 0; c < 17; ++c) {
          EXPECT_TRUE(
              sameBits(bands.at(0, r, c), static_cast<float>(res.SoilLossSum(r + 1, c + 1))));
          EXPECT_TRUE(
              sameBits(bands.at(1, r, c), static_cast<float>(res.SoilLossRow(r + 1, c + 1))));
          EXPECT_TRUE(
              sameBits(bands.at(2, r, c), static_cast<float>(res.SoilLossCol(r + 1, c + 1))));
        }
      EXPECT_EQ(filesIn(folder.file("")), 3u);  // the DEM, the report, the raster
    }
}

// A field padded with no-data: its nodes get what the field alone gets, the
// padding the bands' no-data value, and the report only the field's lines.
// A DEM all of no-data is refused and leaves nothing.
TEST(StreamedRun, NoDataIsTheFieldsEdge) {
  ScratchFolder folder("nodata");
  const RasterShape field = roughDem(9, 11, 5);
  writeRaster(folder.file("field.tif"), field);
  RasterShape padded = field;
  padded.rows += 6;
  padded.columns += 6;
  padded.setNoData = true;
  padded.transform[0] -= 3 * padded.transform[1];
  padded.transform[3] -= 3 * padded.transform[5];
  padded.value = [field](int r, int c) {
    return r < 3 || c < 3 || r >= 12 || c >= 14 ? -9999.0 : field.value(r - 3, c - 3);
  };
  writeRaster(folder.file("padded.tif"), padded);
  StreamedRasterRun run;
  run.raster = folder.file("field-loss.tif");
  run.dem = folder.file("field.tif");
  ASSERT_TRUE(runStreamedRaster(run).ok());
  run.dem = folder.file("padded.tif");
  run.raster = folder.file("padded-loss.tif");
  run.report = folder.file("padded.txt");
  base::Result<StreamedRasterSummary> done = runStreamedRaster(run);
  ASSERT_TRUE(done.ok()) << done.message();
  EXPECT_EQ(done->cells, 15 * 17);
  EXPECT_EQ(done->validCells, 9 * 11);
  const Bands want = readBands(folder.file("field-loss.tif"));
  const Bands got = readBands(folder.file("padded-loss.tif"));
  for (int b = 0; b < 3; ++b) {
    EXPECT_EQ(got.noData[b], static_cast<double>(std::numeric_limits<float>::lowest()));
    for (int r = 0; r < 15; ++r)
      for (int c = 0; c < 17; ++c) {
        const bool inside = r >= 3 && c >= 3 && r < 12 && c < 14;
        EXPECT_TRUE(sameBits(got.at(b, r, c), inside ? want.at(b, r - 3, c - 3)
                                                     : std::numeric_limits<float>::lowest()));
      }
  }
  const base::Result<std::vector<std::string>> lines =
      base::readTextLines(folder.file("padded.txt"));
  ASSERT_TRUE(lines.ok());
  EXPECT_EQ(lines->size(), 23u + 9u * 11u);  // the heading and one line per field node

  RasterShape empty = padded;
  empty.value = [](int, int) { return -9999.0; };
  writeRaster(folder.file("empty.tif"), empty);
  ScratchFolder out("nodata-out");
  run.dem = folder.file("empty.tif");
  run.raster = out.file("loss.tif");
  run.report = out.file("report.txt");
  done = runStreamedRaster(run);
  ASSERT_FALSE(done.ok());
  EXPECT_EQ(done.message(),
            "Cannot use empty.tif as an elevation raster: every cell is no-data, "
            "so there is no field to compute.");
  EXPECT_EQ(filesIn(out.file("")), 0u);
}

// Each tile, computed from its window with the real neighbours around it,
// holds the whole run's values where it lies, and is georeferenced there.
TEST(StreamedRun, TilesHoldTheWholeRunsValues) {
  ScratchFolder folder("tiles");
  RasterShape dem = roughDem(20, 17, 9);
  dem.setNoData = true;
  const auto rough = dem.value;
  dem.value = [rough](int r, int c) { return r == 6 && c > 4 ? -9999.0 : rough(r, c); };
  writeRaster(folder.file("dem.tif"), dem);
  StreamedRasterRun run;
  run.dem = folder.file("dem.tif");
  run.raster = folder.file("whole.tif");
  ASSERT_TRUE(runStreamedRaster(run).ok());
  const Bands whole = readBands(folder.file("whole.tif"));
  const base::Result<std::vector<RasterWindow>> tiles = tileWindows(17, 20, 7);
  ASSERT_TRUE(tiles.ok());
  ASSERT_EQ(tiles->size(), 9u);
  EXPECT_EQ((*tiles)[5], (RasterWindow{14, 7, 3, 7}));
  for (std::size_t i = 0; i < tiles->size(); ++i) {
    const RasterWindow& w = (*tiles)[i];
    EXPECT_EQ(tileWindow(17, 20, 7, static_cast<std::int64_t>(i), "dem.tif").value(), w);
    run.window = w;
    run.raster = folder.file("tile.tif");
    ASSERT_TRUE(runStreamedRaster(run).ok());
    const Bands tile = readBands(folder.file("tile.tif"));
    ASSERT_EQ(tile.rows, w.ySize);
    ASSERT_EQ(tile.columns, w.xSize);
    EXPECT_EQ(tile.transform[0], dem.transform[0] + w.xOffset * dem.transform[1]);
    EXPECT_EQ(tile.transform[3], dem.transform[3] + w.yOffset * dem.transform[5]);
    for (int b = 0; b < 3; ++b)
      for (int r = 0; r < w.ySize; ++r)
        for (int c = 0; c < w.xSize; ++c)
          EXPECT_TRUE(sameBits(tile.at(b, r, c), whole.at(b, static_cast<int>(w.yOffset) + r,
                                                          static_cast<int>(w.xOffset) + c)));
  }
}

// Windows outside the DEM, empty windows, tiles under five cells and tile
// numbers past the last are refused with what is allowed.
TEST(StreamedRun, RefusesWindowsAndTilesThatDoNotFit) {
  EXPECT_EQ(checkWindow({0, 0, 0, 4}, 40, 30, "dem.tif").message(),
            "The window 0 0 0 4 is empty: XSIZE and YSIZE must be at least 1 cell.");
  EXPECT_EQ(checkWindow({30, 0, 11, 4}, 40, 30, "dem.tif").message(),
            "The window 30 0 11 4 reaches outside dem.tif, which has 40 columns x 30 rows: XOFF "
            "and YOFF start at 0, XOFF + XSIZE is at most 40 and YOFF + YSIZE at most 30.");
  EXPECT_FALSE(checkWindow({-1, 0, 2, 2}, 40, 30, "dem.tif").ok());
  EXPECT_TRUE(checkWindow({30, 26, 10, 4}, 40, 30, "dem.tif").ok());
  EXPECT_EQ(tileWindows(40, 30, 4).message(), "The tile size must be at least 5 cells, not 4.");
  EXPECT_EQ(tileWindow(40, 30, 10, 12, "dem.tif").message(),
            "There is no tile 12: dem.tif has 12 tiles of 10 cells, numbered 0 to 11.");
  EXPECT_EQ(tileWindow(40, 30, 10, 11, "dem.tif").value(), (RasterWindow{30, 20, 10, 10}));
}

// A south-up DEM (a positive line step) is its north-up twin read bottom
// first: the window's walk gives the twin's report, and the streamed run and
// the window's writer give the twin's results, written back in the DEM's own
// order and transform. Strips of 4 of 9 lines end off the file's blocks.
TEST(StreamedRun, SouthUpIsItsNorthUpTwin) {
  ScratchFolder folder("south-up");
  const RasterShape north = roughDem(9, 7, 5);
  RasterShape south = north;
  south.transform = {500000.0, 2.0, 0.0, 5200000.0 - 9 * 3.0, 0.0, 3.0};
  south.value = [twin = north.value](int r, int c) { return twin(8 - r, c); };
  writeRaster(folder.file("north.tif"), north);
  writeRaster(folder.file("south.tif"), south);
  EXPECT_EQ(wholeWalk(folder.file("south.tif")).report, wholeWalk(folder.file("north.tif")).report);
  for (const std::string name : {"north", "south"}) {
    StreamedRasterRun run;
    run.dem = folder.file(name + ".tif");
    run.raster = folder.file(name + "-loss.tif");
    run.stripLines = 4;
    const base::Result<StreamedRasterSummary> done = runStreamedRaster(run);
    ASSERT_TRUE(done.ok()) << done.message();
  }
  const Bands want = readBands(folder.file("north-loss.tif"));
  const Bands got = readBands(folder.file("south-loss.tif"));
  EXPECT_EQ(got.transform, south.transform);
  ASSERT_EQ(got.values.size(), 3u);
  for (int b = 0; b < 3; ++b)
    for (int r = 0; r < 9; ++r)
      for (int c = 0; c < 7; ++c) EXPECT_TRUE(sameBits(got.at(b, 8 - r, c), want.at(b, r, c)));

  const base::Result<platform::ElevationRaster> read =
      platform::readElevationRaster(folder.file("south.tif"), platform::kMostBatchNodes);
  ASSERT_TRUE(read.ok()) << read.message();
  platform::ResultLayer layer{"Z", {}, {}};
  for (double z : read->elevation) layer.values.push_back(static_cast<float>(z));
  ASSERT_TRUE(platform::writeResultRasterFiles(folder.file("z.tif"), read->geometry, {layer}).ok());
  const Bands z = readBands(folder.file("z.tif"));
  EXPECT_EQ(z.transform, south.transform);
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 7; ++c)
      EXPECT_TRUE(sameBits(z.at(0, r, c), static_cast<float>(south.value(r, c))));
}

// The memory a run needs follows the width of its window; a budget below it
// is refused with both figures, the need rounded up and the budget down, and
// no output is made.
TEST(StreamedRun, LinesTooLongForTheBudgetAreRefused) {
  ScratchFolder folder("budget");
  writeRaster(folder.file("dem.tif"), roughDem(40, 3000, 19));
  ScratchFolder out("budget-out");
  StreamedRasterRun run;
  run.dem = folder.file("dem.tif");
  run.raster = out.file("loss.tif");
  run.report = out.file("report.txt");
  run.threads = 2;
  const auto refusedNeed = [&](std::uint64_t budget) {
    run.memoryBudget = budget;
    const base::Result<StreamedRasterSummary> done = runStreamedRaster(run);
    EXPECT_FALSE(done.ok());
    const std::string said = done.message();
    const std::string start = "Cannot run NIBAL on dem.tif: its lines of " +
                              std::to_string(run.window ? run.window->xSize : 3000) +
                              " cells need about ";
    EXPECT_EQ(said.rfind(start, 0), 0u) << said;
    EXPECT_NE(said.find("more than the " + std::to_string(budget >> 20) + " MB this run may use"),
              std::string::npos)
        << said;
    EXPECT_EQ(filesIn(out.file("")), 0u);
    return std::stoull(said.substr(start.size()));
  };
  const std::uint64_t whole = refusedNeed(std::uint64_t{5} << 20);
  run.memoryBudget = whole << 20;
  base::Result<StreamedRasterSummary> done = runStreamedRaster(run);
  EXPECT_TRUE(done.ok()) << done.message();
  std::filesystem::remove_all(out.file(""));
  std::filesystem::create_directories(out.file(""));
  EXPECT_EQ(refusedNeed((whole - 1) << 20), whole);
  run.window = RasterWindow{0, 0, 1000, 40};
  EXPECT_LT(refusedNeed(std::uint64_t{5} << 20), whole);
}

// A DEM that breaks off in the middle is refused naming the first line that
// cannot be read, and a disk that fills up while the result is written gives
// the message; neither leaves a file, finished or temporary, behind.
TEST(StreamedRun, FailuresLeaveNothingBehind) {
  ScratchFolder folder("broken");
  RasterShape shape = roughDem(64, 40, 13);
  writeRaster(folder.file("whole.tif"), shape);
  {
    GDALDatasetUniquePtr source(
        GDALDataset::Open(folder.file("whole.tif").c_str(), GDAL_OF_RASTER));
    const char* lineStrips[] = {"BLOCKYSIZE=1", nullptr};
    GDALDatasetUniquePtr striped(GetGDALDriverManager()->GetDriverByName("GTiff")->CreateCopy(
        folder.file("cut.tif").c_str(), source.get(), FALSE, const_cast<char**>(lineStrips),
        nullptr, nullptr));
  }
  std::filesystem::resize_file(folder.file("cut.tif"),
                               std::filesystem::file_size(folder.file("cut.tif")) * 6 / 10);
  ScratchFolder out("broken-out");
  StreamedRasterRun run;
  run.dem = folder.file("cut.tif");
  run.raster = out.file("loss.tif");
  run.csv = out.file("loss.csv");
  run.stripLines = 16;
  base::Result<StreamedRasterSummary> done = runStreamedRaster(run);
  ASSERT_FALSE(done.ok());
  const std::string said = done.message();
  const std::string start =
      "Cannot use cut.tif as an elevation raster: it breaks off or is damaged near row ";
  ASSERT_EQ(said.rfind(start, 0), 0u) << said;
  const int row = std::stoi(said.substr(start.size()));
  EXPECT_GT(row, 30);  // the first lines are whole: the row is the broken one, not the strip's
  EXPECT_LT(row, 50);
  EXPECT_EQ(filesIn(out.file("")), 0u);

  // A file size limit stands in for the full disk; its signal is ignored so
  // that the write fails instead.
  run.dem = folder.file("whole.tif");
  run.csv.clear();
  rlimit before{};
  getrlimit(RLIMIT_FSIZE, &before);
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = before;
  small.rlim_cur = 4096;
  setrlimit(RLIMIT_FSIZE, &small);
  done = runStreamedRaster(run);
  setrlimit(RLIMIT_FSIZE, &before);
  std::signal(SIGXFSZ, previous);
  ASSERT_FALSE(done.ok());
  EXPECT_EQ(done.message().rfind(std::string(kOutputFailed) +
                                     "\nCannot write the result raster: cannot write " +
                                     out.file("loss.tif"),
                                 0),
            0u)
      << done.message();
  EXPECT_EQ(filesIn(out.file("")), 0u);

  // An interrupt after the first strip: its message, and nothing left.
  run.stripLines = 16;
  run.report = out.file("report.txt");
  int asked = 0;
  run.stopRequested = [&asked] { return ++asked == 1; };
  done = runStreamedRaster(run);
  EXPECT_EQ(done.message(), kRunInterrupted);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(filesIn(out.file("")), 0u);
}

// --cog: a cloud-optimized GeoTIFF with overviews and the same values.
TEST(StreamedRun, CloudOptimizedCopyWithOverviews) {
  ScratchFolder folder("cog");
  RasterShape shape = roughDem(700, 600, 17);
  shape.type = GDT_Float32;
  writeRaster(folder.file("dem.tif"), shape);
  StreamedRasterRun run;
  run.dem = folder.file("dem.tif");
  run.raster = folder.file("plain.tif");
  ASSERT_TRUE(runStreamedRaster(run).ok());
  run.raster = folder.file("cog.tif");
  run.cog = true;
  base::Result<StreamedRasterSummary> done = runStreamedRaster(run);
  ASSERT_TRUE(done.ok()) << done.message();
  EXPECT_EQ(done->outputBytes, std::filesystem::file_size(folder.file("cog.tif")));
  GDALDatasetUniquePtr cog(GDALDataset::Open(folder.file("cog.tif").c_str(), GDAL_OF_RASTER));
  ASSERT_TRUE(cog);
  EXPECT_STREQ(cog->GetMetadataItem("LAYOUT", "IMAGE_STRUCTURE"), "COG");
  EXPECT_STREQ(cog->GetMetadataItem("COMPRESSION", "IMAGE_STRUCTURE"), "DEFLATE");
  EXPECT_GT(cog->GetRasterBand(1)->GetOverviewCount(), 0);
  EXPECT_EQ(cog->GetRasterBand(2)->GetDescription(), kSoilLossRowBand);
  cog.reset();
  const Bands plain = readBands(folder.file("plain.tif"));
  const Bands copy = readBands(folder.file("cog.tif"));
  EXPECT_EQ(plain.values, copy.values);
  EXPECT_EQ(filesIn(folder.file("")), 3u);
}

}  // namespace
}  // namespace sodwright::nibal
