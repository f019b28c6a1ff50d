// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/raster/raster_stream.h"

#include <filesystem>
#include <limits>
#include <system_error>

#include <gdal_priv.h>
#include <gdal_utils.h>
#include <unistd.h>

#include "platform/raster/gdal_support.h"
#include "platform/raster/raster_drivers.h"
#include "platform/raster/result_raster.h"

namespace sodwright::platform {

namespace {

namespace fs = std::filesystem;

// "<folder>/.<name>.<pid>.partial<ext>": beside the output, so that the
// rename is one step on one file system, and hidden while it is written.
std::string temporaryBeside(const std::string& path, const std::string& extension) {
  const fs::path asked(path);
  const std::string name =
      "." + asked.stem().string() + "." + std::to_string(::getpid()) + ".partial" + extension;
  return (asked.parent_path() / name).string();
}

std::string withExtension(const std::string& path, const std::string& extension) {
  return fs::path(path).replace_extension(extension).string();
}

void removeQuietly(const std::string& path) {
  std::error_code ignored;
  fs::remove(path, ignored);
}

base::Result<> moveInto(const std::string& from, const std::string& to) {
  std::error_code error;
  fs::rename(from, to, error);
  if (error) return base::fail("cannot rename the finished file to " + to + ": " + error.message());
  return {};
}

}  // namespace

void setRasterCacheBytes(std::int64_t bytes) {
  useRasterDrivers();
  GDALSetCacheMax64(bytes);
}

double resultNoData() { return static_cast<double>(std::numeric_limits<float>::lowest()); }

base::Result<std::unique_ptr<ResultRasterWriter>> ResultRasterWriter::create(
    const std::string& path, const RasterGeometry& geometry, const std::vector<std::string>& bands,
    bool cog, const std::vector<std::string>& descriptions) {
  useRasterDrivers();
  const std::string driver = driverForPath(path);
  if (driver.empty())
    return base::fail("Cannot write " + displayName(path) +
                      ": a result raster is a GeoTIFF (.tif, .tiff) or an ESRI ASCII grid (.asc)");
  if (driver == "AAIGrid" && geometry.rowSpacing() != geometry.columnSpacing())
    return base::fail("Cannot write " + displayName(path) +
                      ": an ESRI ASCII grid holds square cells only, and "
                      "these are " +
                      exactText(geometry.rowSpacing()) + " by " +
                      exactText(geometry.columnSpacing()) + "; write a GeoTIFF (.tif) instead");
  if (cog && driver != "GTiff")
    return base::fail("Cannot write " + displayName(path) +
                      ": a cloud-optimized GeoTIFF is a .tif or .tiff file");
  std::unique_ptr<ResultRasterWriter> writer(new ResultRasterWriter);
  writer->path_ = path;
  writer->driver_ = driver;
  writer->cog_ = cog;
  writer->bandNames_ = bands;
  writer->geometry_ = geometry;
  writer->temporary_ = temporaryBeside(path, ".tif");
  writer->leftovers_.push_back(writer->temporary_);

  const GdalErrors gdal;
  GDALDriver* tiff = GetGDALDriverManager()->GetDriverByName("GTiff");
  const char* options[] = {"TILED=YES",        "BLOCKXSIZE=256",       "BLOCKYSIZE=256",
                           "COMPRESS=DEFLATE", "PREDICTOR=3",          "BIGTIFF=IF_SAFER",
                           "SPARSE_OK=FALSE",  "NUM_THREADS=ALL_CPUS", nullptr};
  writer->dataset_.reset(tiff->Create(writer->temporary_.c_str(), geometry.columns, geometry.rows,
                                      static_cast<int>(bands.size()), GDT_Float32,
                                      const_cast<char**>(options)));
  if (!writer->dataset_)
    return base::fail("Cannot write the result raster: cannot write " + path + gdal.detail());
  std::array<double, 6> transform = geometry.transform;
  writer->dataset_->SetGeoTransform(transform.data());
  if (!geometry.crsWkt.empty()) writer->dataset_->SetProjection(geometry.crsWkt.c_str());
  for (std::size_t b = 0; b < bands.size(); ++b) {
    GDALRasterBand* band = writer->dataset_->GetRasterBand(static_cast<int>(b) + 1);
    band->SetDescription(
        (b < descriptions.size() && !descriptions[b].empty() ? descriptions[b] : bands[b]).c_str());
    band->SetNoDataValue(resultNoData());
  }
  return writer;
}

ResultRasterWriter::~ResultRasterWriter() { removeTemporaries(); }

void ResultRasterWriter::removeTemporaries() {
  dataset_.reset();
  for (const std::string& file : leftovers_) removeQuietly(file);
  leftovers_.clear();
}

base::Result<> ResultRasterWriter::write(int firstLine, int lines,
                                         const std::vector<const float*>& bands) {
  const GdalErrors gdal;
  for (std::size_t b = 0; b < bands.size(); ++b) {
    GDALRasterBand* band = dataset_->GetRasterBand(static_cast<int>(b) + 1);
    if (band->RasterIO(GF_Write, 0, firstLine, geometry_.columns, lines,
                       const_cast<float*>(bands[b]), geometry_.columns, lines, GDT_Float32, 0, 0,
                       nullptr) != CE_None ||
        CPLGetLastErrorType() == CE_Failure) {
      const std::string detail = gdal.detail();
      removeTemporaries();
      return base::fail("Cannot write the result raster: cannot write " + path_ + detail);
    }
  }
  return {};
}

base::Result<std::vector<std::string>> ResultRasterWriter::finish() {
  const GdalErrors gdal;
  const auto failed = [&](const std::string& file) -> base::Result<std::vector<std::string>> {
    const std::string detail = gdal.detail();
    removeTemporaries();
    return base::fail("Cannot write the result raster: cannot write " + file + detail);
  };
  dataset_->FlushCache(true);
  if (CPLGetLastErrorType() == CE_Failure) return failed(path_);
  dataset_.reset();  // closing writes what is left
  if (CPLGetLastErrorType() == CE_Failure) return failed(path_);

  std::vector<std::string> files;
  std::vector<std::pair<std::string, std::string>> moves;  // temporary, final
  if (driver_ == "GTiff" && !cog_) {
    moves.emplace_back(temporary_, path_);
  } else {
    GDALDatasetUniquePtr whole(
        GDALDataset::Open(temporary_.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY));
    if (!whole) return failed(path_);
    if (cog_) {
      const std::string cogTemporary = temporaryBeside(path_, ".cog.tif");
      leftovers_.push_back(cogTemporary);
      GDALDriver* cogDriver = GetGDALDriverManager()->GetDriverByName("COG");
      const char* options[] = {"COMPRESS=DEFLATE", "PREDICTOR=YES", "BIGTIFF=IF_SAFER",
                               "OVERVIEWS=AUTO", nullptr};
      GDALDatasetUniquePtr written(cogDriver == nullptr
                                       ? nullptr
                                       : cogDriver->CreateCopy(cogTemporary.c_str(), whole.get(),
                                                               FALSE, const_cast<char**>(options),
                                                               nullptr, nullptr));
      if (!written) return failed(path_);
      written.reset();
      if (CPLGetLastErrorType() == CE_Failure) return failed(path_);
      moves.emplace_back(cogTemporary, path_);
    } else {
      std::vector<ResultLayer> named;
      for (const std::string& name : bandNames_) named.push_back({name, {}, {}});
      const std::vector<std::string> finals = resultRasterPaths(path_, named);
      for (std::size_t b = 0; b < finals.size(); ++b) {
        const std::string grid = temporaryBeside(finals[b], ".asc");
        leftovers_.push_back(grid);
        leftovers_.push_back(withExtension(grid, ".prj"));
        const std::string band = std::to_string(b + 1);
        const char* arguments[] = {
            "-of", "AAIGrid", "-b", band.c_str(), "-co", "SIGNIFICANT_DIGITS=9", nullptr};
        GDALTranslateOptions* translate =
            GDALTranslateOptionsNew(const_cast<char**>(arguments), nullptr);
        int usageError = 0;
        GDALDatasetH out =
            GDALTranslate(grid.c_str(), GDALDataset::ToHandle(whole.get()), translate, &usageError);
        GDALTranslateOptionsFree(translate);
        if (out == nullptr) return failed(finals[b]);
        GDALClose(out);
        if (CPLGetLastErrorType() == CE_Failure) return failed(finals[b]);
        moves.emplace_back(grid, finals[b]);
        if (fs::exists(withExtension(grid, ".prj")))
          moves.emplace_back(withExtension(grid, ".prj"), withExtension(finals[b], ".prj"));
      }
    }
  }
  for (const auto& [from, to] : moves) {
    if (auto moved = moveInto(from, to); !moved) {
      removeTemporaries();
      return base::fail("Cannot write the result raster: " + moved.message());
    }
    std::error_code ignored;
    const std::uintmax_t size = fs::file_size(to, ignored);
    if (!ignored) bytes_ += size;
    if (fs::path(to).extension() != ".prj") files.push_back(to);
  }
  removeTemporaries();
  return files;
}

}  // namespace sodwright::platform
