// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/raster/elevation_raster.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <new>

#include <gdal_priv.h>
#include <ogr_spatialref.h>

#include "platform/raster/gdal_support.h"
#include "platform/raster/raster_drivers.h"
#include "platform/raster/raster_stream.h"

namespace sodwright::platform {

namespace {

constexpr int kFewestNodesPerSide = 4;
// Lines read per RasterIO call: large enough to be quick, small next to the grid.
constexpr int kLinesPerRead = 256;

std::string refusal(const std::string& path, const std::string& why) {
  return "Cannot use " + displayName(path) + " as an elevation raster: " + why;
}

std::string nodeText(int row, int column) {
  return "row " + std::to_string(row + 1) + ", column " + std::to_string(column + 1);
}

std::string sizeText(int rows, int columns) {
  return std::to_string(rows) + " rows x " + std::to_string(columns) + " columns";
}

// What the header's size needs of the file, at the least: a TIFF stores an
// offset and a byte count of two bytes or more for every block (a few fit in
// the header's own entries), an ESRI ASCII grid a digit and a blank for every
// cell. A header that claims more is lying, and reading it would take memory
// and time for cells that are not there.
std::optional<std::string> claimBeyondFile(const std::string& path, GDALDataset& dataset,
                                           const RasterGeometry& g) {
  VSIStatBufL stat{};
  if (VSIStatL(path.c_str(), &stat) != 0) return std::nullopt;
  const auto fileBytes = static_cast<std::uint64_t>(stat.st_size);
  const auto cells = static_cast<std::uint64_t>(g.rows) * static_cast<std::uint64_t>(g.columns);
  std::uint64_t least = 0;
  std::string what;
  if (std::string(dataset.GetDriverName()) == "AAIGrid") {
    least = 2 * cells - 1;
    what = "a digit and a blank for each of its " + std::to_string(cells) + " cells";
  } else {
    int blockWidth = 0;
    int blockHeight = 0;
    dataset.GetRasterBand(1)->GetBlockSize(&blockWidth, &blockHeight);
    blockWidth = std::max(1, blockWidth);
    blockHeight = std::max(1, blockHeight);
    const std::uint64_t blocks =
        ((static_cast<std::uint64_t>(g.columns) + blockWidth - 1) / blockWidth) *
        ((static_cast<std::uint64_t>(g.rows) + blockHeight - 1) / blockHeight);
    if (blocks > 4) least = 4 * blocks;
    what = "the place and size of each of its " + std::to_string(blocks) + " blocks of " +
           std::to_string(blockWidth) + " x " + std::to_string(blockHeight) + " cells";
  }
  if (least <= fileBytes) return std::nullopt;
  return "its header claims " + std::to_string(g.rows) + " rows x " + std::to_string(g.columns) +
         " columns, which needs at least " + std::to_string(least) + " bytes (" + what +
         "), but the file has " + std::to_string(fileBytes) + " bytes: it is damaged or cut short";
}

// Lines i and lines - 1 - i of a block of `columns` values a line swapped:
// a south-up file's lines in north-up order.
void reverseLines(double* values, int lines, int columns) {
  const auto width = static_cast<std::size_t>(columns);
  for (int i = 0, j = lines - 1; i < j; ++i, --j)
    std::swap_ranges(values + static_cast<std::size_t>(i) * width,
                     values + static_cast<std::size_t>(i + 1) * width,
                     values + static_cast<std::size_t>(j) * width);
}

// The first of `lines` file lines that hold north-up lines first.. of g.
int fileLineOf(const RasterGeometry& g, int first, int lines) {
  return g.southUp ? g.rows - first - lines : first;
}

struct OpenRaster {
  GDALDatasetUniquePtr dataset;
  RasterGeometry geometry;
};

// Opens the file and checks what the header says; the caller gets either the
// open dataset with its geometry or the refusal.
base::Result<OpenRaster> openRaster(const std::string& path) {
  useRasterDrivers();
  GdalErrors gdal;
  static const char* const kDrivers[] = {"GTiff", "AAIGrid", nullptr};
  GDALDatasetUniquePtr dataset(GDALDataset::Open(path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY,
                                                 kDrivers, nullptr, nullptr));
  // GDAL's own word for a missing file is that it cannot be opened; the
  // likelier slip, a mistyped name, deserves its plain name. GDAL's virtual
  // paths (/vsi...) are not files to look for.
  std::error_code missing;
  if (!dataset && path.rfind("/vsi", 0) != 0 && !std::filesystem::exists(path, missing))
    return base::fail(refusal(path, "there is no such file"));
  if (!dataset)
    return base::fail(
        refusal(path, "it is not a GeoTIFF or ESRI ASCII grid that can be read, or it is damaged" +
                          gdal.detail()));
  if (dataset->GetRasterCount() != 1)
    return base::fail(refusal(path, "it has " + std::to_string(dataset->GetRasterCount()) +
                                        " bands; NIBAL needs a single band of elevations "
                                        "(gdal_translate -b 1 takes the first)"));
  GDALRasterBand* band = dataset->GetRasterBand(1);
  if (GDALDataTypeIsComplex(band->GetRasterDataType()))
    return base::fail(refusal(path, "its values are complex numbers, not elevations"));

  RasterGeometry g;
  g.rows = dataset->GetRasterYSize();
  g.columns = dataset->GetRasterXSize();
  if (dataset->GetGeoTransform(g.transform.data()) != CE_None)
    return base::fail(refusal(path, "it has no georeferencing, so the cell size is unknown"));
  if (g.transform[2] != 0.0 || g.transform[4] != 0.0)
    return base::fail(refusal(path,
                              "its grid is rotated or sheared; warp it to a north-up grid first "
                              "(gdalwarp)"));
  if (!(g.rowSpacing() > 0.0) || !(g.columnSpacing() > 0.0) || !std::isfinite(g.transform[0]) ||
      !std::isfinite(g.transform[3]))
    return base::fail(refusal(path, "its cell size or origin is not a positive finite number"));
  if (g.transform[5] > 0.0) {
    g.southUp = true;
    g.transform[3] += static_cast<double>(g.rows) * g.transform[5];
    g.transform[5] = -g.transform[5];
  }
  if (const OGRSpatialReference* crs = dataset->GetSpatialRef()) {
    if (crs->IsGeographic())
      return base::fail(refusal(path,
                                "its cells are measured in degrees; reproject it to a projected "
                                "coordinate system in metres first (gdalwarp -t_srs)"));
    char* wkt = nullptr;
    if (crs->exportToWkt(&wkt) == OGRERR_NONE && wkt != nullptr) g.crsWkt = wkt;
    CPLFree(wkt);
  }
  if (g.rows < kFewestNodesPerSide || g.columns < kFewestNodesPerSide)
    return base::fail(refusal(
        path, "it has " + sizeText(g.rows, g.columns) + "; NIBAL needs at least 4 x 4 nodes"));
  if (const std::optional<std::string> lie = claimBeyondFile(path, *dataset, g))
    return base::fail(refusal(path, *lie));
  return OpenRaster{std::move(dataset), g};
}

// Checks one block of values read from lines first.. and applies scale and offset.
base::Result<> checkValues(double* values, int lines, int firstLine, int columns, bool hasNoData,
                           double noData, double scale, double offset) {
  for (int i = 0; i < lines; ++i) {
    for (int c = 0; c < columns; ++c) {
      double& v = values[static_cast<std::size_t>(i) * static_cast<std::size_t>(columns) + c];
      if (hasNoData && (v == noData || (std::isnan(v) && std::isnan(noData))))
        return base::fail("it has no-data cells, the first at " + nodeText(firstLine + i, c) +
                          "; fill or crop them first (gdal_fillnodata.py fills holes)");
      if (!std::isfinite(v))
        return base::fail("the cell at " + nodeText(firstLine + i, c) + " holds " +
                          (std::isnan(v) ? "NaN" : "an infinite value") + ", not an elevation");
      if (scale != 1.0 || offset != 0.0) v = v * scale + offset;
      if (!std::isfinite(v))
        return base::fail("the cell at " + nodeText(firstLine + i, c) +
                          " is out of range once scaled");
    }
  }
  return {};
}

// As checkValues, but a no-data cell becomes NaN: the edge of the field.
base::Result<> markNoData(double* values, int lines, int firstLine, int firstColumn, int columns,
                          bool hasNoData, double noData, double scale, double offset) {
  for (int i = 0; i < lines; ++i) {
    double* line = values + static_cast<std::size_t>(i) * static_cast<std::size_t>(columns);
    for (int c = 0; c < columns; ++c) {
      double& v = line[c];
      if (hasNoData && (v == noData || (std::isnan(v) && std::isnan(noData)))) {
        v = std::numeric_limits<double>::quiet_NaN();
        continue;
      }
      if (!std::isfinite(v))
        return base::fail("the cell at " + nodeText(firstLine + i, firstColumn + c) + " holds " +
                          (std::isnan(v) ? "NaN" : "an infinite value") + ", not an elevation");
      if (scale != 1.0 || offset != 0.0) v = v * scale + offset;
      if (!std::isfinite(v))
        return base::fail("the cell at " + nodeText(firstLine + i, firstColumn + c) +
                          " is out of range once scaled");
    }
  }
  return {};
}

// GDAL reads a word such as "nan" or "inf" in an ESRI ASCII grid whose other
// values are whole numbers as 0, so the values part of such a file is looked
// over first: after the header lines (each opening with a keyword) only
// numbers may follow. Returns the first word found.
std::optional<std::string> wordInAsciiGrid(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  static const char* const kKeywords[] = {"ncols",     "nrows",       "xllcorner", "yllcorner",
                                          "xllcenter", "yllcenter",   "cellsize",  "dx",
                                          "dy",        "nodata_value"};
  std::string line;
  std::streampos valuesStart = 0;
  // A header line is a keyword and a number: a longer "line" (a file
  // without line ends) is not one, and is not held whole.
  constexpr std::streamsize kLongestHeaderLine = 4096;
  std::vector<char> header(static_cast<std::size_t>(kLongestHeaderLine));
  while (in.getline(header.data(), kLongestHeaderLine)) {
    line.assign(header.data());
    std::string first;
    for (char ch : line) {
      if (std::isspace(static_cast<unsigned char>(ch))) {
        if (!first.empty()) break;
        continue;
      }
      first += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    }
    bool keyword = false;
    for (const char* k : kKeywords) keyword = keyword || first == k;
    if (!keyword) break;
    valuesStart = in.tellg();
  }
  in.clear();
  in.seekg(valuesStart);
  std::string word;
  char buffer[1 << 16];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    for (std::streamsize i = 0; i < in.gcount(); ++i) {
      const auto ch = static_cast<unsigned char>(buffer[i]);
      if (std::isalpha(ch) && ch != 'e' && ch != 'E')
        word += static_cast<char>(ch);
      else if (!word.empty())
        return word;
    }
  }
  if (!word.empty()) return word;
  return std::nullopt;
}

// Cells the band's own mask marks invalid (a mask beside the data rather than
// a no-data value).
bool maskHidesCells(GDALRasterBand* band) {
  const int flags = band->GetMaskFlags();
  return (flags & GMF_ALL_VALID) == 0 && (flags & GMF_NODATA) == 0;
}

}  // namespace

