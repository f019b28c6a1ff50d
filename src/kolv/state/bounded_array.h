// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Arrays indexed from an explicit lower bound: by node (which may be
// negative) and by node and sequence. The 2-D array is contiguous per
// sequence column, since a pass reads column s and writes column s + 1.
// Access is bounds-checked in sanitizer builds.

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>
#include <type_traits>
#include <utility>
#include <vector>

namespace sodwright::kolv {

#if defined(SODWRIGHT_CHECKED_ARRAYS)
#define SODWRIGHT_ARRAY_CHECK(cond)                                    \
  do {                                                                 \
    if (!(cond)) throw std::out_of_range("array index out of bounds"); \
  } while (0)
// A column a rolling array does not keep, read after another column took
// its storage.
#define SODWRIGHT_COLUMN_CHECK(cond)                                                        \
  do {                                                                                      \
    if (!(cond)) throw std::logic_error("a dropped column of a rolling array was reached"); \
  } while (0)
#else
#define SODWRIGHT_ARRAY_CHECK(cond) ((void)0)
#define SODWRIGHT_COLUMN_CHECK(cond) ((void)0)
#endif

template <class T>
class NodeArray {
 public:
  NodeArray() = default;
  NodeArray(int lower, int upper) { allocate(lower, upper); }

  // Gives the bounds lower..upper (inclusive) and clears every element.
  void allocate(int lower, int upper) {
    lower_ = lower;
    upper_ = upper;
    values_.assign(upper >= lower ? static_cast<std::size_t>(upper - lower + 1) : 0, T{});
  }
  int lower() const { return lower_; }
  int upper() const { return upper_; }
  bool empty() const { return values_.empty(); }
  bool contains(int i) const { return i >= lower_ && i <= upper_; }

  T& operator()(int i) {
    SODWRIGHT_ARRAY_CHECK(contains(i));
    return values_[static_cast<std::size_t>(i - lower_)];
  }
  const T& operator()(int i) const {
    SODWRIGHT_ARRAY_CHECK(contains(i));
    return values_[static_cast<std::size_t>(i - lower_)];
  }
  T* data() { return values_.data(); }
  const T* data() const { return values_.data(); }

 private:
  int lower_ = 0;
  int upper_ = -1;
  std::vector<T> values_;
};

// Asks the system to back a large fresh block with large pages where it
// can, so that a run that fills it meets one page fault per 2 MiB instead of
// one per 4 KiB. Changes no byte; nothing where the system has no such pages.
void adviseLargePages(void* block, std::size_t bytes);

// Storage of zeroed elements from calloc: a large block comes as fresh pages
// that the system zeroes only when first touched, so the columns a run never
// reaches cost neither time nor memory. For element types whose zero bits
// are the value 0 (float, double).
template <class T>
class ZeroedBuffer {
  static_assert(std::is_trivially_copyable_v<T>, "zeroed storage holds plain numbers only");

 public:
  ZeroedBuffer() = default;
  explicit ZeroedBuffer(std::size_t count) : count_(count) {
    if (count == 0) return;
    data_ = static_cast<T*>(std::calloc(count, sizeof(T)));
    if (data_ == nullptr) throw std::bad_alloc();
    adviseLargePages(data_, count * sizeof(T));
  }
  ZeroedBuffer(const ZeroedBuffer& other) : ZeroedBuffer(other.count_) {
    if (count_ != 0) std::memcpy(data_, other.data_, count_ * sizeof(T));
  }
  ZeroedBuffer(ZeroedBuffer&& other) noexcept
      : data_(std::exchange(other.data_, nullptr)), count_(std::exchange(other.count_, 0)) {}
  // A copy into a buffer of the same size reuses its block (a worker that
  // resets its workspace from a study for every member takes no new memory).
  ZeroedBuffer& operator=(const ZeroedBuffer& other) {
    if (this == &other) return *this;
    if (count_ == other.count_) {
      if (count_ != 0) std::memcpy(data_, other.data_, count_ * sizeof(T));
      return *this;
    }
    return *this = ZeroedBuffer(other);
  }
  ZeroedBuffer& operator=(ZeroedBuffer&& other) noexcept {
    std::swap(data_, other.data_);
    std::swap(count_, other.count_);
    return *this;
  }
  ~ZeroedBuffer() { std::free(data_); }

