// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/stability/stability_terms.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "kolv/engine/slope_distribution.h"

namespace sodwright::kolv {

using Complex = std::complex<double>;

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
  return stableStepWithin(a, z, limit);
}

double stableStepWithin(Complex a, Complex z, double limit) {
  const double zz = std::norm(z);
  if (zz == 0) return std::numeric_limits<double>::infinity();
  const double b = (std::conj(a) * z).real();
  const double c = std::norm(a) - limit * limit;
  return (-b + std::sqrt(b * b - zz * c)) / zz;
}

// A growing wave spans at least two of its wavelengths (and eight nodes), so
// the amplification is averaged over that many neighbouring nodes: where
// the slope changes from node to node a single node's distance says little.
std::size_t packetNodes(double theta) {
  const double wavelengths = 2 * (2 * kModelPi / theta);
  return static_cast<std::size_t>(std::max(8.0, std::ceil(wavelengths)));
}

std::complex<double> passAmplification(const StabilityModel& m, double rawDistance, double theta) {
  const double length = softLimitedDistance(rawDistance, m.dx);
  const auto g = shareDerivatives(length, m.dx, m.distrNodes);
  const Complex lambda = m.beta * gradientPart(m, theta) + curvaturePart(m, theta);
  return 1.0 +
         m.tillDepth * softLimitSlope(rawDistance, m.dx) * lambda * deliveredResponse(g, theta);
}

}  // namespace sodwright::kolv
