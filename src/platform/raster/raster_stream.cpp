// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/raster/raster_stream.h"

#include <filesystem>
#include <limits>
#include <system_error>

#include <gdal_priv.h>
#include <gdal_utils.h>
#include <unistd.h>

#include "base/files/output_batch.h"
#include "platform/raster/gdal_support.h"
#include "platform/raster/raster_drivers.h"
#include "platform/raster/result_raster.h"

namespace sodwright::platform {

namespace {

namespace fs = std::filesystem;

std::string withExtension(const std::string& path, const std::string& extension) {
  return fs::path(path).replace_extension(extension).string();
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
  // The raster library chooses nothing by the name, but a reader may: the
  // temporary keeps the GeoTIFF's extension.
  base::Result<base::PendingPath> reserved = base::PendingPath::reserve(path, ".tif");
  if (!reserved)
    return base::fail("Cannot write the result raster: cannot write " + path + ": " +
                      std::string(base::reasonOf(reserved.message())));
  writer->pending_.push_back(std::move(*reserved));
  const std::string& temporary = writer->pending_.front().path();

  const GdalErrors gdal;
  GDALDriver* tiff = GetGDALDriverManager()->GetDriverByName("GTiff");
  const char* options[] = {"TILED=YES",        "BLOCKXSIZE=256",       "BLOCKYSIZE=256",
                           "COMPRESS=DEFLATE", "PREDICTOR=3",          "BIGTIFF=IF_SAFER",
                           "SPARSE_OK=FALSE",  "NUM_THREADS=ALL_CPUS", nullptr};
  writer->dataset_.reset(tiff->Create(temporary.c_str(), geometry.columns, geometry.rows,
                                      static_cast<int>(bands.size()), GDT_Float32,
                                      const_cast<char**>(options)));
  if (!writer->dataset_)
    return base::fail("Cannot write the result raster: cannot write " + path + gdal.detail());
  std::array<double, 6> transform = geometry.fileTransform();
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
  pending_.clear();
}

base::Result<> ResultRasterWriter::write(int firstLine, int lines,
                                         const std::vector<const float*>& bands) {
  const GdalErrors gdal;
  for (std::size_t b = 0; b < bands.size(); ++b) {
    GDALRasterBand* band = dataset_->GetRasterBand(static_cast<int>(b) + 1);
    // A south-up raster's lines go back to the file's order, last first.
    auto* values = const_cast<float*>(bands[b]);
    const auto width = static_cast<std::size_t>(geometry_.columns);
    bool written = true;
    if (geometry_.southUp) {
      for (int i = 0; i < lines && written; ++i)
        written = band->RasterIO(GF_Write, 0, geometry_.rows - 1 - (firstLine + i),
                                 geometry_.columns, 1, values + static_cast<std::size_t>(i) * width,
                                 geometry_.columns, 1, GDT_Float32, 0, 0, nullptr) == CE_None;
    } else {
      written = band->RasterIO(GF_Write, 0, firstLine, geometry_.columns, lines, values,
                               geometry_.columns, lines, GDT_Float32, 0, 0, nullptr) == CE_None;
    }
    if (!written || CPLGetLastErrorType() == CE_Failure) {
      const std::string detail = gdal.detail();
      removeTemporaries();
      return base::fail("Cannot write the result raster: cannot write " + path_ + detail);
    }
  }
  return {};
}

base::Result<std::vector<std::string>> ResultRasterWriter::finish() {
  const GdalErrors gdal;
  std::string refusal;  // why a temporary could not be had
  const auto failed = [&](const std::string& file) -> base::Result<std::vector<std::string>> {
    const std::string detail = refusal.empty() ? gdal.detail() : ": " + refusal;
    removeTemporaries();
    return base::fail("Cannot write the result raster: cannot write " + file + detail);
  };
  dataset_->FlushCache(true);
  if (CPLGetLastErrorType() == CE_Failure) return failed(path_);
  dataset_.reset();  // closing writes what is left
  if (CPLGetLastErrorType() == CE_Failure) return failed(path_);

  const auto pending = [&](base::Result<base::PendingPath> reserved) -> const std::string* {
    if (!reserved) {
      refusal = std::string(base::reasonOf(reserved.message()));
      return nullptr;
    }
    pending_.push_back(std::move(*reserved));
    return &pending_.back().path();
  };
  std::vector<std::string> files;
  std::vector<std::size_t> moves;  // of pending_, in order
  if (driver_ == "GTiff" && !cog_) {
    moves.push_back(0);
  } else {
    GDALDatasetUniquePtr whole(
        GDALDataset::Open(pending_.front().path().c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY));
    if (!whole) return failed(path_);
    if (cog_) {
      const std::string* reserved = pending(base::PendingPath::reserve(path_, ".cog.tif"));
      if (reserved == nullptr) return failed(path_);
      const std::string cogTemporary = *reserved;
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
      moves.push_back(pending_.size() - 1);
    } else {
      std::vector<ResultLayer> named;
      for (const std::string& name : bandNames_) named.push_back({name, {}, {}});
      const std::vector<std::string> finals = resultRasterPaths(path_, named);
      for (std::size_t b = 0; b < finals.size(); ++b) {
        const std::string* reserved = pending(base::PendingPath::reserve(finals[b], ".asc"));
        if (reserved == nullptr) return failed(finals[b]);
        const std::size_t gridAt = pending_.size() - 1;
        const std::string grid = *reserved;
        if (pending(pending_[gridAt].companion(".prj", withExtension(finals[b], ".prj"))) ==
            nullptr)
          return failed(finals[b]);
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
        moves.push_back(gridAt);
        if (fs::exists(withExtension(grid, ".prj"))) moves.push_back(gridAt + 1);
      }
    }
  }
  // In a batch of outputs the files are named with the run's others.
  base::OutputBatch* batch = base::OutputBatch::current();
  for (std::size_t at : moves) {
    const std::string to = pending_[at].target();
    std::error_code ignored;
    const std::uintmax_t size = fs::file_size(pending_[at].path(), ignored);
    if (!ignored) bytes_ += size;
    if (batch != nullptr) {
      batch->keep(std::move(pending_[at]));
    } else if (auto moved = pending_[at].commit(); !moved) {
      removeTemporaries();
      return base::fail("Cannot write the result raster: " +
                        std::string(base::reasonOf(moved.message())));
    }
    if (fs::path(to).extension() != ".prj") files.push_back(to);
  }
  removeTemporaries();
  return files;
}

}  // namespace sodwright::platform
