// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The growth per pass measured with the engine itself: a tiny perturbation
// of the starting surface is carried through one pass of RunTranslocation,
// the difference from the unperturbed pass is scaled back to its first size
// (so that it stays tiny and the measurement linear) and laid on the
// starting surface again, a few times over: each repetition is the pass
// linearised about the user's own surface, and after a few the difference is
// dominated by the most amplified wave, whose growth per pass is what the
// estimate predicts. With the Alternative direction the repetitions
// alternate between a forward and a backward pass, as the run does.

#include <vector>

#include "kolv/state/kolv_state.h"

namespace sodwright::kolv {

// Passes the probe makes at most: enough for the most amplified wave to
// stand out, cheap against a run.
inline constexpr int kProbePasses = 12;

struct MeasuredGrowth {
  bool measured = false;       // false when the transect is too short or a run would be refused
  std::vector<double> ratios;  // growth of the difference in each pass
  // Growth per pass of the last two passes (a forward and a backward one
  // with the Alternative direction), their geometric mean.
  double perPass = 0.0;
};

// Runs the probe on a copy of the starting column of `state` (which stays
// unchanged): `passes` passes of sequence StartSeq with the run's parameters. The perturbation is
// the wave cos(2 pi i / wavelength) of the nodes i (the estimate's most amplified wave settles
// fastest), or with wavelength 0 a pseudo-random +-1 pattern that holds every wave. Differences are
// measured on the nodes that the end zones of the pass and the distribution reach leave untouched.
MeasuredGrowth measureGrowth(const KolvState& state, double wavelength, int passes = kProbePasses);

}  // namespace sodwright::kolv
