// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The stability estimate's search over the waves and the node windows: the
// largest growth and the smallest diffusion limit.

#include <cstddef>
#include <limits>
#include <vector>

#include "kolv/stability/stability_model.h"

namespace sodwright::kolv {

// What the waves from..to contribute: the largest growth (its first
// occurrence in wave-then-window order) and the smallest diffusion limit.
struct WaveScan {
  double growth = StabilityEstimate{}.growth;
  double wavelength = 0.0;
  std::size_t worstPair = 0;
  double diffusionLimit = std::numeric_limits<double>::infinity();
};

struct WaveInputs {
  const StabilityModel& m;
  const std::vector<double>& grid;
  const std::vector<std::vector<double>>& derivatives;
  const std::vector<std::size_t>& firstAt;
  const std::vector<std::size_t>& secondAt;
  int waves;
};

// The waves in contiguous runs, one per thread (0: one per core), joined in
// wave order keeping the first largest growth. With `screened`, a window's
// magnitudes are worked out only where bounds without a square root leave
// the outcome open; without it every magnitude is worked out (the plain
// evaluation). Threads and screening change no bit of the outcome.
WaveScan scanAllWaves(const WaveInputs& in, int threads, bool screened);

// Whether some window's mean exceeds `growth` (>= 1): the same answer as
// scanAllWaves(in, 1, false).growth > growth, most waves passed over whole
// by a bound, and no step or limit worked out.
bool anyWindowAbove(const WaveInputs& in, double growth, int threads);

}  // namespace sodwright::kolv
