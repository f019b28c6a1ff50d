// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/stability/stability_estimate.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <mutex>
#include <utility>

#include "kolv/engine/slope_distribution.h"
#include "kolv/stability/stability_terms.h"
#include "kolv/stability/stability_wave_scan.h"

namespace sodwright::kolv {

namespace {

using Complex = std::complex<double>;

// Distances evaluated at most: the growth changes slowly with the distance.
constexpr int kMostDistances = 33;

// The distances the amplification is worked out at, spanning lo .. hi.
std::vector<double> distanceGrid(double lo, double hi) {
  if (!(hi > lo)) return {lo};
  std::vector<double> grid;
  for (int j = 0; j < kMostDistances; ++j)
    grid.push_back(lo + (hi - lo) * j / (kMostDistances - 1));
  return grid;
}

std::size_t nearest(const std::vector<double>& grid, double value) {
  if (grid.size() == 1) return 0;
  const double step = (grid.back() - grid.front()) / static_cast<double>(grid.size() - 1);
  const long j = std::lround((value - grid.front()) / step);
  return static_cast<std::size_t>(std::clamp<long>(j, 0, static_cast<long>(grid.size()) - 1));
}

}  // namespace

namespace {

// What the scan of a model over the nodes' distances reads.
struct ScanPlan {
  std::vector<DistancePair> pairs;
  std::vector<double> grid;
  std::vector<std::vector<double>> derivatives;
  std::vector<std::size_t> firstAt, secondAt;
  int waves = 0;
  double lo = 0, hi = 0;
  WaveInputs inputs(const StabilityModel& m) const {
    return {m, grid, derivatives, firstAt, secondAt, waves};
  }
};

ScanPlan planScan(const StabilityModel& m, const std::vector<DistancePair>& nodes) {
  ScanPlan plan;
  plan.pairs = nodes;
  const double flat = m.alpha + m.dx / 2;
  if (plan.pairs.empty()) plan.pairs.push_back({flat, flat});
  double lo = plan.pairs.front().first, hi = lo;
  for (const DistancePair& d : plan.pairs) {
    lo = std::min({lo, d.first, d.second});
    hi = std::max({hi, d.first, d.second});
  }
  plan.grid = distanceGrid(lo, hi);
  for (double raw : plan.grid) {
    plan.derivatives.push_back(
        shareDerivatives(softLimitedDistance(raw, m.dx), m.dx, m.distrNodes));
    plan.waves = std::max(plan.waves, waveCount(m, plan.derivatives.back().size()));
  }
  for (const DistancePair& d : plan.pairs) {
    plan.firstAt.push_back(nearest(plan.grid, d.first));
    plan.secondAt.push_back(nearest(plan.grid, d.second));
  }
  return plan;
}

}  // namespace

StabilityEstimate estimateFromDistances(const StabilityModel& m,
                                        const std::vector<DistancePair>& nodes, int threads,
                                        bool screened) {
  StabilityEstimate e;
  if (!(m.dx > 0)) return e;
  e.diffusionNumber = m.tillDepth * m.beta * 100 / (m.dx * m.dx);
  e.diffusionLimit = std::numeric_limits<double>::infinity();
  const ScanPlan plan = planScan(m, nodes);
  const WaveScan scan = scanAllWaves(plan.inputs(m), threads, screened);
  if (scan.growth > e.growth) {
    e.growth = scan.growth;
    e.wavelength = scan.wavelength;
    e.worstDistance = plan.pairs[scan.worstPair].first;
  }
  e.diffusionLimit = scan.diffusionLimit;
  return e;
}

bool growthAbove(const StabilityModel& m, const std::vector<DistancePair>& nodes, double growth,
                 int threads) {
  if (!(m.dx > 0)) return StabilityEstimate{}.growth > growth;
  const ScanPlan plan = planScan(m, nodes);
  return anyWindowAbove(plan.inputs(m), growth, threads);
}

bool unstableFromDistances(const StabilityModel& m, const std::vector<DistancePair>& nodes,
                           int threads) {
  return growthAbove(m, nodes, kUnstableGrowth, threads);
}

namespace {

bool sameBits(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

bool sameModel(const StabilityModel& a, const StabilityModel& b) {
  return sameBits(a.dx, b.dx) && sameBits(a.tillDepth, b.tillDepth) && sameBits(a.alpha, b.alpha) &&
         sameBits(a.beta, b.beta) && sameBits(a.gamma, b.gamma) &&
         sameBits(a.weightFront, b.weightFront) && sameBits(a.weightBack, b.weightBack) &&
         a.curvatureSpan == b.curvatureSpan && a.distrNodes == b.distrNodes;
}

static_assert(sizeof(DistancePair) == 2 * sizeof(double));

bool samePairs(const std::vector<DistancePair>& a, const std::vector<DistancePair>& b) {
  return a.size() == b.size() &&
         (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(DistancePair)) == 0);
}

// A run's warning, its two reports and the window ask for the estimate of
// the same starting surface in turn; the last one worked out is kept with
// its inputs and given again only when every input bit is the same.
struct LastEstimate {
  std::mutex lock;
  bool held = false;
  StabilityModel model;
  std::vector<DistancePair> pairs;
  StabilityEstimate estimate;
};

LastEstimate& lastEstimate() {
  static LastEstimate last;
  return last;
}

StabilityEstimate EstimateOnce(const StabilityModel& m, std::vector<DistancePair> pairs) {
  LastEstimate& last = lastEstimate();
  {
    const std::lock_guard<std::mutex> hold(last.lock);
    if (last.held && sameModel(last.model, m) && samePairs(last.pairs, pairs)) return last.estimate;
  }
  const StabilityEstimate estimate = estimateFromDistances(m, pairs);
  const std::lock_guard<std::mutex> hold(last.lock);
  last.held = true;
  last.model = m;
  last.pairs = std::move(pairs);
  last.estimate = estimate;
  return estimate;
}

// The verdict alone, kept the same way, unless the whole estimate is held.
struct LastVerdict {
  std::mutex lock;
  bool held = false;
  StabilityModel model;
  std::vector<DistancePair> pairs;
  bool unstable = false;
};

LastVerdict& lastVerdict() {
  static LastVerdict last;
  return last;
}

bool VerdictOnce(const StabilityModel& m, std::vector<DistancePair> pairs) {
  {
    LastEstimate& estimate = lastEstimate();
    const std::lock_guard<std::mutex> hold(estimate.lock);
    if (estimate.held && sameModel(estimate.model, m) && samePairs(estimate.pairs, pairs))
      return estimate.estimate.unstable();
  }
  LastVerdict& last = lastVerdict();
  {
    const std::lock_guard<std::mutex> hold(last.lock);
    if (last.held && sameModel(last.model, m) && samePairs(last.pairs, pairs)) return last.unstable;
  }
  const bool unstable = unstableFromDistances(m, pairs);
  const std::lock_guard<std::mutex> hold(last.lock);
  last.held = true;
  last.model = m;
  last.pairs = std::move(pairs);
  last.unstable = unstable;
  return unstable;
}

// The raw distances of the nodes the estimate looks at: those outside the end
// zones of the first pass (all nodes when none is left), in the direction(s)
// the run's passes take.
std::vector<DistancePair> startingPairs(const KolvState& state, const TranslocationParameters& p,
                                        const StabilityModel& m) {
  std::vector<DistancePair> pairs;
  const NodeSeqArray<double>& elev = state.data.Elev;
  const int n = p.NodeCount;
  const int s = p.StartSeq;
  if (state.imported && n >= 3 && elev.contains(0, s) && elev.contains(n - 1, s) && m.dx > 0) {
    const ColumnView<const double> e = columnOf(elev, s);
    const int reach = std::max(1, m.curvatureSpan);
    int first = 2 * s + reach, last = n - 2 * s - 1 - reach;
    if (first > last) {
      first = reach;
      last = n - 1 - reach;
    }
    const bool alternating = p.TillDirection == kAlternative;
    const bool backward = p.DirectionSign == -1;
    for (int i = first; i <= last; ++i) {
      const double forward = rawDistanceAt(m, e, i, false), mirrored = rawDistanceAt(m, e, i, true);
      if (alternating) {
        pairs.push_back({forward, mirrored});
      } else {
        const double one = backward ? mirrored : forward;
        pairs.push_back({one, one});
      }
    }
  }
  return pairs;
}

}  // namespace

StabilityEstimate estimateStability(const KolvState& state) {
  const StabilityModel m = makeStabilityModel(state.params);
  return EstimateOnce(m, startingPairs(state, state.params, m));
}

bool parametersUnstable(const KolvState& state) {
  const StabilityModel m = makeStabilityModel(state.params);
  return VerdictOnce(m, startingPairs(state, state.params, m));
}

StabilityEstimate estimateStabilityFor(const KolvState& state, const TranslocationParameters& p,
                                       int threads) {
  const StabilityModel m = makeStabilityModel(p);
  return estimateFromDistances(m, startingPairs(state, p, m), threads);
}

bool parametersUnstableFor(const KolvState& state, const TranslocationParameters& p, int threads) {
  const StabilityModel m = makeStabilityModel(p);
  return unstableFromDistances(m, startingPairs(state, p, m), threads);
}

}  // namespace sodwright::kolv
