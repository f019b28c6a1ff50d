// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How strongly one KOLV pass amplifies short-wave unevenness of the surface,
// worked out before a run from the parameters and the starting surface.
//
// A pass moves each node's tilled layer by shares that depend on the node's
// translocation distance, and the distance depends on the slope and the
// curvature the surface itself has. Linearised about the distance L a node
// has, a surface wave exp(i theta j) of the nodes j comes out of one pass
// multiplied by
//
//   A(theta) = 1 + TD s'(L) lambda(theta) sum_{k=0}^{D-1} g_k(L) exp(-i k theta)
//
// with g_k = dF_k/dL the change of the normalised shares with the distance,
// s' the slope of the soft limits at the raw distance, and lambda the change
// of the raw distance per unit wave:
//
//   lambda(theta) = Beta (100/dx) (wF (exp(-i theta) - 1) + wB (1 - exp(i theta)))
//                 + Gamma (100/h^2) (2 - 2 cos(k theta))      (h = k dx, k the curvature span)
//
// The estimate is the largest |A| over the waves and over the distances the
// nodes of the starting surface have (the coefficients frozen node by node).
// A backward pass runs on the mirrored surface, where a node's slope
// gradient changes sign (and the two weights change places), so its distance
// differs; with the Alternative direction a wave meets a forward and a
// backward pass in turn and grows per pass by the geometric mean of the two.
// docs/stability.md derives it and compares it with the engine.

#include <vector>

#include "kolv/stability/stability_model.h"

namespace sodwright::kolv {

// The estimate over the nodes' distances (any number: the amplification is
// worked out on a few dozen distances spanning their range, and each node
// takes the nearest). The waves are shared among `threads` threads (0: one
// per core); `screened` spares the square roots bounds settle. Neither
// changes a bit of the estimate; (1, false) is the plain evaluation.
StabilityEstimate estimateFromDistances(const StabilityModel& m,
                                        const std::vector<DistancePair>& nodes, int threads = 0,
                                        bool screened = true);

// Whether the estimate would call the parameters unstable
// (estimateFromDistances(m, nodes).unstable()), found without the rest of
// the estimate: most waves are settled whole by a bound, and the scan stops
// at the first window above the limit.
bool unstableFromDistances(const StabilityModel& m, const std::vector<DistancePair>& nodes,
                           int threads = 0);
// The same for any growth >= 1: estimateFromDistances(m, nodes).growth > growth.
bool growthAbove(const StabilityModel& m, const std::vector<DistancePair>& nodes, double growth,
                 int threads = 0);

// The same verdict for a run from the state's starting column
// (estimateStability(state).unstable()); kept like the estimate.
bool parametersUnstable(const KolvState& state);

// The estimate for a run from the state's starting column: the distances of
// the nodes outside the end zones of the first pass (all nodes when none is
// left), in the direction(s) the run's passes take. A state with no
// transect gives the flat-surface estimate.
StabilityEstimate estimateStability(const KolvState& state);

// The same for other parameters `p` over the state's starting surface (a
// member of many runs), worked out afresh on `threads` threads (0: one per
// core) and not kept for the next caller.
StabilityEstimate estimateStabilityFor(const KolvState& state, const TranslocationParameters& p,
                                       int threads = 1);

// estimateStabilityFor(state, p, threads).unstable(), found by the verdict
// alone (unstableFromDistances), not kept either.
bool parametersUnstableFor(const KolvState& state, const TranslocationParameters& p,
                           int threads = 1);

}  // namespace sodwright::kolv
