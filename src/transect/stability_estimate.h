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

#include <complex>
#include <vector>

#include "transect/column_view.h"
#include "transect/kolv_state.h"

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

StabilityModel MakeStabilityModel(const TranslocationParameters& p);

// Raw (before the soft limits) translocation distance of node i of `elev`:
// Alpha + Beta SG + Gamma SC + dx / 2; `mirrored` for a backward pass.
double RawDistanceAt(const StabilityModel& m, const ColumnView<const double>& elev, int i,
                     bool mirrored);

// The raw distances a node has in the two passes a wave meets in turn (the
// same twice when every pass runs one way).
struct DistancePair {
  double first = 0.0;
  double second = 0.0;
};

// The amplification A(theta) of one pass at a node whose raw distance is `rawDistance`.
std::complex<double> PassAmplification(const StabilityModel& m, double rawDistance, double theta);

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

// The estimate over the nodes' distances (any number: the amplification is
// worked out on a few dozen distances spanning their range, and each node
// takes the nearest). The waves are shared among `threads` threads (0: one
// per core); `screened` spares the square roots bounds settle. Neither
// changes a bit of the estimate; (1, false) is the plain evaluation.
StabilityEstimate EstimateFromDistances(const StabilityModel& m,
                                        const std::vector<DistancePair>& nodes, int threads = 0,
                                        bool screened = true);

// The estimate for a run from the state's starting column: the distances of
// the nodes outside the end zones of the first pass (all nodes when none is
// left), in the direction(s) the run's passes take. A state with no
// transect gives the flat-surface estimate.
StabilityEstimate EstimateStability(const KolvState& state);

}  // namespace sodwright::kolv
