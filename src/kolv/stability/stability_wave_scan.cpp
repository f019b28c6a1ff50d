// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/stability/stability_wave_scan.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <complex>
#include <limits>
#include <memory>

#include "base/threads/parallel.h"
#include "kolv/engine/slope_distribution.h"
#include "kolv/stability/stability_terms.h"
#include "kolv/stability/stability_wave_lanes.h"

namespace sodwright::kolv {

namespace {

using Complex = std::complex<double>;

// An upper bound of |z| without a square root: sqrt(b^2 + s^2) <= b + s^2 / (2 b).
double magnitudeAtMost(Complex z) {
  const double x = std::abs(z.real()), y = std::abs(z.imag());
  const double big = std::max(x, y), small = std::min(x, y);
  return (big + small * small / (2 * big)) * (1 + kBoundMargin);
}

// Whether std::abs(z) > limit, the square root taken only when the bounds
// max(|x|, |y|) <= |z| <= magnitudeAtMost(z) leave it open.
bool magnitudeAbove(Complex z, double limit) {
  const double least = std::max(std::abs(z.real()), std::abs(z.imag()));
  if (least > limit * (1 + kBoundMargin)) return true;
  if (magnitudeAtMost(z) < limit * (1 - kBoundMargin)) return false;
  return std::abs(z) > limit;
}

// largestStableStep with the magnitude decided through the bounds.
double largestStableStepScreened(Complex a, Complex z, double limit) {
  return magnitudeAbove(a, limit) ? 0.0 : stableStepWithin(a, z, limit);
}

// The screened step of a settled lane.
double laneStep(unsigned state, double within) {
  if ((state & kLaneAbove) != 0) return 0.0;
  return (state & kLaneFlat) != 0 ? std::numeric_limits<double>::infinity() : within;
}

// Every magnitude and step worked out: the plain evaluation the screened
// one must equal bit for bit.
WaveScan scanWavesPlain(const WaveInputs& in, int from, int to) {
  const StabilityModel& m = in.m;
  WaveScan scan;
  const std::size_t g = in.grid.size();
  const std::size_t count = in.firstAt.size();
  std::vector<Complex> fixed(g), perBeta(g);
  std::vector<Complex> sums(4 * (count + 1));
  const double direction = m.beta < 0 ? -1.0 : 1.0;
  for (int t = from; t <= to; ++t) {
    const double theta = kModelPi * t / in.waves;
    // A = fixed + Beta perBeta at each grid distance for this wave.
    for (std::size_t j = 0; j < g; ++j) {
      const Complex response = m.tillDepth * softLimitSlope(in.grid[j], m.dx) *
                               deliveredResponse(in.derivatives[j], theta);
      perBeta[j] = gradientPart(m, theta) * response;
      fixed[j] = 1.0 + curvaturePart(m, theta) * response;
    }
    // Running sums along the transect of both parts for both passes.
    for (std::size_t i = 0; i < count; ++i) {
      Complex* next = &sums[4 * (i + 1)];
      const Complex* now = &sums[4 * i];
      next[0] = now[0] + fixed[in.firstAt[i]];
      next[1] = now[1] + perBeta[in.firstAt[i]];
      next[2] = now[2] + fixed[in.secondAt[i]];
      next[3] = now[3] + perBeta[in.secondAt[i]];
    }
    const std::size_t width = std::min(count, packetNodes(theta));
    for (std::size_t w = 0; w + width <= count; ++w) {
      const Complex* a = &sums[4 * w];
      const Complex* b = &sums[4 * (w + width)];
      const double n = static_cast<double>(width);
      const Complex fixed1 = (b[0] - a[0]) / n, beta1 = (b[1] - a[1]) / n;
      const Complex fixed2 = (b[2] - a[2]) / n, beta2 = (b[3] - a[3]) / n;
      const Complex first = fixed1 + m.beta * beta1, second = fixed2 + m.beta * beta2;
      const double mean = std::sqrt(std::abs(first) * std::abs(second));
      if (mean > scan.growth) {
        scan.growth = mean;
        scan.wavelength = 2.0 * in.waves / t;
        scan.worstPair = w + width / 2;
      }
      const double step = std::min(largestStableStep(fixed1, direction * beta1, kUnstableGrowth),
                                   largestStableStep(fixed2, direction * beta2, kUnstableGrowth));
      scan.diffusionLimit = std::min(scan.diffusionLimit, m.tillDepth * step * 100 / (m.dx * m.dx));
    }
  }
  return scan;
}

// scanWavesPlain with the magnitudes and steps decided through bounds where
// they settle the outcome, the windows worked out in vector lanes block by
// block; the same bits.
WaveScan scanWavesScreened(const WaveInputs& in, int from, int to) {
  const StabilityModel& m = in.m;
  WaveScan scan;
  const std::size_t g = in.grid.size();
  const std::size_t count = in.firstAt.size();
  std::vector<Complex> fixed(g), perBeta(g);
  SumColumns sums;
  sums.resize(count + 1);
  auto lanes = std::make_unique<WindowLanes>();
  const double direction = m.beta < 0 ? -1.0 : 1.0;
  for (int t = from; t <= to; ++t) {
    const double theta = kModelPi * t / in.waves;
    for (std::size_t j = 0; j < g; ++j) {
      const Complex response = m.tillDepth * softLimitSlope(in.grid[j], m.dx) *
                               deliveredResponse(in.derivatives[j], theta);
      perBeta[j] = gradientPart(m, theta) * response;
      fixed[j] = 1.0 + curvaturePart(m, theta) * response;
    }
    // The complex running sums of scanWavesPlain, component by component.
    for (std::size_t i = 0; i < count; ++i) {
      const Complex parts[4] = {fixed[in.firstAt[i]], perBeta[in.firstAt[i]], fixed[in.secondAt[i]],
                                perBeta[in.secondAt[i]]};
      for (int k = 0; k < 4; ++k) {
        sums.re[k][i + 1] = sums.re[k][i] + parts[k].real();
        sums.im[k][i + 1] = sums.im[k][i] + parts[k].imag();
      }
    }
    const std::size_t width = std::min(count, packetNodes(theta));
    const std::size_t windows = count - width + 1;
    for (std::size_t start = 0; start < windows; start += kWindowBlock) {
      const std::size_t block = std::min(kWindowBlock, windows - start);
      fillLanes(sums, start, block, width, m.beta, direction, kUnstableGrowth, *lanes);
      const LaneCounts counts = settleLanes(block, scan.growth * scan.growth * (1 - kBoundMargin),
                                            scan.diffusionLimit, m.tillDepth, m.dx, *lanes);
      if (counts.open == 0) {
        // Every window settled and none can raise the growth: only the limit,
        // and that only where one is below it.
        if (counts.lower != 0)
          for (std::size_t j = 0; j < block; ++j)
            scan.diffusionLimit = std::min(scan.diffusionLimit, lanes->limit[j]);
        continue;
      }
      for (std::size_t j = 0; j < block; ++j) {
        const std::size_t w = start + j;
        if (!(lanes->bound[j] < scan.growth * scan.growth * (1 - kBoundMargin))) {
          const Complex first = sums.average(0, w, width) + m.beta * sums.average(1, w, width);
          const Complex second = sums.average(2, w, width) + m.beta * sums.average(3, w, width);
          const double mean = std::sqrt(std::abs(first) * std::abs(second));
          if (mean > scan.growth) {
            scan.growth = mean;
            scan.wavelength = 2.0 * in.waves / t;
            scan.worstPair = w + width / 2;
          }
        }
        const unsigned state = lanes->state[j];
        double limit = lanes->limit[j];
        if ((state & (state >> 4) & kLaneSettled) == 0) {
          const double step1 = (state & kLaneSettled) != 0
                                   ? laneStep(state, lanes->step1[j])
                                   : largestStableStepScreened(
                                         sums.average(0, w, width),
                                         direction * sums.average(1, w, width), kUnstableGrowth);
          const double step2 = (state >> 4 & kLaneSettled) != 0
                                   ? laneStep(state >> 4, lanes->step2[j])
                                   : largestStableStepScreened(
                                         sums.average(2, w, width),
                                         direction * sums.average(3, w, width), kUnstableGrowth);
          limit = m.tillDepth * std::min(step1, step2) * 100 / (m.dx * m.dx);
        }
        scan.diffusionLimit = std::min(scan.diffusionLimit, limit);
      }
    }
  }
  return scan;
}

// Whether some window of the waves from..to has a mean above `growth`, the
// mean formed as scanWavesPlain forms it; stops at the first (or when
// `found` is set by another run).
//
// A wave is passed over whole when no window can reach it. A window's first
// pass averages A_i = fixed_i + Beta perBeta_i over its nodes, so |first| is
// at most the largest |A_i| of the grid distances the first passes meet,
// plus what rounding adds: the running sums of C <= 2^15 nodes are each off
// by at most 1.01 C^2 u V per component (V the largest |component| of the
// parts, u = 2^-53), their difference twice that, the quotient, product and
// sum a few u V more, and the modulus of a complex error sqrt(2) times its
// components'. The bound below takes 2.1 C^2 u (V_fixed + |Beta| V_perBeta)
// twice over, and a relative 1e-9 on top, far more than these.
bool windowsAbove(const WaveInputs& in, int from, int to, double growth,
                  const std::atomic<bool>& found) {
  const StabilityModel& m = in.m;
  const std::size_t g = in.grid.size();
  const std::size_t count = in.firstAt.size();
  std::vector<char> usedFirst(g, 0), usedSecond(g, 0);
  for (std::size_t i = 0; i < count; ++i) {
    usedFirst[in.firstAt[i]] = 1;
    usedSecond[in.secondAt[i]] = 1;
  }
  std::vector<Complex> fixed(g), perBeta(g);
  SumColumns sums;
  auto lanes = std::make_unique<WindowLanes>();
  const double direction = m.beta < 0 ? -1.0 : 1.0;
  const double unit = std::ldexp(1.0, -53);
  const double c = static_cast<double>(count);
  const double spread = 2.1 * c * c * unit;
  const double needed = growth * growth;
  bool sized = false;
  for (int t = from; t <= to; ++t) {
    if (found.load(std::memory_order_relaxed)) return false;
    const double theta = kModelPi * t / in.waves;
    for (std::size_t j = 0; j < g; ++j) {
      const Complex response = m.tillDepth * softLimitSlope(in.grid[j], m.dx) *
                               deliveredResponse(in.derivatives[j], theta);
      perBeta[j] = gradientPart(m, theta) * response;
      fixed[j] = 1.0 + curvaturePart(m, theta) * response;
    }
    // The wave as a whole: the largest |A| of each pass and the rounding.
    double most[2] = {0, 0}, fixedSize[2] = {0, 0}, perBetaSize[2] = {0, 0};
    for (std::size_t j = 0; j < g; ++j) {
      const double a = std::abs(fixed[j] + m.beta * perBeta[j]);
      const double f = std::abs(fixed[j].real()) + std::abs(fixed[j].imag());
      const double b = std::abs(perBeta[j].real()) + std::abs(perBeta[j].imag());
      for (int pass = 0; pass < 2; ++pass) {
        if ((pass == 0 ? usedFirst[j] : usedSecond[j]) == 0) continue;
        most[pass] = std::max(most[pass], a);
        fixedSize[pass] = std::max(fixedSize[pass], f);
        perBetaSize[pass] = std::max(perBetaSize[pass], b);
      }
    }
    double reach[2];
    for (int pass = 0; pass < 2; ++pass) {
      const double size = fixedSize[pass] + std::abs(m.beta) * perBetaSize[pass];
      reach[pass] = most[pass] * (1 + 1e-9) + 2 * spread * size + 1e-9 * size;
    }
    if (reach[0] * reach[1] < needed * (1 - 1e-9)) continue;
    // Else window by window, as the screened scan does.
    if (!sized) {
      sums.resize(count + 1);
      sized = true;
    }
    double re[4] = {0, 0, 0, 0}, im[4] = {0, 0, 0, 0};
    for (std::size_t i = 0; i < count; ++i) {
      const Complex parts[4] = {fixed[in.firstAt[i]], perBeta[in.firstAt[i]], fixed[in.secondAt[i]],
                                perBeta[in.secondAt[i]]};
      for (int k = 0; k < 4; ++k) {
        re[k] += parts[k].real();
        im[k] += parts[k].imag();
        sums.re[k][i + 1] = re[k];
        sums.im[k][i + 1] = im[k];
      }
    }
    const std::size_t width = std::min(count, packetNodes(theta));
    const std::size_t windows = count - width + 1;
    for (std::size_t start = 0; start < windows; start += kWindowBlock) {
      const std::size_t block = std::min(kWindowBlock, windows - start);
      fillLanes(sums, start, block, width, m.beta, direction, kUnstableGrowth, *lanes);
      for (std::size_t j = 0; j < block; ++j) {
        if (lanes->bound[j] < needed * (1 - kBoundMargin)) continue;
        const std::size_t w = start + j;
        const Complex first = sums.average(0, w, width) + m.beta * sums.average(1, w, width);
        const Complex second = sums.average(2, w, width) + m.beta * sums.average(3, w, width);
        if (std::sqrt(std::abs(first) * std::abs(second)) > growth) return true;
      }
    }
  }
  return false;
}

}  // namespace

// The waves in contiguous runs, one per thread. Each wave is worked out
// exactly as on one thread, and the runs are joined in wave order keeping the
// first largest growth, so the estimate is the same bit for bit.
WaveScan scanAllWaves(const WaveInputs& in, int threads, bool screened) {
  const std::size_t work = in.firstAt.size() * static_cast<std::size_t>(in.waves);
  // Below some 100,000 windows a thread costs more than it saves.
  const int wanted = work < 100000 ? 1 : base::workerCount(threads);
  const int runs = std::clamp(wanted, 1, std::max(1, in.waves));
  std::vector<WaveScan> scans(static_cast<std::size_t>(runs));
  base::runParts(runs, [&](int r) {
    const int from = 1 + static_cast<int>(static_cast<long long>(in.waves) * r / runs);
    const int to = static_cast<int>(static_cast<long long>(in.waves) * (r + 1) / runs);
    scans[static_cast<std::size_t>(r)] =
        screened ? scanWavesScreened(in, from, to) : scanWavesPlain(in, from, to);
  });
  WaveScan joined = scans.front();
  for (std::size_t r = 1; r < scans.size(); ++r) {
    if (scans[r].growth > joined.growth) {
      joined.growth = scans[r].growth;
      joined.wavelength = scans[r].wavelength;
      joined.worstPair = scans[r].worstPair;
    }
    joined.diffusionLimit = std::min(joined.diffusionLimit, scans[r].diffusionLimit);
  }
  return joined;
}

}  // namespace sodwright::kolv

namespace sodwright::kolv {

bool anyWindowAbove(const WaveInputs& in, double growth, int threads) {
  const std::size_t work = in.firstAt.size() * static_cast<std::size_t>(in.waves);
  const int wanted = work < 100000 ? 1 : base::workerCount(threads);
  const int runs = std::clamp(wanted, 1, std::max(1, in.waves));
  std::atomic<bool> found{false};
  base::runParts(runs, [&](int r) {
    const int from = 1 + static_cast<int>(static_cast<long long>(in.waves) * r / runs);
    const int to = static_cast<int>(static_cast<long long>(in.waves) * (r + 1) / runs);
    if (windowsAbove(in, from, to, growth, found)) found.store(true);
  });
  return found.load();
}

}  // namespace sodwright::kolv