std::array<double, 6> RasterGeometry::fileTransform() const {
  std::array<double, 6> file = transform;
  if (southUp) {
    file[3] += static_cast<double>(rows) * transform[5];
    file[5] = -transform[5];
  }
  return file;
}

double RasterGeometry::rowSpacing() const { return std::abs(transform[1]); }
double RasterGeometry::columnSpacing() const { return std::abs(transform[5]); }
double RasterGeometry::easting(int column) const {
  return transform[0] + (column + 0.5) * transform[1];
}
double RasterGeometry::northing(int row) const { return transform[3] + (row + 0.5) * transform[5]; }

base::Result<RasterGeometry> readRasterGeometry(const std::string& path) {
  const GdalErrors gdal;  // outlives the dataset, which closes at the return
  base::Result<OpenRaster> open = openRaster(path);
  if (!open.ok()) return base::fail(open.message());
  return open->geometry;
}

base::Result<ElevationRaster> readElevationRaster(const std::string& path, std::int64_t mostNodes,
                                                  bool* noDataRefused) {
  if (noDataRefused != nullptr) *noDataRefused = false;
  GdalErrors gdal;  // outlives the dataset, which closes at the return
  base::Result<OpenRaster> open = openRaster(path);
  if (!open.ok()) return base::fail(open.message());
  const RasterGeometry& g = open->geometry;
  if (g.nodeCount() > mostNodes)
    return base::fail(refusal(path, "it has " + sizeText(g.rows, g.columns) + " = " +
                                        std::to_string(g.nodeCount()) + " nodes, more than the " +
                                        std::to_string(mostNodes) + " this program reads"));
  GDALRasterBand* band = open->dataset->GetRasterBand(1);
  if (maskHidesCells(band))
    return base::fail(
        refusal(path, "it carries a mask of invalid cells; fill them and drop the mask first"));
  if (std::string(open->dataset->GetDriverName()) == "AAIGrid")
    if (const std::optional<std::string> word = wordInAsciiGrid(path))
      return base::fail(
          refusal(path, "its values hold \"" + *word + "\", which is not an elevation"));
  int hasNoData = 0;
  const double noData = band->GetNoDataValue(&hasNoData);
  const double scale = band->GetScale();
  const double offset = band->GetOffset();

  ElevationRaster raster;
  raster.geometry = g;
  try {
    raster.elevation.resize(static_cast<std::size_t>(g.nodeCount()));
  } catch (const std::bad_alloc&) {
    return base::fail(refusal(
        path, "there is not enough memory for its " + std::to_string(g.nodeCount()) + " nodes"));
  }
  for (int first = 0; first < g.rows; first += kLinesPerRead) {
    const int lines = std::min(kLinesPerRead, g.rows - first);
    double* block = raster.elevation.data() +
                    static_cast<std::size_t>(first) * static_cast<std::size_t>(g.columns);
    if (band->RasterIO(GF_Read, 0, fileLineOf(g, first, lines), g.columns, lines, block, g.columns,
                       lines, GDT_Float64, 0, 0, nullptr) != CE_None)
      return base::fail(
          refusal(path, "it breaks off or is damaged near " + nodeText(first, 0) + gdal.detail()));
    if (g.southUp) reverseLines(block, lines, g.columns);
    if (auto checked =
            checkValues(block, lines, first, g.columns, hasNoData != 0, noData, scale, offset);
        !checked) {
      if (noDataRefused != nullptr)
        *noDataRefused = checked.message().rfind("it has no-data", 0) == 0;
      return base::fail(refusal(path, checked.message()));
    }
  }
  return raster;
}

