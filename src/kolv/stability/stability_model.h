// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The parameters of a KOLV pass as the linearised pass sees them, the raw
// distances of the nodes, and the estimate's result type: what the terms,
// the wave scan and the estimate itself share (stability_estimate.h says
// what the estimate is).

#include "kolv/state/column_view.h"
#include "kolv/state/kolv_state.h"

namespace sodwright::kolv {

// Growth per pass above which the parameters are called unstable: surface
// noise then doubles within about 24 passes.
inline constexpr double kUnstableGrowth = 1.03;

// The parameters of a pass as the linearised pass sees them (weights and
// curvature span formed as the engine forms them).
struct StabilityModel {
  double dx = 0.0;         // m
  double tillDepth = 0.0;  // m
  double alpha = 0.0;      // m
  double beta = 0.0;       // m per %
  double gamma = 0.0;      // m per % per m
  double weightFront = 0.5;
  double weightBack = 0.5;
  int curvatureSpan = 0;  // nodes; 0 when curvature is not taken
  int distrNodes = 0;     // D
};

StabilityModel makeStabilityModel(const TranslocationParameters& p);

// Raw (before the soft limits) translocation distance of node i of `elev`:
// Alpha + Beta SG + Gamma SC + dx / 2; `mirrored` for a backward pass.
double rawDistanceAt(const StabilityModel& m, const ColumnView<const double>& elev, int i,
                     bool mirrored);

// The raw distances a node has in the two passes a wave meets in turn (the
// same twice when every pass runs one way).
struct DistancePair {
  double first = 0.0;
  double second = 0.0;
};

struct StabilityEstimate {
  double growth = 1.0;           // largest |A| per pass
  double wavelength = 0.0;       // of the most amplified wave, in intervals (2 pi / theta)
  double worstDistance = 0.0;    // a raw distance (m) of the node where it occurs
  double diffusionNumber = 0.0;  // TD Beta 100 / dx^2
  // The diffusion number at which the growth would reach kUnstableGrowth with
  // every other parameter and the nodes' distances kept; 0 when the
  // curvature term alone already exceeds it.
  double diffusionLimit = 0.0;
  bool unstable() const { return growth > kUnstableGrowth; }
};

}  // namespace sodwright::kolv
