#include "transect/stability_estimate.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "transect/slope_distribution.h"

namespace sodwright::kolv {

namespace {

using Complex = std::complex<double>;

// Distances evaluated at most: the growth changes slowly with the distance.
constexpr int kMostDistances = 33;

// Slope of the soft limits at the raw distance (1 between the bends).
double softLimitSlope(double raw, double dx) {
  const double lowBend = 1.1 * dx;
  const double highBend = 25 * dx;
  const double bend = raw <= lowBend ? lowBend : (raw >= highBend ? highBend : 0.0);
  if (bend == 0.0) return 1.0;
  const double u = raw - bend;
  return (2 * dx / kModelPi) / (1 + u * u);
}

// g_k = dF_k / dL for k = 0 .. D-1 (the shares a pass delivers), trailing
// shares too small to matter left off.
std::vector<double> shareDerivatives(double length, double dx, int d) {
  std::vector<double> raw(static_cast<std::size_t>(d) + 1), slope(raw.size());
  const double half = std::exp(-(dx / 2) / length);
  raw[0] = 1 - half;
  slope[0] = -half * (dx / 2) / (length * length);
  for (int k = 1; k <= d; ++k) {
    const double reach = k * dx + dx / 2;
    raw[static_cast<std::size_t>(k)] = std::exp(-reach / length) * dx / length;
    slope[static_cast<std::size_t>(k)] =
        raw[static_cast<std::size_t>(k)] * (reach / (length * length) - 1 / length);
  }
  double sum = 0, sumSlope = 0;
  for (std::size_t k = 0; k < raw.size(); ++k) {
    sum += raw[k];
    sumSlope += slope[k];
  }
  std::vector<double> g(static_cast<std::size_t>(d));
  double largest = 0;
  for (std::size_t k = 0; k < g.size(); ++k) {
    g[k] = (slope[k] - raw[k] / sum * sumSlope) / sum;
    largest = std::max(largest, std::abs(g[k]));
  }
  while (!g.empty() && std::abs(g.back()) < 1e-14 * largest) g.pop_back();
  return g;
}

Complex deliveredResponse(const std::vector<double>& g, double theta) {
  Complex sum = 0, turn = 1;
  const Complex step = std::polar(1.0, -theta);
  for (double gk : g) {
    sum += gk * turn;
    turn *= step;
  }
  return sum;
}

// The two parts of lambda(theta): per unit of Beta and the curvature part.
Complex gradientPart(const StabilityModel& m, double theta) {
  const Complex back = std::polar(1.0, -theta), ahead = std::polar(1.0, theta);
  return (100 / m.dx) * (m.weightFront * (back - 1.0) + m.weightBack * (1.0 - ahead));
}

double curvaturePart(const StabilityModel& m, double theta) {
  if (m.curvatureSpan == 0) return 0.0;
  const double h = m.curvatureSpan * m.dx;
  return m.gamma * (100 / (h * h)) * (2 - 2 * std::cos(m.curvatureSpan * theta));
}

// Waves between 0 and pi: eight per period of the curvature term, and enough
// for the response of the shares, which changes with theta on a scale of
// dx / L (the reach kept is some 30 L / dx nodes).
int waveCount(const StabilityModel& m, std::size_t reach) {
  const int finest = std::max({m.curvatureSpan, static_cast<int>(reach) / 4, 32});
  return std::min(2048, 8 * finest);
}

// Largest t >= 0 with |a + t z| <= limit (infinity when z is 0; 0 when |a| > limit).
double largestStableStep(Complex a, Complex z, double limit) {
  if (std::abs(a) > limit) return 0.0;
  const double zz = std::norm(z);
  if (zz == 0) return std::numeric_limits<double>::infinity();
  const double b = (std::conj(a) * z).real();
  const double c = std::norm(a) - limit * limit;
  return (-b + std::sqrt(b * b - zz * c)) / zz;
}

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

// A growing wave spans at least two of its wavelengths (and eight nodes), so
// the amplification is averaged over that many neighbouring nodes: where
// the slope changes from node to node a single node's distance says little.
std::size_t packetNodes(double theta) {
  const double wavelengths = 2 * (2 * kModelPi / theta);
  return static_cast<std::size_t>(std::max(8.0, std::ceil(wavelengths)));
}

}  // namespace

StabilityModel MakeStabilityModel(const TranslocationParameters& p) {
  StabilityModel m;
  m.dx = p.Interval;
  m.tillDepth = p.TillDepth;
  m.alpha = p.Alpha;
  m.beta = p.Beta;
  m.gamma = p.Gamma;
  const double weightSum = static_cast<double>(p.SgWeightBack) + p.SgWeightFront;
  if (weightSum > 0) {
    m.weightFront = static_cast<float>(p.SgWeightFront / weightSum);
    m.weightBack = static_cast<float>(p.SgWeightBack / weightSum);
  }
  if (m.dx > 0 && static_cast<float>(2 * m.dx) < p.ScScale) {
    m.curvatureSpan = std::max(1, static_cast<int>(std::floor(p.ScScale / m.dx / 2)));
  }
  m.distrNodes = std::max<int>(0, p.DistrNodes);
  return m;
}

double RawDistanceAt(const StabilityModel& m, const ColumnView<const double>& e, int i,
                     bool mirrored) {
  const double behind = SlopePercent(e[i - 1], e[i], m.dx),
               ahead = SlopePercent(e[i], e[i + 1], m.dx);
  // Mirrored, the slope ahead becomes the one behind, and both change sign.
  const double gradient = mirrored ? -(m.weightFront * ahead + m.weightBack * behind)
                                   : m.weightFront * behind + m.weightBack * ahead;
  double curvature = 0;
  if (m.curvatureSpan > 0) {
    const int k = m.curvatureSpan;
    const double h = k * m.dx;
    curvature = (SlopePercent(e[i], e[i + k], h) - SlopePercent(e[i - k], e[i], h)) / h;
  }
  return m.alpha + m.beta * gradient + m.gamma * curvature + m.dx / 2;
}

std::complex<double> PassAmplification(const StabilityModel& m, double rawDistance, double theta) {
  const double length = SoftLimitedDistance(rawDistance, m.dx);
  const auto g = shareDerivatives(length, m.dx, m.distrNodes);
  const Complex lambda = m.beta * gradientPart(m, theta) + curvaturePart(m, theta);
  return 1.0 +
         m.tillDepth * softLimitSlope(rawDistance, m.dx) * lambda * deliveredResponse(g, theta);
}

namespace {

// What the waves from..to contribute: the largest growth (its first
// occurrence in wave-then-window order) and the smallest diffusion limit.
struct WaveScan {
  double growth = StabilityEstimate{}.growth;
  double wavelength = 0.0;
  std::size_t worstPair = 0;
  bool grew = false;
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

WaveScan scanWaves(const WaveInputs& in, int from, int to) {
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
      const double mean =
          std::sqrt(std::abs(fixed1 + m.beta * beta1) * std::abs(fixed2 + m.beta * beta2));
      if (mean > scan.growth) {
        scan.growth = mean;
        scan.wavelength = 2.0 * in.waves / t;
        scan.worstPair = w + width / 2;
        scan.grew = true;
      }
      const double step = std::min(largestStableStep(fixed1, direction * beta1, kUnstableGrowth),
                                   largestStableStep(fixed2, direction * beta2, kUnstableGrowth));
      scan.diffusionLimit = std::min(scan.diffusionLimit, m.tillDepth * step * 100 / (m.dx * m.dx));
    }
  }
  return scan;
}

// The waves in contiguous runs, one per thread. Each wave is worked out
// exactly as on one thread, and the runs are joined in wave order keeping the
// first largest growth, so the estimate is the same bit for bit.
WaveScan scanAllWaves(const WaveInputs& in, int threads) {
  const int cores = static_cast<int>(std::thread::hardware_concurrency());
  const std::size_t work = in.firstAt.size() * static_cast<std::size_t>(in.waves);
  // Below some 100,000 windows a thread costs more than it saves.
  const int wanted = work < 100000 ? 1 : (threads > 0 ? threads : std::max(1, cores));
  const int runs = std::clamp(wanted, 1, std::max(1, in.waves));
  std::vector<WaveScan> scans(static_cast<std::size_t>(runs));
  auto run = [&](int r) {
    const int from = 1 + static_cast<int>(static_cast<long long>(in.waves) * r / runs);
    const int to = static_cast<int>(static_cast<long long>(in.waves) * (r + 1) / runs);
    scans[static_cast<std::size_t>(r)] = scanWaves(in, from, to);
  };
  std::vector<std::thread> helpers;
  int started = 1;
  try {
    for (; started < runs; ++started) helpers.emplace_back(run, started);
  } catch (const std::system_error&) {
    // No thread to be had: this thread takes the remaining runs.
  }
  for (int r = started; r < runs; ++r) run(r);
  run(0);
  for (std::thread& h : helpers) h.join();
  WaveScan joined = scans.front();
  for (std::size_t r = 1; r < scans.size(); ++r) {
    if (scans[r].grew && scans[r].growth > joined.growth) {
      joined.growth = scans[r].growth;
      joined.wavelength = scans[r].wavelength;
      joined.worstPair = scans[r].worstPair;
      joined.grew = true;
    }
    joined.diffusionLimit = std::min(joined.diffusionLimit, scans[r].diffusionLimit);
  }
  return joined;
}

}  // namespace

