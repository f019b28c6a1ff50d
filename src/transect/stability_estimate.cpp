#include "transect/stability_estimate.h"

#include <algorithm>
#include <cmath>
#include <limits>

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

StabilityEstimate EstimateFromDistances(const StabilityModel& m,
                                        const std::vector<DistancePair>& nodes) {
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
  const std::size_t g = grid.size();
  std::vector<std::size_t> firstAt, secondAt;
  for (const DistancePair& d : pairs) {
    firstAt.push_back(nearest(grid, d.first));
    secondAt.push_back(nearest(grid, d.second));
  }
  const std::size_t count = pairs.size();
  std::vector<Complex> fixed(g), perBeta(g);
  std::vector<Complex> sums(4 * (count + 1));
  const double direction = m.beta < 0 ? -1.0 : 1.0;
  for (int t = 1; t <= waves; ++t) {
    const double theta = kModelPi * t / waves;
    // A = fixed + Beta perBeta at each grid distance for this wave.
    for (std::size_t j = 0; j < g; ++j) {
      const Complex response =
          m.tillDepth * softLimitSlope(grid[j], m.dx) * deliveredResponse(derivatives[j], theta);
      perBeta[j] = gradientPart(m, theta) * response;
      fixed[j] = 1.0 + curvaturePart(m, theta) * response;
    }
    // Running sums along the transect of both parts for both passes.
    for (std::size_t i = 0; i < count; ++i) {
      Complex* next = &sums[4 * (i + 1)];
      const Complex* now = &sums[4 * i];
      next[0] = now[0] + fixed[firstAt[i]];
      next[1] = now[1] + perBeta[firstAt[i]];
      next[2] = now[2] + fixed[secondAt[i]];
      next[3] = now[3] + perBeta[secondAt[i]];
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
      if (mean > e.growth) {
        e.growth = mean;
        e.wavelength = 2.0 * waves / t;
        e.worstDistance = pairs[w + width / 2].first;
      }
      const double step = std::min(largestStableStep(fixed1, direction * beta1, kUnstableGrowth),
                                   largestStableStep(fixed2, direction * beta2, kUnstableGrowth));
      e.diffusionLimit = std::min(e.diffusionLimit, m.tillDepth * step * 100 / (m.dx * m.dx));
    }
  }
  return e;
}

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
  return EstimateFromDistances(m, pairs);
}

}  // namespace sodwright::kolv