  T* data() { return data_; }
  const T* data() const { return data_; }
  std::size_t size() const { return count_; }

 private:
  T* data_ = nullptr;
  std::size_t count_ = 0;
};

// A node-by-sequence array. Every sequence column has storage of its own,
// unless keepColumnsOnly() has made it a rolling array: then only the kept
// columns do, and every other column shares one of two slots with the
// columns of its parity, so that a run, which reads column s while it writes
// column s + 1, needs two columns of memory instead of one per sequence.
// A shared slot belongs to the column last cleared into it; in checked
// builds, reaching a column whose slot another column holds throws, instead
// of returning that other sequence's values.
template <class T>
class NodeSeqArray {
 public:
  NodeSeqArray() = default;

  // Node bounds nodeLower..nodeUpper, sequence bounds seqLower..seqUpper;
  // every element reads 0 and every column has storage of its own.
  void allocate(int nodeLower, int nodeUpper, int seqLower, int seqUpper) {
    nodeLower_ = nodeLower;
    nodeUpper_ = nodeUpper;
    seqLower_ = seqLower;
    seqUpper_ = seqUpper;
    const std::size_t nodes =
        nodeUpper >= nodeLower ? static_cast<std::size_t>(nodeUpper - nodeLower + 1) : 0;
    stride_ = nodes;
    slots_.clear();
    holders_ = {kNoHolder, kNoHolder};
    values_ = ZeroedBuffer<T>();  // the old block goes before the new one is taken
    values_ = ZeroedBuffer<T>(nodes * columnCount());
  }
  // Makes this a rolling array: the columns in `kept` (those inside the
  // bounds) keep their values; every other column must hold only zeros, and
  // afterwards holds what the last column of its parity written there holds.
  void keepColumnsOnly(const std::vector<int>& kept) {
    std::vector<std::size_t> place(columnCount(), kNoSlot);
    std::size_t next = 0;
    for (const int seq : kept)
      if (seq >= seqLower_ && seq <= seqUpper_ && place[offset(seq)] == kNoSlot)
        place[offset(seq)] = next++;
    for (std::size_t c = 0; c < place.size(); ++c)
      if (place[c] == kNoSlot) place[c] = next + (c % 2);
    ZeroedBuffer<T> values(stride_ * (next + 2));
    for (std::size_t c = 0; c < place.size(); ++c)
      if (place[c] < next && stride_ != 0)
        std::memcpy(values.data() + place[c] * stride_, column(seqLower_ + static_cast<int>(c)),
                    stride_ * sizeof(T));
    keptColumns_ = next;
    slots_ = std::move(place);
    values_ = std::move(values);
    holders_ = {kNoHolder, kNoHolder};
  }
  bool rolling() const { return !slots_.empty(); }
  // Whether the column shares its storage with others (in a rolling array).
  bool sharesColumn(int seq) const { return rolling() && slots_[offset(seq)] >= keptColumns_; }
  // Zeros a shared column before a run writes it, as a column of its own
  // reads before its first run.
  void clearSharedColumn(int seq) {
    if (!sharesColumn(seq)) return;
    holders_[slots_[offset(seq)] - keptColumns_] = seq;
    if (stride_ != 0) std::memset(column(seq), 0, stride_ * sizeof(T));
  }
  int nodeLower() const { return nodeLower_; }
  int nodeUpper() const { return nodeUpper_; }
  int seqLower() const { return seqLower_; }
  int seqUpper() const { return seqUpper_; }
  bool contains(int node, int seq) const {
    return node >= nodeLower_ && node <= nodeUpper_ && seq >= seqLower_ && seq <= seqUpper_;
  }

