// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The map of a grid far larger than a figure has pixels: each map cell is the
// mean of a square block of grid cells. The means are gathered as the rows
// of a result arrive, one row or one strip of rows at a time, so a run that
// never holds its whole result can still draw its map. A cell without a
// value (no-data) is left out of its block's mean; a block of no-data only
// has no mean (NaN) and is drawn blank.

#include <cstdint>
#include <optional>
#include <vector>

#include "nibal/grid_state.h"
#include "nibal/large_grid.h"
#include "nibal/map_geometry.h"

namespace sodwright::nibal {

// Block means, row-major, rows x columns; NaN where a block holds no value.
struct BlockMeans {
  int blockSize = 1;    // grid cells along each side of a block
  int rows = 0;         // blocks down
  int columns = 0;      // blocks across
  int gridRows = 0;     // the grid the blocks cover; its last block row and
  int gridColumns = 0;  // column may hold fewer cells than a whole block
  std::vector<double> values;

  double at(int row, int column) const {  // both from 0
    return values[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns) +
                  static_cast<std::size_t>(column)];
  }
};

// The smallest block side that brings a rows x columns grid within
// mostRows x mostColumns blocks (1 when it already fits).
int blockSizeToFit(std::int64_t rows, std::int64_t columns, int mostRows, int mostColumns);

// Gathers block means from the rows of a rows x columns grid fed in order
// from the first row. A cell is no-data when it is NaN or equals `noData`.
// Within a block the cells are summed row by row, west to east, and the sum
// divided by the count of cells with a value.
class BlockMeanReducer {
 public:
  BlockMeanReducer(int rows, int columns, int blockSize,
                   std::optional<double> noData = std::nullopt);

  // The next grid row: `columns` values.
  void addRow(const double* values);
  void addRow(const float* values);
  // The next `count` grid rows, row-major, `columns` values each.
  void addRows(const double* values, int count);
  void addRows(const float* values, int count);

  int rowsAdded() const { return rowsAdded_; }
  bool complete() const { return rowsAdded_ == means_.gridRows; }
  // The means; rows never fed count as no-data.
  BlockMeans finish();

 private:
  template <class T>
  void add(const T* values);
  void closeBlockRow();

  BlockMeans means_;
  std::optional<double> noData_;
  int rowsAdded_ = 0;
  std::vector<double> sums_;
  std::vector<std::int64_t> counts_;
};

// The layer's value of a node of a node-by-node run, whose elevation is `z`.
double nodeLayerValue(const NodeResults& node, double z, MapLayer layer);

// A grid state the map draws from: the means as the layer's grid, the
// grid's spacings, and the eastings and northings of the block centres from
// those of the grid's first and last nodes. The elevation grid, which sizes
// the map and is shaded under it, holds `elevations` (block means of the
// same size) when given, else the layer's means. Draw it with
// MapOptions::blocks set from `means`.
GridState blockMapState(const BlockMeans& means, MapLayer layer, const GridInfo& info,
                        double firstEasting, double lastEasting, double firstNorthing,
                        double lastNorthing, const BlockMeans* elevations = nullptr);

}  // namespace sodwright::nibal
