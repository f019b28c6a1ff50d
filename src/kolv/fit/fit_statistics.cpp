// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/fit/fit_statistics.h"

#include <cmath>
#include <cstddef>

namespace sodwright::kolv {

double studentT975(int dof) {
  const double z = 1.959963984540054;
  if (dof <= 0) return std::nan("");
  const double v = dof;
  const double z2 = z * z, z3 = z2 * z, z5 = z3 * z2, z7 = z5 * z2, z9 = z7 * z2;
  return z + (z3 + z) / (4 * v) + (5 * z5 + 16 * z3 + 3 * z) / (96 * v * v) +
         (3 * z7 + 19 * z5 + 17 * z3 - 15 * z) / (384 * v * v * v) +
         (79 * z9 + 776 * z7 + 1482 * z5 - 1920 * z3 - 945 * z) / (92160 * v * v * v * v);
}

namespace {

using Matrix = std::vector<std::vector<double>>;

// Inverts a symmetric positive definite matrix by Cholesky; returns the index
// of the first pivot that is not clearly positive, or -1 and the inverse.
int invertSpd(const Matrix& a, Matrix& inverse) {
  const std::size_t n = a.size();
  Matrix l(n, std::vector<double>(n, 0.0));
  for (std::size_t j = 0; j < n; ++j) {
    double d = a[j][j];
    for (std::size_t k = 0; k < j; ++k) d -= l[j][k] * l[j][k];
    // The matrix has a unit diagonal: a pivot this small means the column is
    // all but a combination of the ones before it.
    if (!(d > 1e-10)) return static_cast<int>(j);
    l[j][j] = std::sqrt(d);
    for (std::size_t i = j + 1; i < n; ++i) {
      double s = a[i][j];
      for (std::size_t k = 0; k < j; ++k) s -= l[i][k] * l[j][k];
      l[i][j] = s / l[j][j];
    }
  }
  // inverse = L^-T L^-1, column by column.
  inverse.assign(n, std::vector<double>(n, 0.0));
  for (std::size_t c = 0; c < n; ++c) {
    std::vector<double> y(n, 0.0);
    for (std::size_t i = 0; i < n; ++i) {
      double s = i == c ? 1.0 : 0.0;
      for (std::size_t k = 0; k < i; ++k) s -= l[i][k] * y[k];
      y[i] = s / l[i][i];
    }
    for (std::size_t i = n; i-- > 0;) {
      double s = y[i];
      for (std::size_t k = i + 1; k < n; ++k) s -= l[k][i] * inverse[k][c];
      inverse[i][c] = s / l[i][i];
    }
  }
  return -1;
}

}  // namespace

CovarianceEstimate covarianceFromJacobian(const JacobianColumns& columns, double s2) {
  const std::size_t p = columns.size();
  CovarianceEstimate estimate;
  estimate.covariance.assign(p, std::vector<double>(p, 0.0));
  estimate.determined.assign(p, true);
  Matrix jtj(p, std::vector<double>(p, 0.0));
  for (std::size_t a = 0; a < p; ++a)
    for (std::size_t b = 0; b < p; ++b)
      for (std::size_t i = 0; i < columns[a].size(); ++i)
        jtj[a][b] += columns[a][i] * columns[b][i];
  for (std::size_t a = 0; a < p; ++a)
    if (!(jtj[a][a] > 0.0) || !std::isfinite(jtj[a][a])) estimate.determined[a] = false;
  for (;;) {
    std::vector<std::size_t> kept;
    for (std::size_t a = 0; a < p; ++a)
      if (estimate.determined[a]) kept.push_back(a);
    if (kept.empty()) return estimate;
    Matrix scaled(kept.size(), std::vector<double>(kept.size()));
    for (std::size_t a = 0; a < kept.size(); ++a)
      for (std::size_t b = 0; b < kept.size(); ++b)
        scaled[a][b] =
            jtj[kept[a]][kept[b]] / std::sqrt(jtj[kept[a]][kept[a]] * jtj[kept[b]][kept[b]]);
    Matrix inverse;
    const int failed = invertSpd(scaled, inverse);
    if (failed >= 0) {
      estimate.determined[kept[static_cast<std::size_t>(failed)]] = false;
      continue;
    }
    for (std::size_t a = 0; a < kept.size(); ++a)
      for (std::size_t b = 0; b < kept.size(); ++b)
        estimate.covariance[kept[a]][kept[b]] =
            s2 * inverse[a][b] / std::sqrt(jtj[kept[a]][kept[a]] * jtj[kept[b]][kept[b]]);
    return estimate;
  }
}

std::vector<std::vector<double>> correlationOf(const std::vector<std::vector<double>>& covariance) {
  const std::size_t p = covariance.size();
  std::vector<std::vector<double>> r(p, std::vector<double>(p, 0.0));
  for (std::size_t a = 0; a < p; ++a)
    for (std::size_t b = 0; b < p; ++b) {
      const double d = covariance[a][a] * covariance[b][b];
      if (d > 0.0) r[a][b] = covariance[a][b] / std::sqrt(d);
    }
  return r;
}

}  // namespace sodwright::kolv
