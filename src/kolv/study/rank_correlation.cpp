// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/study/rank_correlation.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <numeric>

namespace sodwright::kolv {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double dot(const std::vector<double>& a, const std::vector<double>& b) {
  double sum = 0;
  for (std::size_t i = 0; i < a.size(); ++i) sum += a[i] * b[i];
  return sum;
}

// Ranks 1..n, ties sharing their mean rank.
std::vector<double> ranksOf(const std::vector<double>& v) {
  std::vector<std::size_t> order(v.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return v[a] < v[b]; });
  std::vector<double> rank(v.size());
  for (std::size_t i = 0; i < order.size();) {
    std::size_t j = i;
    while (j + 1 < order.size() && v[order[j + 1]] == v[order[i]]) ++j;
    const double mean = (static_cast<double>(i) + static_cast<double>(j)) / 2.0 + 1.0;
    for (std::size_t k = i; k <= j; ++k) rank[order[k]] = mean;
    i = j + 1;
  }
  return rank;
}

// Takes from `v` its projection on each of the orthonormal `basis` vectors.
void removeSpan(std::vector<double>& v, const std::vector<std::vector<double>>& basis) {
  // Twice over: one pass of modified Gram-Schmidt leaves round-off along
  // nearly dependent directions.
  for (int pass = 0; pass < 2; ++pass)
    for (const std::vector<double>& q : basis) {
      const double along = dot(v, q);
      for (std::size_t i = 0; i < v.size(); ++i) v[i] -= along * q[i];
    }
}

// Ranks less their mean: the intercept of every regression below.
std::vector<double> centredRanks(const std::vector<double>& values) {
  std::vector<double> r = ranksOf(values);
  const double mean = (static_cast<double>(r.size()) + 1) / 2;
  for (double& x : r) x -= mean;
  return r;
}

double correlation(const std::vector<double>& a, const std::vector<double>& b) {
  const double aa = dot(a, a), bb = dot(b, b);
  if (!(aa > 0) || !(bb > 0)) return kNaN;
  return std::clamp(dot(a, b) / std::sqrt(aa * bb), -1.0, 1.0);
}

}  // namespace

double rankCorrelation(const std::vector<double>& x, const std::vector<double>& y) {
  const std::vector<double> rx = ranksOf(x), ry = ranksOf(y);
  const double n = static_cast<double>(x.size());
  const double mean = (n + 1) / 2;
  double sxy = 0, sxx = 0, syy = 0;
  for (std::size_t i = 0; i < rx.size(); ++i) {
    sxy += (rx[i] - mean) * (ry[i] - mean);
    sxx += (rx[i] - mean) * (rx[i] - mean);
    syy += (ry[i] - mean) * (ry[i] - mean);
  }
  if (sxx == 0 || syy == 0) return kNaN;
  return sxy / std::sqrt(sxx * syy);
}

std::vector<double> partialRankCorrelations(const std::vector<std::vector<double>>& parameters,
                                            const std::vector<double>& output) {
  std::vector<std::vector<double>> ranks;
  for (const std::vector<double>& p : parameters) ranks.push_back(centredRanks(p));
  const std::vector<double> outputRanks = centredRanks(output);
  std::vector<double> out;
  for (std::size_t j = 0; j < ranks.size(); ++j) {
    // An orthonormal basis of the other parameters' centred ranks; a column
    // the earlier ones already span (or a constant) adds no direction.
    std::vector<std::vector<double>> basis;
    for (std::size_t k = 0; k < ranks.size(); ++k) {
      if (k == j) continue;
      std::vector<double> q = ranks[k];
      const double before = std::sqrt(dot(q, q));
      removeSpan(q, basis);
      const double norm = std::sqrt(dot(q, q));
      if (!(norm > 1e-9 * before)) continue;
      for (double& x : q) x /= norm;
      basis.push_back(std::move(q));
    }
    std::vector<double> parameterResidual = ranks[j], outputResidual = outputRanks;
    const double parameterSpread = std::sqrt(dot(parameterResidual, parameterResidual));
    const double outputSpread = std::sqrt(dot(outputResidual, outputResidual));
    removeSpan(parameterResidual, basis);
    removeSpan(outputResidual, basis);
    // What the others fix leaves only round-off behind.
    const bool parameterLeft =
        std::sqrt(dot(parameterResidual, parameterResidual)) > 1e-9 * parameterSpread;
    const bool outputLeft = std::sqrt(dot(outputResidual, outputResidual)) > 1e-9 * outputSpread;
    out.push_back(parameterLeft && outputLeft ? correlation(parameterResidual, outputResidual)
                                              : kNaN);
  }
  return out;
}

}  // namespace sodwright::kolv
