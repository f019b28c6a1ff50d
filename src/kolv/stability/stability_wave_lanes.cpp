// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/stability/stability_wave_lanes.h"

#include <cmath>
#include <limits>

#include "kolv/engine/vector_clones.h"

namespace sodwright::kolv {

void SumColumns::resize(std::size_t size) {
  for (int k = 0; k < 4; ++k) {
    re[k].assign(size, 0.0);
    im[k].assign(size, 0.0);
  }
}

namespace {

// magnitudeAtMost of the scan, on components: std::max and std::min as
// they compare.
inline double boundLane(double re, double im) {
  const double x = std::abs(re), y = std::abs(im);
  const double big = x < y ? y : x, small = y < x ? y : x;
  return (big + small * small / (2 * big)) * (1 + kBoundMargin);
}

// For largestStableStepScreened(a, z, limit): stableStepWithin's value,
// and in `state` whether the bounds decide |a| against the limit
// (kLaneSettled) and which value stands (kLaneAbove: 0; kLaneFlat: z is 0).
// The real part of conj(a) z is formed as the complex product forms it when
// that is not NaN (else the product calls the library, and so does the
// caller). Every operation runs in every lane; the caller picks.
inline double stepLane(double ar, double ai, double zr, double zi, double limit, unsigned& state) {
  const double x = std::abs(ar), y = std::abs(ai);
  const double big = x < y ? y : x, small = y < x ? y : x;
  const double atMost = (big + small * small / (2 * big)) * (1 + kBoundMargin);
  const unsigned above = big > limit * (1 + kBoundMargin);
  const unsigned below = atMost < limit * (1 - kBoundMargin);
  const double zz = zr * zr + zi * zi;
  const double b = ar * zr - (-ai) * zi;
  const double c = (ar * ar + ai * ai) - limit * limit;
  const unsigned flat = zz == 0;
  const unsigned formed = b == b;
  state = ((above | below) & formed) * kLaneSettled | above * kLaneAbove | flat * kLaneFlat;
  return (-b + std::sqrt(b * b - zz * c)) / zz;
}

// The loop of fillLanes, every array a parameter of its own so that the
// compiler knows none overlaps another.
SODWRIGHT_VECTOR_CLONES
void fillLaneArrays(const double* __restrict r0, const double* __restrict i0,
                    const double* __restrict r1, const double* __restrict i1,
                    const double* __restrict r2, const double* __restrict i2,
                    const double* __restrict r3, const double* __restrict i3, std::size_t count,
                    std::size_t width, double beta, double direction, double limit,
                    double* __restrict bound, double* __restrict step1, double* __restrict step2,
                    unsigned char* __restrict state) {
  const double n = static_cast<double>(width);
  for (std::size_t a = 0; a < count; ++a) {
    const std::size_t b = a + width;
    const double f1r = (r0[b] - r0[a]) / n, f1i = (i0[b] - i0[a]) / n;
    const double b1r = (r1[b] - r1[a]) / n, b1i = (i1[b] - i1[a]) / n;
    const double f2r = (r2[b] - r2[a]) / n, f2i = (i2[b] - i2[a]) / n;
    const double b2r = (r3[b] - r3[a]) / n, b2i = (i3[b] - i3[a]) / n;
    bound[a] = boundLane(f1r + beta * b1r, f1i + beta * b1i) *
               boundLane(f2r + beta * b2r, f2i + beta * b2i);
    unsigned state1 = 0, state2 = 0;
    step1[a] = stepLane(f1r, f1i, direction * b1r, direction * b1i, limit, state1);
    step2[a] = stepLane(f2r, f2i, direction * b2r, direction * b2i, limit, state2);
    state[a] = static_cast<unsigned char>(state1 | (state2 << 4));
  }
}

inline double pickLane(unsigned state, double within) {
  const double kept = (state & kLaneFlat) != 0 ? std::numeric_limits<double>::infinity() : within;
  return (state & kLaneAbove) != 0 ? 0.0 : kept;
}

SODWRIGHT_VECTOR_CLONES
LaneCounts settleLaneArrays(std::size_t count, double growthBound, double least, double tillDepth,
                            double dx, const double* __restrict bound,
                            const double* __restrict step1, const double* __restrict step2,
                            const unsigned char* __restrict state, double* __restrict limit) {
  std::size_t open = 0, lower = 0;
  for (std::size_t a = 0; a < count; ++a) {
    const unsigned s = state[a];
    const double first = pickLane(s, step1[a]), second = pickLane(s >> 4, step2[a]);
    const double step = second < first ? second : first;  // std::min(first, second)
    limit[a] = tillDepth * step * 100 / (dx * dx);
    const unsigned settled = s & (s >> 4) & kLaneSettled;
    open += (settled ^ 1u) | static_cast<unsigned>(!(bound[a] < growthBound));
    lower += limit[a] < least;
  }
  return {open, lower};
}

}  // namespace

void fillLanes(const SumColumns& sums, std::size_t from, std::size_t count, std::size_t width,
               double beta, double direction, double limit, WindowLanes& lanes) {
  fillLaneArrays(sums.re[0].data() + from, sums.im[0].data() + from, sums.re[1].data() + from,
                 sums.im[1].data() + from, sums.re[2].data() + from, sums.im[2].data() + from,
                 sums.re[3].data() + from, sums.im[3].data() + from, count, width, beta, direction,
                 limit, lanes.bound, lanes.step1, lanes.step2, lanes.state);
}

LaneCounts settleLanes(std::size_t count, double growthBound, double least, double tillDepth,
                       double dx, WindowLanes& lanes) {
  return settleLaneArrays(count, growthBound, least, tillDepth, dx, lanes.bound, lanes.step1,
                          lanes.step2, lanes.state, lanes.limit);
}

}  // namespace sodwright::kolv
