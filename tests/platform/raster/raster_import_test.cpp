// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "nibal/grid_import.h"
#include "nibal/grid_model.h"
#include "nibal/raster/raster_grid.h"
#include "raster_test_support.h"

namespace sodwright::platform {
namespace {

using testing::RasterShape;
using testing::ScratchFolder;
using testing::writeRaster;

nibal::GridState importRaster(const std::string& path) {
  base::Result<ElevationRaster> read = readElevationRaster(path, kMostBatchNodes);
  EXPECT_TRUE(read.ok()) << read.message();
  nibal::GridState state;
  if (read.ok())
    nibal::replaceGrid(state, nibal::gridDefinition(read->geometry), nibal::gridData(*read));
  return state;
}

void run(nibal::GridState& state) {
  nibal::readGridParameters(state.info, nibal::GridParameterTexts{});
  nibal::clearGridResults(state);
  nibal::computeColumnDirection(state);
  nibal::computeRowDirection(state);
  nibal::computeSoilLossSum(state);
}

// Raster lines are grid rows, the first line (north) being row 1; a plane
// rising to the east shows only in the row direction and one rising to the
// north only in the column direction, each with its own cell size (2 m wide,
// 3 m high).
TEST(RasterImport, TiltedPlanesShowInTheirOwnDirection) {
  ScratchFolder folder("tilt");
  RasterShape east;
  east.value = [](int, int c) { return 0.01 * (c + 0.5) * 2.0; };
  writeRaster(folder.file("east.tif"), east);
  nibal::GridState state = importRaster(folder.file("east.tif"));
  EXPECT_EQ(state.info.RowSpacing, "2");
  EXPECT_EQ(state.info.ColumnSpacing, "3");
  EXPECT_DOUBLE_EQ(std::get<double>(state.GridEasting(1, 1)), 500001.0);
  EXPECT_DOUBLE_EQ(std::get<double>(state.GridNorthing(1, 1)), 5199998.5);
  run(state);
  for (int r = 1; r <= 6; ++r) {
    EXPECT_NEAR(state.results.DGradRow(r, 1), 1.0, 1e-6);  // 0.02 m up per 2 m: 1 %
    EXPECT_NEAR(state.results.DGradRow(r, 5), -1.0, 1e-6);
    for (int c = 1; c <= 5; ++c) EXPECT_EQ(state.results.DGradCol(r, c), 0.0);
  }

  RasterShape north;
  north.transform[1] = 3.0;  // square cells, as an ESRI ASCII grid holds
  north.value = [](int r, int) { return -0.01 * (r + 0.5) * 3.0; };
  writeRaster(folder.file("north.asc"), north);
  state = importRaster(folder.file("north.asc"));
  run(state);
  for (int c = 1; c <= 5; ++c) {
    // Walking down a column goes south, so downhill: 0.03 m per 3 m, -1 %.
    EXPECT_NEAR(state.results.DGradCol(1, c), -1.0, 1e-6);
    EXPECT_NEAR(state.results.DGradCol(6, c), 1.0, 1e-6);
    for (int r = 1; r <= 6; ++r) EXPECT_EQ(state.results.DGradRow(r, c), 0.0);
  }
}

// The same nodes as a raster and as a text file give the same soil loss to
// the last bit, in the window's grid and in the batch's node-by-node run.
TEST(RasterImport, GivesTheTextImportsResultsExactly) {
  ScratchFolder folder("same");
  RasterShape bump;
  bump.value = [](int r, int c) {
    return 100.0 + 0.37 * c - 0.21 * r + (r == 2 && c == 3 ? 1.7 : 0.0);
  };
  writeRaster(folder.file("bump.tif"), bump);
  nibal::GridState fromRaster = importRaster(folder.file("bump.tif"));
  run(fromRaster);

  std::string text;
  for (int r = 0; r < bump.rows; ++r)
    for (int c = 0; c < bump.columns; ++c)
      text += std::to_string(c) + "\t" + std::to_string(r) + "\t" + exactText(bump.value(r, c)) +
              "\r\n";
  base::Result<nibal::GridData> read = nibal::parseGridText(text, '\t', bump.rows, bump.columns);
  ASSERT_TRUE(read.ok()) << read.message();
  nibal::GridState fromText;
  nibal::replaceGrid(fromText, nibal::GridDefinition{6, 5, "6", "5", "2", "3"}, std::move(*read));
  run(fromText);

  base::Result<ElevationRaster> raster =
      readElevationRaster(folder.file("bump.tif"), kMostBatchNodes);
  ASSERT_TRUE(raster.ok());
  base::Result<std::vector<ResultLayer>> layers = nibal::runRasterGrid(*raster, {3, 6, 6, 12}, {});
  ASSERT_TRUE(layers.ok()) << layers.message();
  std::size_t at = 0;
  for (int r = 1; r <= bump.rows; ++r)
    for (int c = 1; c <= bump.columns; ++c, ++at) {
      EXPECT_EQ(fromRaster.results.SoilLossRow(r, c), fromText.results.SoilLossRow(r, c));
      EXPECT_EQ(fromRaster.results.SoilLossCol(r, c), fromText.results.SoilLossCol(r, c));
      EXPECT_EQ(fromRaster.results.SoilLossSum(r, c), fromText.results.SoilLossSum(r, c));
      EXPECT_EQ(layers->at(0).values[at], static_cast<float>(fromText.results.SoilLossSum(r, c)));
      EXPECT_EQ(layers->at(1).values[at], static_cast<float>(fromText.results.SoilLossRow(r, c)));
      EXPECT_EQ(layers->at(2).values[at], static_cast<float>(fromText.results.SoilLossCol(r, c)));
    }
  EXPECT_NE(fromText.results.SoilLossSum(2, 4), 0.0);  // the bump moved soil
}

struct BadRaster {
  std::string name;
  std::function<void(const std::string& path)> make;
  std::string says;
};

void writeText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// Gives a little-endian classic TIFF's header another width and height (tags
// 256 and 257, as 32-bit values), its data left as they are.
void claimSize(const std::string& path, std::uint32_t columns, std::uint32_t rows) {
  std::string bytes;
  {
    std::ifstream in(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
  }
  const auto read = [&](std::size_t at, std::size_t size) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, size);
    return value;
  };
  const std::uint32_t directory = read(4, 4);
  for (std::uint32_t i = 0; i < read(directory, 2); ++i) {
    const std::size_t entry = directory + 2 + 12 * i;
    const std::uint32_t tag = read(entry, 2);
    if (tag != 256 && tag != 257) continue;
    const std::uint16_t type = 4;
    const std::uint32_t count = 1;
    const std::uint32_t value = tag == 256 ? columns : rows;
    std::memcpy(bytes.data() + entry + 2, &type, 2);
    std::memcpy(bytes.data() + entry + 4, &count, 4);
    std::memcpy(bytes.data() + entry + 8, &value, 4);
  }
  std::ofstream(path, std::ios::binary) << bytes;
}

// Every refusal names the file and says what is wrong.
TEST(RasterRefusal, EachBadRasterGetsItsMessage) {
  ScratchFolder folder("bad");
  const auto with = [](std::function<void(RasterShape&)> change) {
    return [change](const std::string& path) {
      RasterShape shape;
      change(shape);
      writeRaster(path, shape);
    };
  };
  const std::vector<BadRaster> cases = {
      {"hole.tif", with([](RasterShape& s) {
         s.setNoData = true;
         s.value = [](int r, int c) { return r == 2 && c == 3 ? -9999.0 : 5.0; };
       }),
       "no-data cells, the first at row 3, column 4"},
      {"rgb.tif", with([](RasterShape& s) { s.bands = 3; }), "it has 3 bands"},
      {"dot.tif", with([](RasterShape& s) { s.rows = s.columns = 1; }),
       "1 rows x 1 columns; NIBAL needs at least 4 x 4"},
      {"nan.tif", with([](RasterShape& s) {
         s.value = [](int r, int) { return r == 4 ? std::nan("") : 1.0; };
       }),
       "row 5, column 1 holds NaN"},
      {"inf.tif",
       with([](RasterShape& s) { s.value = [](int, int c) { return c == 2 ? HUGE_VAL : 1.0; }; }),
       "row 1, column 3 holds an infinite value"},
      // GDAL itself would read these words as 0 in a grid of whole numbers.
      {"words.asc",
       [](const std::string& path) {
         writeText(path,
                   "ncols 4\nnrows 4\nxllcorner 0\nyllcorner 0\ncellsize 1\n1 2 3 4\n1 2 3 4\n"
                   "1 2 nan 4\n1 2 3 -inf\n");
       },
       "its values hold \"nan\""},
      {"turned.tif", with([](RasterShape& s) { s.transform = {0, 2, 0.5, 0, 0.5, -2}; }),
       "rotated or sheared"},
      {"degrees.tif", with([](RasterShape& s) {
         s.epsg = 4326;
         s.transform = {10, 0.01, 0, 50, 0, -0.01};
       }),
       "measured in degrees"},
      {"plain.tif", with([](RasterShape& s) { s.georeferenced = false; }), "no georeferencing"},
      {"notes.tif",
       [](const std::string& path) {
         writeText(path, "easting\tnorthing\televation\r\n1\t2\t3\r\n");
       },
       "is not a GeoTIFF or ESRI ASCII grid"},
      {"huge.tif",
       [](const std::string& path) {
         // A header of 100,000 x 100,000 cells whose data were never written.
         const char* sparse[] = {"SPARSE_OK=TRUE", "TILED=YES", "BIGTIFF=YES", nullptr};
         GDALDatasetUniquePtr header(GetGDALDriverManager()->GetDriverByName("GTiff")->Create(
             path.c_str(), 100000, 100000, 1, GDT_Float32, const_cast<char**>(sparse)));
         double transform[6] = {0, 1, 0, 0, 0, -1};
         header->SetGeoTransform(transform);
       },
       "100000 rows x 100000 columns = 10000000000 nodes, more than the 50000000"},
      {"lying.tif",
       [](const std::string& path) {
         writeRaster(path, RasterShape{});
         claimSize(path, 1000000, 1000000);
       },
       "its header claims 1000000 rows x 1000000 columns, which needs at least"},
      {"headonly.asc",
       [](const std::string& path) {
         writeText(path, "ncols 100000\nnrows 100000\nxllcorner 0\nyllcorner 0\ncellsize 1\n");
       },
       "is not a GeoTIFF or ESRI ASCII grid that can be read, or it is damaged"},
      {"cut.tif",
       [](const std::string& path) {
         RasterShape shape;
         shape.rows = shape.columns = 64;
         shape.value = [](int r, int c) { return r + c; };
         writeRaster(path, shape);
         std::filesystem::resize_file(path, std::filesystem::file_size(path) / 2);
       },
       "damaged"},
      {"missing.tif", [](const std::string&) {}, "there is no such file"},
  };
  for (const BadRaster& bad : cases) {
    SCOPED_TRACE(bad.name);
    const std::string path = folder.file(bad.name);
    bad.make(path);
    base::Result<ElevationRaster> read = readElevationRaster(path, kMostBatchNodes);
    EXPECT_FALSE(read.ok());
    EXPECT_EQ(read.message().rfind("Cannot use " + bad.name + " as an elevation raster: ", 0), 0u)
        << read.message();
    EXPECT_NE(read.message().find(bad.says), std::string::npos) << read.message();
  }
}

}  // namespace
}  // namespace sodwright::platform
