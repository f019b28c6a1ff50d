// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/grid_shape.h"

#include <string>

#include <gtest/gtest.h>

namespace sodwright::nibal {
namespace {

// A field of 5 rows x 6 columns, eastings 2 m and northings 3 m apart, its
// records (rows outer) put into a grid of `rows` x `columns`; `byColumns`
// lists the field's nodes column by column instead.
GridState fieldReadAs(int rows, int columns, bool byColumns = false, double jitter = 0.0) {
  GridState state;
  state.info.RowSpacing = "2";
  state.info.ColumnSpacing = "3";
  state.GridEasting.allocate(rows, columns);
  state.GridNorthing.allocate(rows, columns);
  for (int n = 0; n < 30; ++n) {
    const int fieldRow = byColumns ? n % 5 : n / 6;
    const int fieldColumn = byColumns ? n / 5 : n % 6;
    const int r = n / columns + 1;
    const int c = n % columns + 1;
    state.GridEasting(r, c) = 512000.0 + 2.0 * fieldColumn + (fieldRow % 2) * jitter;
    state.GridNorthing(r, c) = 4801000.0 - 3.0 * fieldRow - (fieldColumn % 2) * jitter;
  }
  return state;
}

TEST(GridShape, SwappedRowsAndColumnsNameTheFirstBrokenNodeAndTheTrueShape) {
  const auto finding = findGridShapeMismatch(fieldReadAs(6, 5));
  ASSERT_TRUE(finding.has_value());
  EXPECT_EQ(finding->row, 2);
  EXPECT_EQ(finding->column, 1);
  EXPECT_EQ(finding->suggestedRows, 5);
  EXPECT_EQ(finding->suggestedColumns, 6);
  EXPECT_EQ(finding->message,
            "The eastings and northings do not form 6 rows x 5 columns: node (2, 1) has easting "
            "512010 where node (1, 1) of its column has 512000. The coordinates suggest 5 rows x 6 "
            "columns.");
}

TEST(GridShape, AMatchingGridWithinAHundredthOfASpacingOrWithTextCoordinatesPasses) {
  EXPECT_FALSE(findGridShapeMismatch(fieldReadAs(5, 6)).has_value());
  EXPECT_FALSE(findGridShapeMismatch(fieldReadAs(5, 6, false, 0.019)).has_value());
  EXPECT_TRUE(findGridShapeMismatch(fieldReadAs(5, 6, false, 0.021)).has_value());
  GridState named = fieldReadAs(6, 5);
  named.GridEasting(3, 3) = std::string("P13");
  EXPECT_FALSE(findGridShapeMismatch(named).has_value());
}

TEST(GridShape, AFileListedByColumnsIsSaidToBe) {
  const auto finding = findGridShapeMismatch(fieldReadAs(5, 6, true));
  ASSERT_TRUE(finding.has_value());
  EXPECT_EQ(finding->row, 1);
  EXPECT_EQ(finding->column, 2);
  EXPECT_EQ(finding->suggestedRows, 0);
  EXPECT_NE(finding->message.find("column by column (5 to a column)"), std::string::npos)
      << finding->message;
}

}  // namespace
}  // namespace sodwright::nibal
