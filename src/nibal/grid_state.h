// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The NIBAL data set: the grid definition `GridInfo`, the node count, the
// easting, northing and elevation grids and the seven result grids. One
// GridState is made at start-up and handed to the grid windows and commands.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace sodwright::nibal {

// A grid indexed (row r, column c), both from 0; the model fills 1..R by 1..C
// and leaves index 0 unused, so node numbers read as in the data files.
// Row-major: a row's nodes are neighbours in memory.
template <class T>
class GridArray {
 public:
  GridArray() = default;
  GridArray(int rows, int columns) { allocate(rows, columns); }

  // Bounds 0..rows by 0..columns, every element cleared.
  void allocate(int rows, int columns) {
    rows_ = rows > 0 ? rows : 0;
    columns_ = columns > 0 ? columns : 0;
    stride_ = static_cast<std::size_t>(columns_) + 1;
    values_.assign((static_cast<std::size_t>(rows_) + 1) * stride_, T{});
  }
  void clear() { *this = GridArray(); }

  int rows() const { return rows_; }
  int columns() const { return columns_; }
  bool empty() const { return rows_ == 0 || columns_ == 0; }
  std::size_t stride() const { return stride_; }

  T& operator()(int r, int c) { return values_[index(r, c)]; }
  const T& operator()(int r, int c) const { return values_[index(r, c)]; }
  T* data() { return values_.data(); }
  const T* data() const { return values_.data(); }

 private:
  std::size_t index(int r, int c) const {
#if defined(SODWRIGHT_CHECKED_ARRAYS)
    if (r < 0 || r > rows_ || c < 0 || c > columns_)
      throw std::out_of_range("grid index out of bounds");
#endif
    return static_cast<std::size_t>(r) * stride_ + static_cast<std::size_t>(c);
  }

  int rows_ = 0;
  int columns_ = 0;
  std::size_t stride_ = 1;
  std::vector<T> values_;
};

// An easting or northing as read: the text of a text-file field or workbook
// cell, or the number of a numeric workbook cell. It is shown and reported,
// never computed with.
using GridCoordinate = std::variant<std::string, double>;

// The grid size and spacings as the user typed them (numbers are taken from
// the texts where they are used), and the four coefficients of the last run.
struct GridInfo {
  std::string Rows;
  std::string Columns;
  std::string RowSpacing;     // between neighbouring nodes of one row
  std::string ColumnSpacing;  // between neighbouring nodes of one column
  double BettaCol = 0.0;
  double BettaRow = 0.0;
  double GammaCol = 0.0;
  double GammaRow = 0.0;
};

// Per node results of a run, percent and percent per length unit; positive
// soil loss is loss, negative is gain.
struct GridResults {
  GridArray<double> DGradCol;
  GridArray<double> DCurvCol;
  GridArray<double> DGradRow;
  GridArray<double> DCurvRow;
  GridArray<double> SoilLossCol;
  GridArray<double> SoilLossRow;
  GridArray<double> SoilLossSum;

  void allocate(int rows, int columns) {
    for (GridArray<double>* grid :
         {&DGradCol, &DCurvCol, &DGradRow, &DCurvRow, &SoilLossCol, &SoilLossRow, &SoilLossSum})
      grid->allocate(rows, columns);
  }
  void clear() { *this = GridResults(); }
};

// Grid sizes that passed the checks of "Import Data": whole counts with at
// least 4 x 4 nodes and no more than the 16-bit node count holds, positive
// spacings, and the texts as typed.
struct GridDefinition {
  int rows = 0;
  int columns = 0;
  std::string rowsText;
  std::string columnsText;
  std::string rowSpacingText;
  std::string columnSpacingText;
};

struct GridState {
  GridInfo info;
  std::int16_t GridNodeCount = 0;
  GridArray<GridCoordinate> GridEasting;
  GridArray<GridCoordinate> GridNorthing;
  GridArray<double> GridElevation;
  GridResults results;
  std::string skippedHeading;  // the heading line the last text import skipped, if any

  bool hasGrid() const { return !GridElevation.empty(); }
};

}  // namespace sodwright::nibal