StabilityEstimate EstimateFromDistances(const StabilityModel& m,
                                        const std::vector<DistancePair>& nodes, int threads) {
  StabilityEstimate e;
  if (!(m.dx > 0)) return e;
  e.diffusionNumber = m.tillDepth * m.beta * 100 / (m.dx * m.dx);
  e.diffusionLimit = std::numeric_limits<double>::infinity();
  std::vector<DistancePair> pairs = nodes;
  const double flat = m.alpha + m.dx / 2;
  if (pairs.empty()) pairs.push_back({flat, flat});
  double lo = pairs.front().first, hi = lo;
  for (const DistancePair& d : pairs) {
    lo = std::min({lo, d.first, d.second});
    hi = std::max({hi, d.first, d.second});
  }
  const std::vector<double> grid = distanceGrid(lo, hi);
  std::vector<std::vector<double>> derivatives;
  int waves = 0;
  for (double raw : grid) {
    derivatives.push_back(shareDerivatives(SoftLimitedDistance(raw, m.dx), m.dx, m.distrNodes));
    waves = std::max(waves, waveCount(m, derivatives.back().size()));
  }
  std::vector<std::size_t> firstAt, secondAt;
  for (const DistancePair& d : pairs) {
    firstAt.push_back(nearest(grid, d.first));
    secondAt.push_back(nearest(grid, d.second));
  }
  const WaveScan scan = scanAllWaves({m, grid, derivatives, firstAt, secondAt, waves}, threads);
  if (scan.grew) {
    e.growth = scan.growth;
    e.wavelength = scan.wavelength;
    e.worstDistance = pairs[scan.worstPair].first;
  }
  e.diffusionLimit = scan.diffusionLimit;
  return e;
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
  const StabilityEstimate estimate = EstimateFromDistances(m, pairs);
  const std::lock_guard<std::mutex> hold(last.lock);
  last.held = true;
  last.model = m;
  last.pairs = std::move(pairs);
  last.estimate = estimate;
  return estimate;
}

}  // namespace

StabilityEstimate EstimateStability(const KolvState& state) {
  const TranslocationParameters& p = state.params;
  const StabilityModel m = MakeStabilityModel(p);
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
      const double forward = RawDistanceAt(m, e, i, false), mirrored = RawDistanceAt(m, e, i, true);
      if (alternating) {
        pairs.push_back({forward, mirrored});
      } else {
        const double one = backward ? mirrored : forward;
        pairs.push_back({one, one});
      }
    }
  }
  return EstimateOnce(m, std::move(pairs));
}

}  // namespace sodwright::kolv
