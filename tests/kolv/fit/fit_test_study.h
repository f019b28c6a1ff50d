// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The shipped example transect as a fit's study, and measurements made from
// it: a run with known coefficients plus seeded Gaussian noise.

#include <cstdint>
#include <random>

#include "kolv/fit/fit_setup.h"

namespace sodwright::kolv::testing {

struct Truth {
  double alpha = 0.35;
  double beta = 0.004;
  double gamma = 0.03;
};

// The example transect (300 points, 1 m apart, coefficients 0.3, 0.003,
// 0.02 in its header), cut to `points` and set to run `sequences`.
KolvState exampleStudy(int points, int sequences, float scScale);

// The compared column after a run of `study` with the true coefficients.
ObservedProfile exactProfile(const KolvState& study, const Truth& truth, FitColumn column);

// Gaussian noise of standard deviation `sigma` by Box-Muller from the
// engine-independent 32-bit Mersenne Twister, so that a seed gives the same
// noise with any standard library.
class Noise {
 public:
  explicit Noise(std::uint32_t seed) : engine_(seed) {}
  double next(double sigma);

 private:
  std::mt19937 engine_;
};

ObservedProfile withNoise(ObservedProfile profile, Noise& noise, double sigma);

}  // namespace sodwright::kolv::testing
