// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The windows of one wave of the stability scan worked out in vector lanes:
// the bounds and steps the screened scan needs, each element through the
// operations of the scalar functions in their order, so every lane rounds
// as they do. Kept apart from the scan because this file is compiled so
// that the square root may run in vector lanes (it sets no errno); the
// complex magnitude of the library is never used here.

#include <complex>
#include <cstddef>
#include <vector>

namespace sodwright::kolv {

// Room left for the rounding of the magnitude bounds: far more than the few
// units in the last place they can be off by.
inline constexpr double kBoundMargin = 1e-12;

// The running sums of one wave by component: part k (fixed and per-Beta part
// of the first pass, then of the second) summed over the nodes before node i
// at position i.
struct SumColumns {
  std::vector<double> re[4], im[4];
  void resize(std::size_t size);
  // Part k averaged over the `width` nodes from node w, formed as the complex
  // difference and quotient form it (component by component).
  std::complex<double> average(int k, std::size_t w, std::size_t width) const {
    const double n = static_cast<double>(width);
    return {(re[k][w + width] - re[k][w]) / n, (im[k][w + width] - im[k][w]) / n};
  }
};

// Windows handled together: their values stay in the first-level cache.
inline constexpr std::size_t kWindowBlock = 256;

// The bounds decided the magnitude, and the complex product needed no
// library help.
inline constexpr unsigned kLaneSettled = 1;
// The magnitude is above the limit: the step is 0.
inline constexpr unsigned kLaneAbove = 2;
// z is 0: the step is infinite.
inline constexpr unsigned kLaneFlat = 4;

struct WindowLanes {
  // magnitudeAtMost(first) x magnitudeAtMost(second) of the window
  double bound[kWindowBlock];
  // stableStepWithin of each pass, and what decides the screened step: the
  // low four bits of `state` for the first pass, the high four for the
  // second (kLane* below). Where kLaneSettled is not set the caller works
  // the step out itself.
  double step1[kWindowBlock];
  double step2[kWindowBlock];
  unsigned char state[kWindowBlock];
  // tillDepth x step x 100 / dx^2 of a settled window (settleLanes)
  double limit[kWindowBlock];
};

// The lanes of windows from .. from + count - 1 (count <= kWindowBlock) of
// `width` nodes; `limit` the growth the steps keep to.
void fillLanes(const SumColumns& sums, std::size_t from, std::size_t count, std::size_t width,
               double beta, double direction, double limit, WindowLanes& lanes);

struct LaneCounts {
  // Windows the caller must still look at: those not settled in both passes
  // and those whose bound is not below the growth bound, where the growth
  // may change.
  std::size_t open = 0;
  // Windows whose limit is below `least`: where the smallest limit changes.
  std::size_t lower = 0;
};

// The screened step of each settled window (the smaller of its two passes)
// as tillDepth x step x 100 / dx^2 in lanes.limit, and the counts above for
// the first `count` windows; `growthBound` is growth^2 less the margin.
LaneCounts settleLanes(std::size_t count, double growthBound, double least, double tillDepth,
                       double dx, WindowLanes& lanes);

}  // namespace sodwright::kolv
