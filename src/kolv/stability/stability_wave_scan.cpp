// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/stability/stability_wave_scan.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <thread>

#include "kolv/engine/run_parts.h"
#include "kolv/engine/slope_distribution.h"
#include "kolv/stability/stability_terms.h"

namespace sodwright::kolv {

namespace {

using Complex = std::complex<double>;

// Room left for the rounding of the bounds below: far more than the few
// units in the last place they can be off by.
constexpr double kBoundMargin = 1e-12;

// An upper bound of |z| without a square root: sqrt(b^2 + s^2) <= b + s^2 / (2 b).
double magnitudeAtMost(Complex z) {
  const double x = std::abs(z.real()), y = std::abs(z.imag());
  const double big = std::max(x, y), small = std::min(x, y);
  return (big + small * small / (2 * big)) * (1 + kBoundMargin);
}

// Whether sqrt(|a| |b|) can exceed `growth`; false only when it surely does not.
bool mayExceed(Complex a, Complex b, double growth) {
  return !(magnitudeAtMost(a) * magnitudeAtMost(b) < growth * growth * (1 - kBoundMargin));
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

WaveScan scanWaves(const WaveInputs& in, int from, int to, bool screened) {
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
      if (!screened || mayExceed(first, second, scan.growth)) {
        const double mean = std::sqrt(std::abs(first) * std::abs(second));
        if (mean > scan.growth) {
          scan.growth = mean;
          scan.wavelength = 2.0 * in.waves / t;
          scan.worstPair = w + width / 2;
        }
      }
      const double step =
          screened ? std::min(largestStableStepScreened(fixed1, direction * beta1, kUnstableGrowth),
                              largestStableStepScreened(fixed2, direction * beta2, kUnstableGrowth))
                   : std::min(largestStableStep(fixed1, direction * beta1, kUnstableGrowth),
                              largestStableStep(fixed2, direction * beta2, kUnstableGrowth));
      scan.diffusionLimit = std::min(scan.diffusionLimit, m.tillDepth * step * 100 / (m.dx * m.dx));
    }
  }
  return scan;
}

}  // namespace

// The waves in contiguous runs, one per thread. Each wave is worked out
// exactly as on one thread, and the runs are joined in wave order keeping the
// first largest growth, so the estimate is the same bit for bit.
WaveScan scanAllWaves(const WaveInputs& in, int threads, bool screened) {
  const int cores = static_cast<int>(std::thread::hardware_concurrency());
  const std::size_t work = in.firstAt.size() * static_cast<std::size_t>(in.waves);
  // Below some 100,000 windows a thread costs more than it saves.
  const int wanted = work < 100000 ? 1 : (threads > 0 ? threads : std::max(1, cores));
  const int runs = std::clamp(wanted, 1, std::max(1, in.waves));
  std::vector<WaveScan> scans(static_cast<std::size_t>(runs));
  runParts(runs, [&](int r) {
    const int from = 1 + static_cast<int>(static_cast<long long>(in.waves) * r / runs);
    const int to = static_cast<int>(static_cast<long long>(in.waves) * (r + 1) / runs);
    scans[static_cast<std::size_t>(r)] = scanWaves(in, from, to, screened);
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