  T& operator()(int node, int seq) {
    SODWRIGHT_ARRAY_CHECK(contains(node, seq));
    SODWRIGHT_COLUMN_CHECK(holds(seq));
    return values_.data()[index(node, seq)];
  }
  const T& operator()(int node, int seq) const {
    SODWRIGHT_ARRAY_CHECK(contains(node, seq));
    SODWRIGHT_COLUMN_CHECK(holds(seq));
    return values_.data()[index(node, seq)];
  }
  // The column of one sequence, indexed from nodeLower().
  T* column(int seq) {
    SODWRIGHT_ARRAY_CHECK(seq >= seqLower_ && seq <= seqUpper_);
    SODWRIGHT_COLUMN_CHECK(holds(seq));
    return values_.data() + slotOf(seq) * stride_;
  }
  const T* column(int seq) const {
    SODWRIGHT_ARRAY_CHECK(seq >= seqLower_ && seq <= seqUpper_);
    SODWRIGHT_COLUMN_CHECK(holds(seq));
    return values_.data() + slotOf(seq) * stride_;
  }
  std::size_t byteSize() const { return values_.size() * sizeof(T); }
  // Copies columns first..last (clamped to the bounds) from an array of the
  // same bounds and layout, leaving the others as they are.
  void copyColumns(const NodeSeqArray& from, int first, int last) {
    first = first < seqLower_ ? seqLower_ : first;
    last = last > seqUpper_ ? seqUpper_ : last;
    if (last < first || stride_ == 0) return;
    if (!rolling()) {
      std::memcpy(column(first), from.column(first),
                  static_cast<std::size_t>(last - first + 1) * stride_ * sizeof(T));
      return;
    }
    // A shared slot is copied whole, with the column that holds it.
    for (int seq = first; seq <= last; ++seq) {
      const std::size_t slot = slotOf(seq);
      std::memcpy(values_.data() + slot * stride_, from.values_.data() + slot * stride_,
                  stride_ * sizeof(T));
      if (slot >= keptColumns_) holders_[slot - keptColumns_] = from.holders_[slot - keptColumns_];
    }
  }
  bool sameBounds(const NodeSeqArray& other) const {
    return nodeLower_ == other.nodeLower_ && nodeUpper_ == other.nodeUpper_ &&
           seqLower_ == other.seqLower_ && seqUpper_ == other.seqUpper_ && slots_ == other.slots_;
  }

 private:
  static constexpr std::size_t kNoSlot = static_cast<std::size_t>(-1);
  // No column has been cleared into the shared slot: it still reads 0, as
  // every column it stands for does.
  static constexpr int kNoHolder = -1;
  // Whether the column's storage holds that column's own values.
  bool holds(int seq) const {
    if (!rolling()) return true;
    const std::size_t slot = slots_[offset(seq)];
    if (slot < keptColumns_) return true;
    const int holder = holders_[slot - keptColumns_];
    return holder == kNoHolder || holder == seq;
  }
  std::size_t columnCount() const {
    return seqUpper_ >= seqLower_ ? static_cast<std::size_t>(seqUpper_ - seqLower_ + 1) : 0;
  }
  std::size_t offset(int seq) const { return static_cast<std::size_t>(seq - seqLower_); }
  std::size_t slotOf(int seq) const { return slots_.empty() ? offset(seq) : slots_[offset(seq)]; }
  std::size_t index(int node, int seq) const {
    return slotOf(seq) * stride_ + static_cast<std::size_t>(node - nodeLower_);
  }
  int nodeLower_ = 0;
  int nodeUpper_ = -1;
  int seqLower_ = 0;
  int seqUpper_ = -1;
  std::size_t stride_ = 0;
  // Empty: column c has slot c. Else the slot of each column; slots from
  // keptColumns_ on are the two shared ones.
  std::vector<std::size_t> slots_;
  std::size_t keptColumns_ = 0;
  // The column each of the two shared slots holds.
  std::array<int, 2> holders_{kNoHolder, kNoHolder};
  ZeroedBuffer<T> values_;
};

}  // namespace sodwright::kolv
