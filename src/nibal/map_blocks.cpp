// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/map_blocks.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace sodwright::nibal {
namespace {

constexpr double kNoMean = std::numeric_limits<double>::quiet_NaN();

int ceilDiv(std::int64_t a, std::int64_t b) { return static_cast<int>((a + b - 1) / b); }

}  // namespace

int blockSizeToFit(std::int64_t rows, std::int64_t columns, int mostRows, int mostColumns) {
  const std::int64_t down = (rows + std::max(mostRows, 1) - 1) / std::max(mostRows, 1);
  const std::int64_t across = (columns + std::max(mostColumns, 1) - 1) / std::max(mostColumns, 1);
  return static_cast<int>(std::max<std::int64_t>({1, down, across}));
}

BlockMeanReducer::BlockMeanReducer(int rows, int columns, int blockSize,
                                   std::optional<double> noData)
    : noData_(noData) {
  means_.blockSize = std::max(blockSize, 1);
  means_.gridRows = std::max(rows, 0);
  means_.gridColumns = std::max(columns, 0);
  means_.rows = ceilDiv(means_.gridRows, means_.blockSize);
  means_.columns = ceilDiv(means_.gridColumns, means_.blockSize);
  means_.values.reserve(static_cast<std::size_t>(means_.rows) *
                        static_cast<std::size_t>(means_.columns));
  sums_.assign(static_cast<std::size_t>(means_.columns), 0.0);
  counts_.assign(static_cast<std::size_t>(means_.columns), 0);
}

template <class T>
void BlockMeanReducer::add(const T* values) {
  if (rowsAdded_ >= means_.gridRows) return;
  const int b = means_.blockSize;
  for (int block = 0; block < means_.columns; ++block) {
    const int first = block * b, last = std::min(first + b, means_.gridColumns);
    double sum = sums_[static_cast<std::size_t>(block)];
    std::int64_t count = counts_[static_cast<std::size_t>(block)];
    for (int c = first; c < last; ++c) {
      const double v = static_cast<double>(values[c]);
      if (std::isnan(v) || (noData_ && v == *noData_)) continue;
      sum += v;
      ++count;
    }
    sums_[static_cast<std::size_t>(block)] = sum;
    counts_[static_cast<std::size_t>(block)] = count;
  }
  ++rowsAdded_;
  if (rowsAdded_ % b == 0 || rowsAdded_ == means_.gridRows) closeBlockRow();
}

void BlockMeanReducer::closeBlockRow() {
  for (int block = 0; block < means_.columns; ++block) {
    const std::int64_t count = counts_[static_cast<std::size_t>(block)];
    means_.values.push_back(
        count > 0 ? sums_[static_cast<std::size_t>(block)] / static_cast<double>(count) : kNoMean);
  }
  std::fill(sums_.begin(), sums_.end(), 0.0);
  std::fill(counts_.begin(), counts_.end(), 0);
}

void BlockMeanReducer::addRow(const double* values) { add(values); }
void BlockMeanReducer::addRow(const float* values) { add(values); }

void BlockMeanReducer::addRows(const double* values, int count) {
  for (int i = 0; i < count; ++i) add(values + static_cast<std::ptrdiff_t>(i) * means_.gridColumns);
}
void BlockMeanReducer::addRows(const float* values, int count) {
  for (int i = 0; i < count; ++i) add(values + static_cast<std::ptrdiff_t>(i) * means_.gridColumns);
}

BlockMeans BlockMeanReducer::finish() {
  // A block row begun but not closed, then the rows never fed.
  if (rowsAdded_ % means_.blockSize != 0 && rowsAdded_ < means_.gridRows) closeBlockRow();
  means_.values.resize(
      static_cast<std::size_t>(means_.rows) * static_cast<std::size_t>(means_.columns), kNoMean);
  return std::move(means_);
}

double nodeLayerValue(const NodeResults& node, double z, MapLayer layer) {
  switch (layer) {
    case MapLayer::SoilLossSum:
      return node.soilLossSum;
    case MapLayer::SoilLossRow:
      return node.soilLossRow;
    case MapLayer::SoilLossCol:
      return node.soilLossCol;
    case MapLayer::DGradCol:
      return node.dGradCol;
    case MapLayer::DCurvCol:
      return node.dCurvCol;
    case MapLayer::DGradRow:
      return node.dGradRow;
    case MapLayer::DCurvRow:
      return node.dCurvRow;
    case MapLayer::Elevation:
      return z;
  }
  return z;
}

GridState blockMapState(const BlockMeans& means, MapLayer layer, const GridInfo& info,
                        double firstEasting, double lastEasting, double firstNorthing,
                        double lastNorthing, const BlockMeans* elevations) {
  GridState state;
  state.info = info;
  state.GridElevation.allocate(means.rows, means.columns);
  state.GridEasting.allocate(means.rows, means.columns);
  state.GridNorthing.allocate(means.rows, means.columns);
  state.results.allocate(means.rows, means.columns);
  GridArray<double>* grid = &state.GridElevation;
  switch (layer) {
    case MapLayer::SoilLossSum:
      grid = &state.results.SoilLossSum;
      break;
    case MapLayer::SoilLossRow:
      grid = &state.results.SoilLossRow;
      break;
    case MapLayer::SoilLossCol:
      grid = &state.results.SoilLossCol;
      break;
    case MapLayer::DGradCol:
      grid = &state.results.DGradCol;
      break;
    case MapLayer::DCurvCol:
      grid = &state.results.DCurvCol;
      break;
    case MapLayer::DGradRow:
      grid = &state.results.DGradRow;
      break;
    case MapLayer::DCurvRow:
      grid = &state.results.DCurvRow;
      break;
    case MapLayer::Elevation:
      break;
  }
  // The centre of block i along a side of n grid cells, as a fraction of
  // the way from the first node to the last.
  const auto along = [&](int i, int n) {
    if (n < 2) return 0.0;
    const double centre = (i * means.blockSize + std::min((i + 1) * means.blockSize, n) - 1) / 2.0;
    return centre / (n - 1);
  };
  for (int r = 0; r < means.rows; ++r)
    for (int c = 0; c < means.columns; ++c) {
      const double v = means.at(r, c);
      (*grid)(r + 1, c + 1) = v;
      if (grid != &state.GridElevation)
        state.GridElevation(r + 1, c + 1) = elevations ? elevations->at(r, c) : v;
      state.GridEasting(r + 1, c + 1) =
          firstEasting + (lastEasting - firstEasting) * along(c, means.gridColumns);
      state.GridNorthing(r + 1, c + 1) =
          firstNorthing + (lastNorthing - firstNorthing) * along(r, means.gridRows);
    }
  return state;
}

}  // namespace sodwright::nibal