void CloseDataset::operator()(GDALDataset* dataset) const {
  if (dataset != nullptr) GDALClose(GDALDataset::ToHandle(dataset));
}

ElevationStrips::~ElevationStrips() = default;

base::Result<std::unique_ptr<ElevationStrips>> ElevationStrips::open(const std::string& path) {
  GdalErrors gdal;
  base::Result<OpenRaster> opened = openRaster(path);
  if (!opened.ok()) return base::fail(opened.message());
  GDALRasterBand* band = opened->dataset->GetRasterBand(1);
  if (maskHidesCells(band))
    return base::fail(
        refusal(path, "it carries a mask of invalid cells; fill them and drop the mask first"));
  if (std::string(opened->dataset->GetDriverName()) == "AAIGrid")
    if (const std::optional<std::string> word = wordInAsciiGrid(path))
      return base::fail(
          refusal(path, "its values hold \"" + *word + "\", which is not an elevation"));
  std::unique_ptr<ElevationStrips> strips(new ElevationStrips);
  strips->path_ = path;
  strips->geometry_ = opened->geometry;
  int blockWidth = 0;
  int blockHeight = 0;
  band->GetBlockSize(&blockWidth, &blockHeight);
  strips->blockLines_ = std::max(1, blockHeight);
  strips->blockBytes_ = static_cast<std::int64_t>(std::max(1, blockWidth)) * strips->blockLines_ *
                        GDALGetDataTypeSizeBytes(band->GetRasterDataType());
  int hasNoData = 0;
  strips->noData_ = band->GetNoDataValue(&hasNoData);
  strips->hasNoData_ = hasNoData != 0;
  strips->scale_ = band->GetScale();
  strips->offset_ = band->GetOffset();
  strips->dataset_.reset(opened->dataset.release());
  return strips;
}

