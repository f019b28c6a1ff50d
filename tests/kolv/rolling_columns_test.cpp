// SPDX-License-Identifier: GPL-3.0-or-later
// A rolling array lends a dropped column's storage to the next column of its
// parity; reaching the dropped column afterwards must not return the other
// sequence's values.

#include <stdexcept>

#include <gtest/gtest.h>

#include "kolv/state/bounded_array.h"

namespace sodwright::kolv {
namespace {

NodeSeqArray<double> rollingArray() {
  NodeSeqArray<double> a;
  a.allocate(0, 3, 0, 7);
  a.keepColumnsOnly({0, 4});
  return a;
}

void writeColumn(NodeSeqArray<double>& a, int seq) {
  a.clearSharedColumn(seq);
  for (int i = 0; i <= 3; ++i) a(i, seq) = 10.0 * seq + i;
}

// Both shared slots (the first of them too) are cleared for the column
// that takes them over, as a column of its own reads 0 before a run.
TEST(RollingColumns, EitherSharedSlotReadsZeroOnceTakenOver) {
  for (int earlier : {1, 2}) {
    NodeSeqArray<double> a = rollingArray();
    writeColumn(a, earlier);
    a.clearSharedColumn(earlier + 4);
    for (int i = 0; i <= 3; ++i) EXPECT_EQ(a(i, earlier + 4), 0.0) << earlier << " " << i;
  }
}

TEST(RollingColumns, ADroppedColumnIsRefusedOnceAnotherHoldsItsSlot) {
#if !defined(SODWRIGHT_CHECKED_ARRAYS)
  GTEST_SKIP() << "the check is compiled into checked builds only";
#else
  NodeSeqArray<double> a = rollingArray();
  EXPECT_EQ(a(2, 5), 0.0);  // nothing written yet: reads 0 like a column of its own
  writeColumn(a, 1);
  NodeSeqArray<double> before = a;
  writeColumn(a, 2);
  writeColumn(a, 3);
  EXPECT_EQ(a(2, 3), 32.0);
  EXPECT_EQ(a(1, 2), 21.0);
  EXPECT_EQ(a.column(4)[0], 0.0);  // a kept column is its own
  EXPECT_THROW((void)a(2, 1), std::logic_error);
  EXPECT_THROW((void)a.column(5), std::logic_error);  // never written, slot held by 3
  EXPECT_THROW(a(0, 7) = 1, std::logic_error);

  // Copying columns back copies which column holds each slot.
  a.copyColumns(before, 1, 1);
  EXPECT_EQ(a(2, 1), 12.0);
  EXPECT_THROW((void)a(2, 3), std::logic_error);
  EXPECT_EQ(a(1, 2), 21.0);  // the other parity's slot was not copied
#endif
}

}  // namespace
}  // namespace sodwright::kolv
