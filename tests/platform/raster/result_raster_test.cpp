// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>
#include <sstream>

#include <gtest/gtest.h>

#include "nibal/grid_model.h"
#include "nibal/grid_report.h"
#include "nibal/raster/raster_grid.h"
#include "raster_test_support.h"

namespace sodwright::platform {
namespace {

using testing::RasterShape;
using testing::ScratchFolder;
using testing::writeRaster;

// SoilLossSum of every node from the text report's table, in node order.
std::vector<double> reportedSoilLossSum(const nibal::GridState& state) {
  std::ostringstream report;
  nibal::writeGridReport(report, state, "today");
  std::istringstream lines(report.str());
  std::string line;
  for (int skip = 0; skip < 23; ++skip) std::getline(lines, line);
  std::vector<double> sums;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string last;
    for (std::string field; fields >> field;) last = field;
    sums.push_back(std::stod(last));
  }
  return sums;
}

// Results written as GeoTIFF bands and as ESRI ASCII grids read back with the
// DEM's geotransform and coordinate system, their layer names, and the values
// the text report prints (to its three decimals; exactly as 32-bit floats).
TEST(ResultRaster, ReadsBackGeoreferencedLikeTheDem) {
  ScratchFolder folder("out");
  RasterShape dem;
  dem.transform[1] = 3.0;  // square cells, as an ESRI ASCII grid holds
  dem.value = [](int r, int c) {
    return 250.0 + 0.4 * c * c - 0.3 * r + (r == 3 && c == 1 ? 0.8 : 0.0);
  };
  writeRaster(folder.file("dem.tif"), dem);
  base::Result<ElevationRaster> raster =
      readElevationRaster(folder.file("dem.tif"), kMostBatchNodes);
  ASSERT_TRUE(raster.ok()) << raster.message();
  base::Result<std::vector<ResultLayer>> layers = nibal::runRasterGrid(*raster, {3, 6, 6, 12}, {});
  ASSERT_TRUE(layers.ok());

  nibal::GridState state;
  nibal::replaceGrid(state, nibal::gridDefinition(raster->geometry), nibal::gridData(*raster));
  nibal::readGridParameters(state.info, nibal::GridParameterTexts{});
  nibal::clearGridResults(state);
  nibal::computeColumnDirection(state);
  nibal::computeRowDirection(state);
  nibal::computeSoilLossSum(state);
  const std::vector<double> reported = reportedSoilLossSum(state);
  ASSERT_EQ(reported.size(), 30u);

  OGRSpatialReference utm;
  utm.importFromEPSG(testing::kUtmZone33);
  for (const std::string name : {"loss.tif", "loss.asc"}) {
    SCOPED_TRACE(name);
    base::Result<std::vector<std::string>> written =
        writeResultRasterFiles(folder.file(name), raster->geometry, *layers);
    ASSERT_TRUE(written.ok()) << written.message();
    const bool tiff = name == "loss.tif";
    ASSERT_EQ(written->size(), tiff ? 1u : 3u);
    // The sum: band 1 of the GeoTIFF, the first file of the grids.
    GDALDatasetUniquePtr back(GDALDataset::Open(written->front().c_str(), GDAL_OF_RASTER));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->GetRasterCount(), tiff ? 3 : 1);
    std::array<double, 6> transform{};
    back->GetGeoTransform(transform.data());
    EXPECT_EQ(transform, dem.transform);
    ASSERT_NE(back->GetSpatialRef(), nullptr);
    EXPECT_TRUE(back->GetSpatialRef()->IsSame(&utm));
    if (tiff) {
      EXPECT_STREQ(back->GetRasterBand(1)->GetDescription(),
                   "SoilLossSum (kg/m2; positive = loss)");
      EXPECT_STREQ(back->GetRasterBand(2)->GetDescription(),
                   "SoilLossRow (kg/m2; positive = loss)");
      EXPECT_STREQ(back->GetRasterBand(3)->GetDescription(),
                   "SoilLossCol (kg/m2; positive = loss)");
    } else {
      EXPECT_NE(written->front().find("loss_SoilLossSum.asc"), std::string::npos);
    }
    std::vector<float> sums(30);
    ASSERT_EQ(back->GetRasterBand(1)->RasterIO(GF_Read, 0, 0, 5, 6, sums.data(), 5, 6, GDT_Float32,
                                               0, 0, nullptr),
              CE_None);
    for (std::size_t i = 0; i < sums.size(); ++i) {
      EXPECT_EQ(sums[i], layers->at(0).values[i]);
      EXPECT_NEAR(sums[i], reported[i], 0.0005 + 1e-4 * std::abs(reported[i]));
    }
  }
}

TEST(ResultRaster, RefusesWhatItCannotWrite) {
  RasterGeometry geometry;
  base::Result<std::vector<std::string>> written =
      writeResultRasterFiles("/tmp/loss.png", geometry, {});
  EXPECT_FALSE(written.ok());
  EXPECT_NE(written.message().find("GeoTIFF (.tif, .tiff) or an ESRI ASCII grid (.asc)"),
            std::string::npos);
  geometry.transform = {0, 2, 0, 0, 0, -3};
  written = writeResultRasterFiles("/tmp/loss.asc", geometry, {});
  EXPECT_FALSE(written.ok());
  EXPECT_NE(written.message().find("square cells only, and these are 2 by 3; write a GeoTIFF"),
            std::string::npos);
}

}  // namespace
}  // namespace sodwright::platform