base::Result<> ElevationStrips::read(int firstLine, int lines, int firstColumn, int columns,
                                     double* out) {
  GdalErrors gdal;
  GDALRasterBand* band = dataset_->GetRasterBand(1);
  const RasterGeometry& g = geometry_;
  if (band->RasterIO(GF_Read, firstColumn, fileLineOf(g, firstLine, lines), columns, lines, out,
                     columns, lines, GDT_Float64, 0, 0, nullptr) != CE_None) {
    // Line by line, to name the first line that cannot be read.
    int broken = firstLine;
    for (int i = 0; i < lines; ++i) {
      double* line = out + static_cast<std::size_t>(i) * static_cast<std::size_t>(columns);
      if (band->RasterIO(GF_Read, firstColumn, fileLineOf(g, firstLine + i, 1), columns, 1, line,
                         columns, 1, GDT_Float64, 0, 0, nullptr) != CE_None) {
        broken = firstLine + i;
        break;
      }
    }
    return base::fail(refusal(path_, "it breaks off or is damaged near " +
                                         nodeText(broken, firstColumn) + gdal.detail()));
  }
  if (g.southUp) reverseLines(out, lines, columns);
  if (auto checked = markNoData(out, lines, firstLine, firstColumn, columns, hasNoData_, noData_,
                                scale_, offset_);
      !checked)
    return base::fail(refusal(path_, checked.message()));
  return {};
}

std::string exactText(double value) {
  char text[32];
  const auto [end, error] = std::to_chars(text, text + sizeof text, value);
  return error == std::errc() ? std::string(text, end) : std::string("0");
}

}  // namespace sodwright::platform
