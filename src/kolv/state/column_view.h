// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A view of one sequence column of a node-by-sequence array (or of a node
// array), indexed by node number, so that the engine's loops read like the
// formulas: e[i], e[i - 1]. Bounds are checked in checked builds.

#include "kolv/state/bounded_array.h"

namespace sodwright::kolv {

template <class T>
class ColumnView {
 public:
  ColumnView(T* first, int lower, int upper) : first_(first), lower_(lower), upper_(upper) {}

  T& operator[](int node) const {
    SODWRIGHT_ARRAY_CHECK(node >= lower_ && node <= upper_);
    return first_[node - lower_];
  }
  // Address of a node's element, for loops over a contiguous node range.
  T* at(int node) const {
    SODWRIGHT_ARRAY_CHECK(node >= lower_ && node <= upper_ + 1);
    return first_ + (node - lower_);
  }
  int lower() const { return lower_; }
  int upper() const { return upper_; }

 private:
  T* first_;
  int lower_;
  int upper_;
};

template <class T>
ColumnView<T> columnOf(NodeSeqArray<T>& array, int seq) {
  return ColumnView<T>(array.column(seq), array.nodeLower(), array.nodeUpper());
}
template <class T>
ColumnView<const T> columnOf(const NodeSeqArray<T>& array, int seq) {
  return ColumnView<const T>(array.column(seq), array.nodeLower(), array.nodeUpper());
}
template <class T>
ColumnView<T> columnOf(NodeArray<T>& array) {
  return ColumnView<T>(array.data(), array.lower(), array.upper());
}
template <class T>
ColumnView<const T> columnOf(const NodeArray<T>& array) {
  return ColumnView<const T>(array.data(), array.lower(), array.upper());
}

}  // namespace sodwright::kolv
